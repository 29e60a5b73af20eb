#include "GameEngine.h"

#include "cards/VestranoFunc.h"

#include <algorithm>
#include <utility>

namespace VF = VestranoFunc;

namespace {

constexpr int MsPerSecond = 1000;
constexpr int DeckCopies = 2;
const std::string PassMark = "?";

} // namespace

GameEngine::GameEngine(const GameOptions &options, const ChaChaRandom::Key &key)
    : m_options(options)
    , m_random(key) {}

void GameEngine::SetSeatUser(int seat, int64_t userId) {
    m_users[seat] = userId;
}

void GameEngine::StartHand(int64_t nowMs) {
    Send(SubGameStarted, {});
    Deal();
    m_phase = Phase::Bidding;
    std::array<uint8_t, SeatCount> places{};
    for (int seat = 0; seat < SeatCount; ++seat)
        places[seat] = static_cast<uint8_t>(seat);
    Send(SubGameRecord, GameRecords::SeatOrder(places));
    // The deal snapshot shows the Dealing flag; bidding starts right after it.
    Send(SubSnapshot, Compose(nowMs, true));
    StartTurn(m_turnedSeat, nowMs, m_options.BidTime);
    m_lastPlayer = m_turnedSeat;
    Send(SubGameRecord, GameRecords::BiddingStart(static_cast<uint8_t>(m_turnedSeat)));
}

// Two decks shuffled with Fisher-Yates; cards go round the seats one at a time, the last
// eight form the bottom, and one dealt card chosen at random is turned face up.
void GameEngine::Deal() {
    m_deck.clear();
    for (int copy = 0; copy < DeckCopies; ++copy)
        m_deck += VF::CardChars;
    for (size_t i = m_deck.size() - 1; i > 0; --i)
        std::swap(m_deck[i], m_deck[m_random.Below(static_cast<uint32_t>(i + 1))]);
    for (auto &hand : m_hands)
        hand.clear();
    const size_t dealt = HandSize * SeatCount;
    for (size_t i = 0; i < dealt; ++i)
        m_hands[i % SeatCount] += m_deck[i];
    m_bottom = m_deck.substr(dealt);
    const size_t turned = m_random.Below(static_cast<uint32_t>(dealt));
    m_turnedCard = std::string(1, m_deck[turned]);
    m_turnedSeat = static_cast<int>(turned % SeatCount);
    for (int seat = 0; seat < SeatCount; ++seat) {
        m_trickPlay[seat].clear();
        m_trickFaces[seat].clear();
        m_prevPlay[seat].clear();
        m_prevFaces[seat].clear();
        m_hasBid[seat] = false;
        m_seatBid[seat] = 0;
    }
    m_playToBeat.clear();
    m_highestBid = 0;
    m_banker = m_turnedSeat;
    m_doublings = 0;
    m_marksValid = false;
    m_result = {};
}

bool GameEngine::Receive(int seat, const GameRecords::ClientRecord &record, int64_t nowMs) {
    return std::visit(
        [&](const auto &request) -> bool {
            using T = std::decay_t<decltype(request)>;
            if (request.Seat != seat)
                return false;
            if constexpr (std::is_same_v<T, GameRecords::PlayRequest>)
                return Play(seat, request.Cards, request.Faces, false, nowMs);
            else if constexpr (std::is_same_v<T, GameRecords::PassRequest>)
                return Pass(seat, false, nowMs);
            else if constexpr (std::is_same_v<T, GameRecords::BidRequest>)
                return Bid(seat, request.Points, nowMs);
            else {
                m_trustee[seat] = request.On;
                Send(SubGameRecord, GameRecords::Trustee(static_cast<uint8_t>(seat), request.On));
                return true;
            }
        },
        record);
}

