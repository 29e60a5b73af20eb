#pragma once
// Cuts a TCP byte stream into frame payloads. Bytes arrive in any split; a frame is
// handed out only once its whole payload is there. A length of zero or above the maximum
// puts the reader into a failed state for good: the connection must be closed, since the
// stream can no longer be resynchronised.

#include <optional>

#include <QByteArray>

namespace HallProto {

class HallFrameReader final {
public:
    void Append(const QByteArray &bytes);
    // The next complete payload, or nullopt when more bytes are needed or the stream failed.
    std::optional<QByteArray> TakePayload();
    bool Failed() const { return m_failed; }
    qsizetype Buffered() const { return m_buffer.size() - m_start; }

private:
    void Compact();

    QByteArray m_buffer;
    qsizetype m_start = 0;
    bool m_failed = false;
};

} // namespace HallProto
