#include "game/TVestranoTable.h"

#include "cards/VestranoFunc.h"
#include "common/Gbk.h"
#include "game/HandResultText.h"

#include <algorithm>
#include <stdexcept>

namespace VF = VestranoFunc;
namespace RC = GameRecordCodec;

namespace {

template <class... Ts> struct Overloaded : Ts... { using Ts::operator()...; };
// clang 14 does not deduce aggregate template arguments without a guide.
template <class... Ts> Overloaded(Ts...) -> Overloaded<Ts...>;

int Wrap(int place) {
    return ((place % TVestranoTable::SeatCount) + TVestranoTable::SeatCount) %
           TVestranoTable::SeatCount;
}

} // namespace

TVestranoTable::TVestranoTable(TVestranoTableHost &host)
    : m_host(host) {
    for (int i = 0; i < SeatCount; ++i) {
        m_seats[i].SeatNo = static_cast<uint8_t>(i);
        m_seats[i].Place = static_cast<uint8_t>(i);
    }
}

// ---- Places and phases ------------------------------------------------------------------

int TVestranoTable::PlaceOf(int seat) const {
    for (int i = SeatCount - 1; i >= 0; --i)
        if (m_seats[i].SeatNo == seat)
            return m_seats[i].Place;
    return seat;
}

int TVestranoTable::SeatAt(int place) const {
    for (int i = SeatCount - 1; i >= 0; --i)
        if (m_seats[i].Place == place)
            return m_seats[i].SeatNo;
    return place;
}

int TVestranoTable::RelativePosition(int seat) const {
    return Wrap(PlaceOf(seat) - PlaceOf(m_host.OwnSeat()));
}

TVestranoTable::TPhase TVestranoTable::Phase() const {
    if (!m_host.GameRunning())
        return HandOver ? TPhase::HandOver : TPhase::Waiting;
    if (Dealing)
        return TPhase::Dealing;
    if (Bidding)
        return TPhase::Bidding;
    if (TakingBottom)
        return TPhase::TakingBottom;
    return TPhase::Playing;
}

TVestranoTable::TTrickView TVestranoTable::TrickCardsOf(int seat) const {
    if (ShowPrevious) {
        if (PrevPlay[seat] == PassMark)
            return {};
        return {PrevPlay[seat], PrevFaces[seat]};
    }
    if (TrickPlay[seat] == PassMark || (seat == m_host.OwnSeat() && seat == CurrentSeat))
        return {};
    return {TrickPlay[seat], TrickFaces[seat]};
}

void TVestranoTable::SetClockNumber(int32_t seconds) {
    ClockNumber = seconds;
    m_host.ClockChanged();
}

void TVestranoTable::SetShowPrevious(bool on) {
    if (on == ShowPrevious)
        return;
    ShowPrevious = on;
    m_host.RefreshTable();
}

// ---- Snapshot ---------------------------------------------------------------------------

void TVestranoTable::ApplySnapshot(std::string_view text) {
    const auto snapshot = TGameSnapshot::Parse(text);
    if (!snapshot)
        throw std::invalid_argument("table snapshot names a seat outside the table");
    ApplySnapshot(*snapshot);
}