// Bidding follows the client's turn rule: the turn moves against the play direction to the
// next seat that has not declined. It ends with a 6, or when every seat but the highest
// bidder has declined; when all four decline the cards are dealt again (the same game goes
// on: no game-over packet, so a redeal is not counted as a hand).
bool GameEngine::Bid(int seat, int64_t points, int64_t nowMs) {
    if (m_phase != Phase::Bidding || seat != m_current)
        return false;
    if (points != GameRecords::NoBid && (points <= m_highestBid || points > GameRecords::MaxBid))
        return false;
    m_seatBid[seat] = points;
    m_hasBid[seat] = true;
    if (points != GameRecords::NoBid) {
        m_highestBid = points;
        m_banker = m_lastPlayer = seat;
    }
    Send(SubGameRecord, GameRecords::BidMade(static_cast<uint8_t>(seat), points));
    const int declined =
        static_cast<int>(std::count(m_seatBid.begin(), m_seatBid.end(), GameRecords::NoBid));
    if (declined == SeatCount) {
        ++m_redeals;
        StartHand(nowMs);
        return true;
    }
    if (points == GameRecords::MaxBid || (m_highestBid > 0 && declined == SeatCount - 1)) {
        EndBidding(nowMs);
        return true;
    }
    int next = seat;
    for (int i = 1; i < SeatCount; ++i) {
        const int candidate = (seat + SeatCount - i) % SeatCount;
        if (m_seatBid[candidate] != GameRecords::NoBid) {
            next = candidate;
            break;
        }
    }
    StartTurn(next, nowMs, m_options.BidTime);
    return true;
}

void GameEngine::EndBidding(int64_t nowMs) {
    const auto banker = static_cast<uint8_t>(m_banker);
    Send(SubGameRecord, GameRecords::BiddingEnd(banker, m_highestBid));
    m_hands[m_banker] += m_bottom;
    Send(SubGameRecord, GameRecords::BankerHand(banker, m_hands[m_banker]));
    Send(SubGameRecord, GameRecords::MarkCards(banker, m_bottom));
    m_phase = Phase::Playing;
    m_lastPlayer = m_banker;
    m_playToBeat.clear();
    StartTurn(m_banker, nowMs, m_options.PlayTime);
}

bool GameEngine::Play(int seat, const std::string &cards, const std::string &faces, bool timedOut,
                      int64_t nowMs) {
    if (m_phase != Phase::Playing || !VF::IsValidInterpretation(cards, faces))
        return false;
    if (VF::CheckPlay(true, m_current, seat, cards, faces, seat, m_hands[seat], m_playToBeat,
                      m_lastPlayer) != VF::pcOk)
        return false;
    m_hands[seat] = VF::RemoveCards(m_hands[seat], cards);
    const VF::TPlayType type = VF::ClassifyPlay(faces);
    if ((type == VF::ptBomb || type == VF::ptRocket) && m_doublings < MaxDoublings)
        ++m_doublings;
    m_playToBeat = faces;
    m_trickPlay[seat] = cards;
    m_trickFaces[seat] = faces;
    m_lastPlayer = seat;
    const auto seatByte = static_cast<uint8_t>(seat);
    Send(SubGameRecord, timedOut ? GameRecords::TimeoutPlayed(seatByte, cards)
                                 : GameRecords::Played(seatByte, cards, faces));
    if (m_hands[seat].empty()) {
        EndHand(seat);
        return true;
    }
    StartTurn(NextInPlay(seat), nowMs, m_options.PlayTime);
    return true;
}

bool GameEngine::Pass(int seat, bool timedOut, int64_t nowMs) {
    if (m_phase != Phase::Playing || seat != m_current || seat == m_lastPlayer)
        return false;
    m_trickPlay[seat] = PassMark;
    const auto seatByte = static_cast<uint8_t>(seat);
    Send(SubGameRecord,
         timedOut ? GameRecords::TimeoutPassed(seatByte) : GameRecords::Passed(seatByte));
    const int next = NextInPlay(seat);
    StartTurn(next, nowMs, m_options.PlayTime);
    if (next == m_lastPlayer)
        for (auto &play : m_trickPlay)
            play.clear();
    return true;
}

// The seat whose turn starts keeps its previous play for the previous-trick view.
void GameEngine::StartTurn(int seat, int64_t nowMs, int seconds) {
    m_current = seat;
    if (m_phase == Phase::Playing) {
        m_prevPlay[seat] = m_trickPlay[seat];
        m_prevFaces[seat] = m_trickFaces[seat];
        m_trickPlay[seat].clear();
    }
    m_turnStart = nowMs;
    m_deadline = nowMs + static_cast<int64_t>(seconds) * MsPerSecond;
    m_clockRunning = true;
}

