// Parses arbitrary text as a table snapshot and applies it, then plays the turn rules on
// the result: a malformed snapshot must never fail, and a seat outside the table must
// never get through.

#include "game/FakeTableHost.h"
#include "game/TGameSnapshot.h"
#include "game/TVestranoTable.h"

#include <cstdlib>
#include <stdexcept>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    FakeTableHost host;
    TVestranoTable table(host);
    table.GameStart();
    try {
        table.ApplySnapshot(text);
    } catch (const std::invalid_argument &) {
        return 0;
    }
    if (table.CurrentSeat >= TVestranoTable::SeatCount ||
        table.LastPlayer >= TVestranoTable::SeatCount || table.Banker >= TVestranoTable::SeatCount)
        std::abort();
    for (int seat = 0; seat < TVestranoTable::SeatCount; ++seat) {
        const std::string hand = table.LiveHand(seat);
        table.ApplyPlay(seat, hand.substr(0, 1), hand.substr(0, 1), false);
        table.ApplyPass(seat);
        table.ApplyBid(seat, seat + 1);
        table.ClockTick();
    }
    return 0;
}
