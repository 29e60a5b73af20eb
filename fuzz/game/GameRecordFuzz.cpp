// Decodes arbitrary bytes as a game record. A record that decodes must encode to bytes
// that decode to the same record, and a table must take any sequence of such records
// without breaking its invariants. Input: repeated (1-byte length, that many bytes).

#include "game/FakeTableHost.h"
#include "game/GameRecordCodec.h"
#include "game/TVestranoTable.h"

#include <cstdlib>
#include <stdexcept>

namespace RC = GameRecordCodec;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    FakeTableHost host;
    host.Running = true;
    TVestranoTable table(host);
    size_t pos = 0;
    while (pos < size) {
        const size_t length = std::min<size_t>(data[pos], size - pos - 1);
        const std::span<const uint8_t> record(data + pos + 1, length);
        pos += 1 + length;
        const auto decoded = RC::Decode(record);
        if (decoded.Record) {
            const std::string bytes = RC::Encode(*decoded.Record);
            const auto again = RC::Decode(
                std::span(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()));
            if (!again.Record || RC::Encode(*again.Record) != bytes)
                std::abort();
        }
        try {
            table.ApplyRecord(record);
        } catch (const std::invalid_argument &) {
            // A bad seat or bid ends the record with an error, as the hall would see it.
        }
        if (table.CurrentSeat >= TVestranoTable::SeatCount ||
            table.LastPlayer >= TVestranoTable::SeatCount)
            std::abort();
    }
    return 0;
}
