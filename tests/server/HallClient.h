#pragma once
// A raw hall connection for the server tests: it logs in, chooses tables and sends module
// packets as a hall would, collects every frame the server sends, and can answer the
// server's round-trip challenges as the module does.

#include "protocol/HallFrame.h"
#include "protocol/HallFrameReader.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QTcpSocket>

#include <cstdint>
#include <string>
#include <vector>

// Qt SQL and the sockets need the application object before a server exists.
QCoreApplication &TestApp();

// Generous: a whole hand played under the sanitizers on a loaded CI machine takes seconds,
// and every condition waited for is expected to come true, so only a failure waits it out.
template <typename Condition> bool RunUntil(Condition condition, int timeoutMs = 60000) {
    QDeadlineTimer deadline(timeoutMs);
    while (!condition() && !deadline.hasExpired())
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    return condition();
}

// A kind-3 module packet: header with the user and the sub-kind, then the payload.
std::string ModulePacket(int64_t user, uint8_t sub, const std::string &payload = {});

class HallClient final {
public:
    explicit HallClient(quint16 port);

    void Send(const HallProto::HallFrame &frame);
    void SendRaw(const QByteArray &bytes) { m_socket.write(bytes); }
    void SendModule(const std::string &packet);
    // Logs in and waits for the answer; the user id, 0 when refused.
    int64_t Login(const std::string &nickName);
    void Close() { m_socket.disconnectFromHost(); }
    bool Connected() const { return m_socket.state() == QAbstractSocket::ConnectedState; }
    // Answer kind 52 with kind 53, as the module does.
    void AnswerChallenges(bool on) { m_answer = on; }

    // The module packets received, in order.
    std::vector<std::string> Packets() const;
    // Module packets received with their hub sub-kind at byte 9.
    int CountSubKind(uint8_t sub) const;
    // Room packets of a kind about a user (the id right after the kind byte).
    int CountKind(uint8_t kind, int64_t user) const;
    // Game records (sub-kind 17) with this id and seat.
    int CountRecord(uint8_t id, uint8_t seat) const;

    std::vector<HallProto::HallFrame> Frames;

private:
    void Received();

    QTcpSocket m_socket;
    HallProto::HallFrameReader m_reader;
    bool m_answer = false;
};