void TVestranoTable::ApplySnapshot(const TGameSnapshot &s) {
    m_host.SetGameRunning(s.Running);
    Dealing = s.Dealing;
    Bidding = s.Bidding;
    TakingBottom = s.TakingBottom;
    HandOver = s.HandOver;
    CurrentSeat = s.CurrentSeat;
    LastPlayer = s.LastPlayer;
    Banker = s.Banker;
    TurnedCardSeat = s.TurnedCardSeat;
    // A client that has seen no game yet shows an empty table rather than a stale one.
    const bool blank = NoGameYet && !s.Running;
    if (blank)
        Deck.Clear();
    else
        Deck.SetCards(s.Deck);
    for (int i = 0; i < SeatCount; ++i) {
        SetHand(i, blank ? std::string() : s.Hands[i], false);
        TrickPlay[i] = blank ? std::string() : s.TrickPlay[i];
        TrickFaces[i] = blank ? std::string() : s.TrickFaces[i];
        PrevPlay[i] = blank ? std::string() : s.PrevPlay[i];
        PrevFaces[i] = blank ? std::string() : s.PrevFaces[i];
        SeatMarks[i] = blank ? std::string() : s.SeatMarks[i];
    }
    BottomCards = blank ? std::string() : s.BottomCards;
    PlayToBeat = blank ? std::string() : s.PlayToBeat;
    TurnedCard = blank ? std::string() : s.TurnedCard;
    for (int i = 0; i < SeatCount; ++i) {
        m_seats[i].Ready = s.Ready[i];
        m_seats[i].SeatNo = s.SeatNo[i];
        m_seats[i].Place = s.Place[i];
    }
    PlayTime = s.PlayTime;
    Elapsed = s.Elapsed;
    BidClock = s.BidClock;
    BottomClock = s.BottomClock;
    BidTime = s.BidTime;
    SeatTrustee = s.SeatTrustee;
    MarksValid = s.MarksValid;
    HasBid = s.HasBid;
    SeatBid = s.SeatBid;
    HighestBid = s.HighestBid;
    if (s.MenuState == TGameSnapshot::MenuRelease)
        m_host.ReleaseMenuAndChat();
    ResultScale1 = s.ResultScale1;
    ResultScale2 = s.ResultScale2;
    if (MarksValid)
        for (int i = 0; i < SeatCount; ++i)
            m_host.CardsMarked(i, SeatMarks[i]);
    SetClockNumber(Bidding ? BidClock : PlayTime - (Elapsed + 1));
    Interpretations.clear();
    TrickEndPasses = {};
    m_host.SnapshotApplied();
    m_host.RefreshTable();
}

// ---- Seat notices -----------------------------------------------------------------------

void TVestranoTable::SeatTaken(uint8_t seat, int64_t userId, std::string nickName) {
    auto &info = m_seats[seat % SeatCount];
    info.UserId = userId;
    nickName.resize(std::min(nickName.size(), TSeatInfo::NickNameSize));
    info.NickName = std::move(nickName);
    info.Ready = false;
}

void TVestranoTable::SeatLeft(uint8_t seat) {
    auto &info = m_seats[seat % SeatCount];
    info.UserId = 0;
    info.NickName.clear();
    info.Ready = false;
    if (seat == m_host.OwnSeat())
        SetTrustee(false);
}

void TVestranoTable::SeatReady(int seat) {
    if (seat < 0 || seat >= SeatCount)
        return;
    TrickPlay[seat].clear();
    PrevPlay[seat].clear();
    SetHand(seat, {}, false);
    m_seats[seat].Ready = true;
    m_host.RefreshTable();
}

void TVestranoTable::GameStart() {
    ResultReady = false;
    if (m_host.OwnUserId() != 0)
        NoGameYet = false;
}

void TVestranoTable::GameOver() {
    for (int i = 0; i < SeatCount; ++i) {
        m_seats[i].Ready = false;
        TurnCount[i] = 0;
    }
    HandOver = true;
    Dealing = false;
    SetShowPrevious(false);
    SetTrustee(false);
    TimeoutNoticeShown = false;
    m_host.RefreshTable();
}

// ---- Records ----------------------------------------------------------------------------

void TVestranoTable::ApplyRecord(std::span<const uint8_t> record) {
    const auto decoded = RC::Decode(record);
    if (decoded.Record)
        Handle(*decoded.Record);
    else if (decoded.Error == RC::TDecodeError::BadSeat)
        throw std::invalid_argument("game record names a seat outside the table");
    else if (decoded.Error == RC::TDecodeError::BidOutOfRange)
        throw std::invalid_argument("game record bids more than 32 bits hold");
}

