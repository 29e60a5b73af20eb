#include "hall/THallConnection.h"

#include <QMetaObject>

#include <span>

using namespace HallProto;

namespace {

// Frames only a hall sends.
bool FromHall(const HallFrame &frame) {
    if (std::holds_alternative<LoginFrame>(frame) ||
        std::holds_alternative<TableChoiceFrame>(frame))
        return true;
    const auto *packet = std::get_if<TablePacketFrame>(&frame);
    return packet && packet->Type == FrameType::PacketFromModule;
}

} // namespace

THallConnection::THallConnection(QObject *parent)
    : QObject(parent) {
    connect(&m_socket, &QTcpSocket::connected, this, &THallConnection::Connected);
    connect(&m_socket, &QTcpSocket::readyRead, this, &THallConnection::Arrived);
    connect(&m_socket, &QTcpSocket::disconnected, this, &THallConnection::Ended);
    connect(&m_socket, &QTcpSocket::errorOccurred, this, [this] {
        if (m_socket.state() != QAbstractSocket::ConnectedState)
            Ended();
    });
}

// The socket must not report its own end to a half-destroyed connection.
THallConnection::~THallConnection() {
    m_socket.disconnect(this);
}

void THallConnection::Open(const QString &host, uint16_t port) {
    m_closedReported = false;
    m_broken = false;
    m_socket.connectToHost(host, port);
}

bool THallConnection::IsOpen() const {
    return !m_broken && m_socket.state() == QAbstractSocket::ConnectedState;
}

bool THallConnection::Send(const HallFrame &frame) {
    if (!IsOpen())
        return false;
    return m_socket.write(EncodeFrame(frame)) >= 0;
}

void THallConnection::Close() {
    if (m_socket.state() == QAbstractSocket::UnconnectedState)
        Ended();
    else
        m_socket.disconnectFromHost();
}

void THallConnection::Abort() {
    m_socket.abort();
    Ended();
}

void THallConnection::Arrived() {
    if (m_broken)
        return;
    m_reader.Append(m_socket.readAll());
    if (m_pumpQueued)
        return;
    m_pumpQueued = true;
    QMetaObject::invokeMethod(this, &THallConnection::Pump, Qt::QueuedConnection);
}

// Each payload is taken before it is handled, so a nested loop inside a handler may run
// Pump again and the frames still come out in order.
void THallConnection::Pump() {
    m_pumpQueued = false;
    while (!m_broken) {
        const auto payload = m_reader.TakePayload();
        if (!payload)
            break;
        const auto frame = DecodeFrame(
            std::span<const uint8_t>(reinterpret_cast<const uint8_t *>(payload->constData()),
                                     static_cast<size_t>(payload->size())));
        if (!frame) {
            Break(QStringLiteral("the server sent a malformed frame"));
            return;
        }
        if (FromHall(*frame)) {
            Break(QStringLiteral("the server sent a frame only a hall sends"));
            return;
        }
        emit FrameReceived(*frame);
    }
    if (m_reader.Failed())
        Break(QStringLiteral("the server sent a frame of an impossible length (at most %1 "
                             "bytes are allowed)")
                  .arg(MaxFramePayload));
}

// Whatever arrived before the end is handed out first: an error frame explains the end.
void THallConnection::Ended() {
    if (m_closedReported)
        return;
    m_closedReported = true;
    if (!m_broken) {
        m_reader.Append(m_socket.readAll());
        Pump();
    }
    const QString reason = m_socket.error() == QAbstractSocket::RemoteHostClosedError ||
                                   m_socket.error() == QAbstractSocket::UnknownSocketError
                               ? QStringLiteral("the server closed the connection")
                               : m_socket.errorString();
    emit Closed(reason);
}

void THallConnection::Break(const QString &reason) {
    if (m_broken)
        return;
    m_broken = true;
    emit Broken(reason);
    m_socket.abort();
    Ended();
}
