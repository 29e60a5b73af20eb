#include "game/TGameSnapshot.h"

#include <algorithm>

namespace {

enum Field : size_t {
    fRunning = 0,
    fDealing = 1,
    fBidding = 2,
    fTakingBottom = 3,
    fHandOver = 4,
    fCurrentSeat = 5,
    fLastPlayer = 6,
    fBanker = 7,
    fTurnedCardSeat = 8,
    fDeck = 10,
    fHands = 11,
    fTrickPlay = 15,
    fTrickFaces = 19,
    fPrevPlay = 23,
    fPrevFaces = 27,
    fSeatMarks = 31,
    fBottomCards = 35,
    fPlayToBeat = 36,
    fTurnedCard = 37,
    fReady = 38,
    fSeatNo = 42,
    fPlace = 46,
    fPlayTime = 50,
    fElapsed = 51,
    fBidClock = 53,
    fBottomClock = 54,
    fBidTime = 55,
    fSeatTrustee = 56,
    fMarksValid = 60,
    fHasBid = 61,
    fSeatBid = 65,
    fHighestBid = 69,
    fMenuState = 70,
    fResultScale1 = 72,
    fResultScale2 = 73,
};

constexpr size_t MaxHexDigits = 8;

int HexDigit(char c) {
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    return -1;
}

// The fields as views into the text; at most FieldCount, the rest read as empty.
class Fields {
public:
    explicit Fields(std::string_view text) {
        size_t start = 0;
        for (size_t n = 0; n < TGameSnapshot::FieldCount; ++n) {
            const size_t comma = text.find(',', start);
            m_fields[n] =
                text.substr(start, comma == std::string_view::npos ? text.npos : comma - start);
            if (comma == std::string_view::npos)
                break;
            start = comma + 1;
        }
    }
    std::string Text(size_t n) const { return std::string(m_fields[n]); }
    int32_t Number(size_t n) const { return TGameSnapshot::ParseNumber(m_fields[n]); }
    bool Flag(size_t n) const { return Number(n) != 0; }
    template <typename T> void Group(size_t first, T &out, auto read) const {
        for (size_t i = 0; i < out.size(); ++i)
            out[i] = read(first + i);
    }

private:
    std::array<std::string_view, TGameSnapshot::FieldCount> m_fields{};
};

bool IsSeat(int32_t value) {
    return value >= 0 && value < static_cast<int32_t>(TGameSnapshot::SeatCount);
}

} // namespace

int32_t TGameSnapshot::ParseNumber(std::string_view field) {
    // Leading zeros do not count towards the 32 bits.
    const size_t first = std::min(field.find_first_not_of('0'), field.size());
    if (field.empty() || field.size() - first > MaxHexDigits)
        return 0;
    uint32_t value = 0;
    for (char c : field.substr(first)) {
        const int digit = HexDigit(c);
        if (digit < 0)
            return 0;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    return static_cast<int32_t>(value);
}

std::optional<TGameSnapshot> TGameSnapshot::Parse(std::string_view text) {
    const Fields f(text);
    for (size_t n : {fCurrentSeat, fLastPlayer, fBanker, fTurnedCardSeat})
        if (!IsSeat(f.Number(n)))
            return std::nullopt;
    for (size_t n = fSeatNo; n < fPlace + SeatCount; ++n)
        if (!IsSeat(f.Number(n)))
            return std::nullopt;

    TGameSnapshot s;
    s.Running = f.Flag(fRunning);
    s.Dealing = f.Flag(fDealing);
    s.Bidding = f.Flag(fBidding);
    s.TakingBottom = f.Flag(fTakingBottom);
    s.HandOver = f.Flag(fHandOver);
    s.CurrentSeat = static_cast<uint8_t>(f.Number(fCurrentSeat));
    s.LastPlayer = static_cast<uint8_t>(f.Number(fLastPlayer));
    s.Banker = static_cast<uint8_t>(f.Number(fBanker));
    s.TurnedCardSeat = static_cast<uint8_t>(f.Number(fTurnedCardSeat));
    s.Deck = f.Text(fDeck);
    const auto cards = [&](size_t n) {
        return f.Text(n);
    };
    const auto flag = [&](size_t n) {
        return f.Flag(n);
    };
    const auto seat = [&](size_t n) {
        return static_cast<uint8_t>(f.Number(n));
    };
    const auto wide = [&](size_t n) {
        return static_cast<int64_t>(f.Number(n));
    };
    f.Group(fHands, s.Hands, cards);
    f.Group(fTrickPlay, s.TrickPlay, cards);
    f.Group(fTrickFaces, s.TrickFaces, cards);
    f.Group(fPrevPlay, s.PrevPlay, cards);
    f.Group(fPrevFaces, s.PrevFaces, cards);
    f.Group(fSeatMarks, s.SeatMarks, cards);
    s.BottomCards = f.Text(fBottomCards);
    s.PlayToBeat = f.Text(fPlayToBeat);
    s.TurnedCard = f.Text(fTurnedCard);
    f.Group(fReady, s.Ready, flag);
    f.Group(fSeatNo, s.SeatNo, seat);
    f.Group(fPlace, s.Place, seat);
    s.PlayTime = f.Number(fPlayTime);
    s.Elapsed = f.Number(fElapsed);
    s.BidClock = f.Number(fBidClock);
    s.BottomClock = f.Number(fBottomClock);
    s.BidTime = f.Number(fBidTime);
    f.Group(fSeatTrustee, s.SeatTrustee, flag);
    s.MarksValid = f.Flag(fMarksValid);
    f.Group(fHasBid, s.HasBid, flag);
    f.Group(fSeatBid, s.SeatBid, wide);
    s.HighestBid = wide(fHighestBid);
    s.MenuState = f.Number(fMenuState);
    s.ResultScale1 = wide(fResultScale1);
    s.ResultScale2 = wide(fResultScale2);
    return s;
}