void TVestranoTable::Handle(const RC::TGameRecord &record) {
    const int own = m_host.OwnSeat();
    const auto echo = [&](int seat) {
        return seat == own && m_host.OwnIsPlayer();
    };
    std::visit(Overloaded{
                   [&](const RC::TGamePlayRec &r) {
                       if (r.Id != RC::gmPlayed || echo(r.Seat))
                           return;
                       if (ApplyPlay(r.Seat, r.Cards, r.Faces, false) != VF::pcOk)
                           m_host.RequestResync();
                   },
                   [&](const RC::TGameTimeoutPlayRec &r) {
                       if (ApplyPlay(r.Seat, r.Cards, r.Cards, false) != VF::pcOk)
                           m_host.RequestResync();
                       CheckTimeouts(r.Seat);
                   },
                   [&](const RC::TGameSeatRec &r) {
                       if (r.Id == RC::gmBiddingStart)
                           BiddingStart(r.Seat);
                       else if (r.Id == RC::gmPassed && !echo(r.Seat) && !ApplyPass(r.Seat))
                           m_host.RequestResync();
                   },
                   [&](const RC::TGameTimeoutPassRec &r) {
                       if (!ApplyPass(r.Seat))
                           m_host.RequestResync();
                       CheckTimeouts(r.Seat);
                   },
                   [&](const RC::TGameCardsRec &r) {
                       if (r.Id == RC::gmBankerHand)
                           BankerHand(r.Seat, r.Cards);
                       else
                           MarkCards(r.Seat, r.Cards);
                   },
                   [&](const RC::TGameTrusteeRec &r) { Trusteeship(r.Seat, r.On); },
                   [&](const RC::TGameBidRec &r) {
                       if (r.Id == RC::gmBidMade)
                           BidMade(r.Seat, r.Points);
                   },
                   [&](const RC::TGameBiddingEndRec &r) { BiddingEnd(r.Seat, r.Points); },
                   [&](const RC::TGameSeatOrderRec &r) { SeatOrder(r); },
                   [&](const RC::TGameHandResultRec &r) { HandResult(r); },
               },
               record);
}

void TVestranoTable::BiddingStart(int seat) {
    if (Phase() != TPhase::Dealing)
        return;
    m_host.StopClock();
    CurrentSeat = LastPlayer = static_cast<uint8_t>(seat);
    Dealing = false;
    Bidding = true;
    BidClock = BidTime;
    m_host.RefreshTable();
    SetClockNumber(BidClock);
}

void TVestranoTable::BidMade(int seat, int64_t points) {
    ApplyBid(seat, points);
    BidClock = BidTime;
    m_host.RefreshTable();
    SetClockNumber(BidClock);
}

void TVestranoTable::BiddingEnd(int seat, int64_t points) {
    if (Phase() != TPhase::Bidding)
        return;
    Bidding = false;
    TakingBottom = true;
    CurrentSeat = Banker = LastPlayer = static_cast<uint8_t>(seat);
    SeatBid[seat] = points;
    m_host.RefreshTable();
    SetClockNumber(BottomClock);
}

void TVestranoTable::BankerHand(int seat, const std::string &cards) {
    if (Phase() != TPhase::TakingBottom)
        return;
    Dealing = Bidding = TakingBottom = false;
    BottomClock = 0;
    CurrentSeat = LastPlayer = Banker = static_cast<uint8_t>(seat);
    SetHand(seat, cards, seat == m_host.OwnSeat());
    m_host.RefreshTable();
    SetClockNumber(PlayTime);
    m_host.TurnApplied();
}

void TVestranoTable::MarkCards(int seat, const std::string &cards) {
    m_host.CardsMarked(seat, cards);
}

void TVestranoTable::SeatOrder(const RC::TGameSeatOrderRec &order) {
    for (int i = 0; i < SeatCount; ++i) {
        m_seats[i].SeatNo = order.Pairs[i].Seat;
        m_seats[i].Place = order.Pairs[i].Place;
    }
    m_host.RefreshTable();
}

void TVestranoTable::Trusteeship(int seat, bool on) {
    SeatTrustee[seat] = on;
    m_host.UpdateTrusteeMark();
}

void TVestranoTable::HandResult(const RC::TGameHandResultRec &result) {
    Result = result;
    const int own = m_host.OwnSeat();
    const int64_t ownUser = own < SeatCount ? m_seats[own].UserId : 0;
    for (const auto &entry : result.Entries)
        if (entry.UserId != 0 && entry.UserId == ownUser)
            m_host.PlaySound(std::string(
                HandResultText::SoundOf(HandResultText::Won(entry.Value1, entry.Value2))));
    m_host.ShowHandResult();
    ResultReady = true;
    m_host.RefreshTable();
}

