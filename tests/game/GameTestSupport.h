#pragma once
// Snapshot texts for the game tests: 74 fields, empty unless a test sets them.

#include "game/TGameSnapshot.h"

#include <array>
#include <cstdio>
#include <string>

namespace GameTest {

struct SnapshotText {
    std::array<std::string, TGameSnapshot::FieldCount> Fields;

    void Number(size_t field, int64_t value) {
        char digits[16];
        std::snprintf(digits, sizeof digits, "%X", static_cast<uint32_t>(value));
        Fields[field] = digits;
    }
    std::string Join(size_t count = TGameSnapshot::FieldCount) const {
        std::string text;
        for (size_t i = 0; i < count; ++i)
            text += (i ? "," : "") + Fields[i];
        return text;
    }
};

// A running table in play: the hands given, `current` to play against `toBeat` made by
// `lastPlayer`, 20 seconds a turn.
inline SnapshotText PlayingTable(const std::array<std::string, 4> &hands, int current,
                                 int lastPlayer, const std::string &toBeat = {}) {
    SnapshotText t;
    t.Number(0, 1);
    t.Number(5, current);
    t.Number(6, lastPlayer);
    for (int i = 0; i < 4; ++i)
        t.Fields[11 + i] = hands[i];
    t.Fields[36] = toBeat;
    for (int i = 0; i < 4; ++i) {
        t.Number(42 + i, i);
        t.Number(46 + i, i);
    }
    t.Number(50, 20);
    t.Number(55, 15);
    t.Number(51, 0xFFFFFFFF); // no time used yet: the clock shows the full turn
    return t;
}

// A running table whose bidding has started with `current`.
inline SnapshotText BiddingTable(int current) {
    SnapshotText t = PlayingTable({"CDE", "cde", "PQR", "pqr"}, current, current);
    t.Number(2, 1);
    t.Number(53, 15);
    return t;
}

} // namespace GameTest
