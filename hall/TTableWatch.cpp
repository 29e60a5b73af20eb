#include "hall/TTableWatch.h"

#include "common/Gbk.h"
#include "platform/ByteReader.h"

#include <QStringList>

#include <utility>

namespace {

namespace Kind {
constexpr uint8_t Table = 3;
constexpr uint8_t UserList = 9;
constexpr uint8_t UserEnter = 10;
constexpr uint8_t Settlement = 16;
} // namespace Kind

namespace Sub {
constexpr uint8_t Snapshot = 18;
constexpr uint8_t GameOver = 50;
} // namespace Sub

// Kind 3: kind (1), sender (8), sub-kind (1), payload.
constexpr size_t TableHeaderSize = 10;
// User record: user id (8) at 0, nickname (20, zero-padded) at 8; 100 bytes.
constexpr size_t UserRecordSize = 100;
constexpr size_t NickNameSize = 20;
// Settlement entry: user id, score change, new score, bean change, new beans (8 each).
constexpr size_t SettlementEntrySize = 40;

Platform::ByteReader ReaderOf(std::string_view bytes) {
    return Platform::ByteReader(bytes.data(), bytes.size());
}

} // namespace

TTableWatch::TEvent TTableWatch::Observe(std::string_view packet) {
    if (packet.empty())
        return TEvent::None;
    const auto kind = static_cast<uint8_t>(packet[0]);
    const std::string_view body = packet.substr(1);
    switch (kind) {
    case Kind::Table:
        if (packet.size() < TableHeaderSize)
            return TEvent::None;
        switch (static_cast<uint8_t>(packet[TableHeaderSize - 1])) {
        case Sub::Snapshot:
            return TEvent::Snapshot;
        case Sub::GameOver:
            ++m_handsOver;
            m_handSettlement = std::exchange(m_settlement, QString());
            return TEvent::HandOver;
        }
        return TEvent::None;
    case Kind::UserEnter:
        return ReadUserRecord(body) ? TEvent::OwnUserListed : TEvent::None;
    case Kind::UserList: {
        auto reader = ReaderOf(body);
        const auto count = reader.ReadU32LE();
        bool own = false;
        for (uint32_t i = 0; count && i < *count; ++i) {
            const auto record = reader.ReadText(UserRecordSize);
            if (!record)
                break;
            own = ReadUserRecord(*record) || own;
        }
        return own ? TEvent::OwnUserListed : TEvent::None;
    }
    case Kind::Settlement:
        ReadSettlement(body);
        return TEvent::None;
    }
    return TEvent::None;
}

QString TTableWatch::NameOf(int64_t userId) const {
    const auto found = m_names.find(userId);
    if (found == m_names.end())
        return QString::number(userId);
    return QString::fromStdString(Gbk::ToUtf8(found->second));
}

// True when the record is the local user's.
bool TTableWatch::ReadUserRecord(std::string_view record) {
    auto reader = ReaderOf(record);
    const auto id = reader.ReadI64LE();
    const auto name = reader.ReadText(NickNameSize);
    if (!id || !name || record.size() < UserRecordSize)
        return false;
    m_names[*id] = name->substr(0, name->find('\0'));
    return *id == m_ownUserId;
}

// Phase (1), count (4), entries.
void TTableWatch::ReadSettlement(std::string_view body) {
    auto reader = ReaderOf(body);
    const auto phase = reader.ReadU8();
    const auto count = reader.ReadU32LE();
    if (!phase || !count)
        return;
    QStringList entries;
    for (uint32_t i = 0; i < *count; ++i) {
        const auto entry = reader.ReadBytes(SettlementEntrySize);
        if (!entry)
            return;
        auto fields = Platform::ByteReader(*entry);
        const int64_t user = *fields.ReadI64LE();
        const int64_t change = *fields.ReadI64LE();
        const int64_t total = *fields.ReadI64LE();
        entries.append(QStringLiteral("%1 %2%3 (%4)")
                           .arg(NameOf(user), change > 0 ? QStringLiteral("+") : QString())
                           .arg(change)
                           .arg(total));
    }
    m_settlement = entries.join(QStringLiteral(", "));
}