void TVestranoTable::SetHand(int seat, std::string cards, bool keepSelection) {
    Hands[seat] = cards;
    m_live[seat] = std::move(cards);
    m_host.HandReplaced(seat, keepSelection);
}

// ---- Turns ------------------------------------------------------------------------------

bool TVestranoTable::AnyHandHoldsCards() const {
    return std::any_of(m_live.begin(), m_live.end(), [](const auto &h) { return !h.empty(); });
}

bool TVestranoTable::OwnTurnAsPlayer() const {
    return m_host.OwnIsPlayer() && m_host.OwnSeat() == CurrentSeat;
}

void TVestranoTable::MoveTurnOn(int seat, bool passing) {
    for (int i = 1; i < SeatCount; ++i) {
        const int s = SeatAt(Wrap(PlaceOf(seat) + i));
        if (!m_live[s].empty()) {
            CurrentSeat = static_cast<uint8_t>(s);
            return;
        }
        TrickPlay[s].clear();
        if (passing && s == LastPlayer)
            LastPlayer = static_cast<uint8_t>(SeatAt(Wrap(PlaceOf(seat) + i + 1)));
    }
}

void TVestranoTable::StartTurnDisplay() {
    PrevPlay[CurrentSeat] = TrickPlay[CurrentSeat];
    PrevFaces[CurrentSeat] = TrickFaces[CurrentSeat];
    TrickPlay[CurrentSeat].clear();
}

void TVestranoTable::AfterTurn() {
    Interpretations.clear();
    m_host.RefreshTable();
    SetClockNumber(PlayTime);
    m_host.TurnApplied();
}

int TVestranoTable::ApplyPlay(int seat, std::string_view cards, std::string_view faces,
                              bool checkOnly) {
    // Outside play the turn fields belong to the bidding: no play can be right there.
    if (seat < 0 || seat >= SeatCount || Phase() != TPhase::Playing)
        return VF::pcNotYourTurn;
    const int own = m_host.OwnSeat();
    const int code = VF::CheckPlay(m_host.GameRunning(), CurrentSeat, seat, cards, faces, own,
                                   m_live[own], PlayToBeat, LastPlayer);
    if (code != VF::pcOk || checkOnly)
        return code;
    SetShowPrevious(false);
    const VF::TPlayType type = VF::ClassifyPlay(faces);
    m_host.PlaySound(type == VF::ptBomb || type == VF::ptRocket ? "Explode.wav" : "Put.wav");
    if (seat == own)
        RecordTurn(seat);
    m_live[seat] = VF::RemoveCards(m_live[seat], cards);
    m_host.CardsRemoved(seat, cards);
    PlayToBeat = faces;
    TrickPlay[seat] = cards;
    TrickFaces[seat] = faces;
    TrickEndPasses = {};
    MoveTurnOn(seat, false);
    StartTurnDisplay();
    LastPlayer = static_cast<uint8_t>(seat);
    AfterTurn();
    return VF::pcOk;
}

bool TVestranoTable::ApplyPass(int seat) {
    if (Phase() != TPhase::Playing || seat != CurrentSeat || seat == LastPlayer ||
        !AnyHandHoldsCards())
        return false;
    m_host.PlaySound("Pass.wav");
    if (seat == m_host.OwnSeat())
        RecordTurn(seat);
    SetShowPrevious(false);
    MoveTurnOn(seat, true);
    // A fresh string rather than an assignment: GCC 12 warns falsely (-Wrestrict) on the
    // latter at -O2.
    TrickPlay[seat] = std::string(PassMark);
    StartTurnDisplay();
    TrickEndPasses = {};
    if (CurrentSeat == LastPlayer) {
        for (int i = 0; i < SeatCount; ++i) {
            TrickEndPasses[i] = i != CurrentSeat && TrickPlay[i] == PassMark;
            TrickPlay[i].clear();
        }
    }
    AfterTurn();
    return true;
}

