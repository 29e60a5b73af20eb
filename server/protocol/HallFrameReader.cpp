#include "HallFrameReader.h"

#include "HallFrame.h"
#include "platform/ByteReader.h"

namespace HallProto {

void HallFrameReader::Append(const QByteArray &bytes) {
    if (!m_failed)
        m_buffer.append(bytes);
}

std::optional<QByteArray> HallFrameReader::TakePayload() {
    if (m_failed)
        return std::nullopt;
    Platform::ByteReader reader(m_buffer.constData() + m_start,
                                static_cast<size_t>(m_buffer.size() - m_start));
    const auto length = reader.ReadU32LE();
    if (!length)
        return std::nullopt;
    if (*length == 0 || *length > MaxFramePayload) {
        m_failed = true;
        m_buffer.clear();
        m_start = 0;
        return std::nullopt;
    }
    const auto payload = reader.ReadBytes(*length);
    if (!payload)
        return std::nullopt;
    QByteArray result(reinterpret_cast<const char *>(payload->data()),
                      static_cast<qsizetype>(payload->size()));
    m_start += static_cast<qsizetype>(FrameLengthSize + payload->size());
    Compact();
    return result;
}

// Drops consumed bytes once they outweigh the rest, so a long-lived connection's buffer
// stays bounded without moving bytes on every frame.
void HallFrameReader::Compact() {
    if (m_start == m_buffer.size()) {
        m_buffer.clear();
        m_start = 0;
    } else if (m_start > m_buffer.size() / 2) {
        m_buffer.remove(0, m_start);
        m_start = 0;
    }
}

} // namespace HallProto