// Scoring: the bid is the base, doubled by every bomb and rocket of the hand. The banker
// plays against the three others: each of them wins or loses the stake, the banker three
// times the stake the other way.
void GameEngine::EndHand(int winner) {
    const int64_t stake = m_highestBid << m_doublings;
    const bool bankerWon = winner == m_banker;
    for (int seat = 0; seat < SeatCount; ++seat) {
        int64_t change = seat == m_banker ? 3 * stake : -stake;
        if (!bankerWon)
            change = -change;
        m_result[seat] = {m_users[seat], change, change};
    }
    m_phase = Phase::HandOver;
    m_clockRunning = false;
    ++m_handsFinished;
    Send(SubGameRecord, GameRecords::HandResult(m_result));
    Send(SubGameOver, {});
}

void GameEngine::Tick(int64_t nowMs) {
    if (!m_clockRunning || nowMs < m_deadline)
        return;
    if (m_phase == Phase::Bidding) {
        // A table of idle seats still plays: when every other seat has declined, the clock
        // bids the least for the last one instead of dealing again for ever.
        const auto declined = std::count(m_seatBid.begin(), m_seatBid.end(), GameRecords::NoBid);
        const bool last = m_highestBid == 0 && declined == SeatCount - 1;
        Bid(m_current, last ? GameRecords::MinBid : GameRecords::NoBid, nowMs);
    } else if (m_phase == Phase::Playing) {
        if (m_current == m_lastPlayer) {
            const std::string card = VF::AutoLeadCard(m_hands[m_current]);
            Play(m_current, card, card, true, nowMs);
        } else {
            Pass(m_current, true, nowMs);
        }
    }
}

std::string GameEngine::Snapshot(int64_t nowMs) const {
    return Compose(nowMs, false);
}

std::string GameEngine::Compose(int64_t nowMs, bool dealing) const {
    GameRecords::SnapshotWriter out;
    const bool running = m_phase == Phase::Bidding || m_phase == Phase::Playing;
    out.Flag(running);
    out.Flag(dealing);
    out.Flag(m_phase == Phase::Bidding);
    out.Flag(false);
    out.Flag(m_phase == Phase::HandOver);
    out.Number(m_current);
    out.Number(m_lastPlayer);
    out.Number(m_banker);
    out.Number(m_turnedSeat);
    out.Number(0);
    out.Cards(m_deck);
    for (const auto &group : {m_hands, m_trickPlay, m_trickFaces, m_prevPlay, m_prevFaces})
        for (const auto &cards : group)
            out.Cards(cards);
    for (int seat = 0; seat < SeatCount; ++seat)
        out.Cards(seat == m_banker && m_phase == Phase::Playing ? m_bottom : std::string());
    out.Cards(m_bottom);
    out.Cards(m_playToBeat);
    out.Cards(m_turnedCard);
    for (int seat = 0; seat < SeatCount; ++seat)
        out.Flag(false);
    for (int seat = 0; seat < SeatCount; ++seat)
        out.Number(seat);
    for (int seat = 0; seat < SeatCount; ++seat)
        out.Number(seat);
    const int64_t elapsed = running ? (nowMs - m_turnStart) / MsPerSecond : 0;
    const int64_t remaining = running ? (m_deadline - nowMs) / MsPerSecond : 0;
    out.Number(m_options.PlayTime);
    out.Number(m_phase == Phase::Playing ? elapsed : 0);
    out.Number(0);
    out.Number(m_phase == Phase::Bidding ? remaining : 0);
    out.Number(0);
    out.Number(m_options.BidTime);
    for (bool trustee : m_trustee)
        out.Flag(trustee);
    out.Flag(m_phase == Phase::Playing);
    for (bool hasBid : m_hasBid)
        out.Flag(hasBid);
    for (int64_t bid : m_seatBid)
        out.Number(bid);
    out.Number(m_highestBid);
    out.Number(1);
    out.Number(0);
    out.Number(m_options.ResultScale1);
    out.Number(m_options.ResultScale2);
    return out.Finish();
}

std::vector<GameOutput> GameEngine::TakeOutput() {
    return std::exchange(m_output, {});
}

void GameEngine::Send(uint8_t subKind, std::string payload) {
    m_output.push_back({0, subKind, std::move(payload)});
}