void TVestranoTable::ApplyBid(int seat, int64_t points) {
    if (seat != CurrentSeat)
        return;
    if (points != RC::NoBid && points <= HighestBid)
        return;
    SeatBid[seat] = points;
    HasBid[seat] = true;
    if (points != RC::NoBid) {
        CurrentSeat = Banker = LastPlayer = static_cast<uint8_t>(seat);
        HighestBid = points;
    }
    if (points == GameRecordCodec::MaxBid)
        return;
    for (int i = 1; i < SeatCount; ++i) {
        const int s = SeatAt(Wrap(PlaceOf(seat) - i));
        if (SeatBid[s] != RC::NoBid) {
            CurrentSeat = static_cast<uint8_t>(s);
            return;
        }
    }
}

// ---- Sending ----------------------------------------------------------------------------

void TVestranoTable::SendPlay(int seat, std::string_view cards, std::string_view faces) {
    m_host.SendRecord(RC::EncodePlay(static_cast<uint8_t>(seat), cards, faces));
}

void TVestranoTable::SendPass(int seat) {
    m_host.SendRecord(RC::EncodePass(static_cast<uint8_t>(seat)));
}

void TVestranoTable::SendTrustee(int seat, bool on) {
    m_host.SendRecord(RC::EncodeTrustee(static_cast<uint8_t>(seat), on));
}

void TVestranoTable::SendBid(int seat, int64_t points) {
    m_host.SendRecord(RC::EncodeBid(static_cast<uint8_t>(seat), points));
}

// ---- Clock and trusteeship --------------------------------------------------------------

void TVestranoTable::ClockTick() {
    ++TickCount;
    if (!m_host.GameRunning() || Dealing)
        return;
    SetClockNumber(ClockNumber - 1);
    if (OwnTurnAsPlayer() && !m_host.WindowHasFocus())
        m_host.ShowNotice(true, {});
    if (Phase() != TPhase::Playing)
        return;
    const int own = m_host.OwnSeat();
    if (Trustee && own == CurrentSeat && ClockNumber <= PlayTime - TrusteeDelay) {
        if (own == LastPlayer) {
            AutoLead();
            return;
        }
        AutoPass();
    }
    if (own == CurrentSeat && ClockNumber == WarningSeconds)
        m_host.PlaySound("clock.wav");
}

void TVestranoTable::AutoLead() {
    const int own = m_host.OwnSeat();
    if (Phase() != TPhase::Playing || !OwnTurnAsPlayer() || own != LastPlayer)
        return;
    const std::string sorted = VF::SortCards(m_live[own], true);
    if (sorted.empty())
        return;
    const std::string card = sorted.substr(sorted.size() - 1);
    if (ApplyPlay(own, card, card, false) == VF::pcOk)
        SendPlay(own, card, card);
}

void TVestranoTable::AutoPass() {
    const int own = m_host.OwnSeat();
    if (Phase() != TPhase::Playing || !OwnTurnAsPlayer() || own == LastPlayer || PlayToBeat.empty())
        return;
    if (ApplyPass(own))
        SendPass(own);
}

void TVestranoTable::RecordTurn(int seat) {
    ++TurnCount[seat];
    TimeoutLog[seat].resize(static_cast<size_t>(TurnCount[seat]));
    TimeoutLog[seat].back() = ClockNumber <= 0;
}

void TVestranoTable::CheckTimeouts(int seat) {
    const auto &log = TimeoutLog[seat];
    if (TurnCount[seat] < TimeoutsForTrustee || log.size() < size_t(TimeoutsForTrustee))
        return;
    if (!std::all_of(log.end() - TimeoutsForTrustee, log.end(), [](bool b) { return b; }))
        return;
    SetTrustee(true);
    if (!TimeoutNoticeShown)
        m_host.ShowNotice(false, "您已连续三次出牌超时,系统置为托管状态!"_gbk);
    TimeoutNoticeShown = true;
}

void TVestranoTable::SetTrustee(bool on) {
    if (on == Trustee)
        return;
    Trustee = on;
    if (m_host.OwnIsPlayer() && !m_host.GameRunning() && Trustee)
        m_host.SendReady();
    SendTrustee(m_host.OwnSeat(), Trustee);
    m_host.RefreshTable();
}
