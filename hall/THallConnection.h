#pragma once
// The hall's connection to the game server: a TCP socket cut into frames by the shared
// frame reader. Frames are handed out from the event loop, never from inside the
// socket's readyRead, so that a module which opens a nested loop while it handles a
// packet (a dialog) keeps receiving the packets after it. A frame that is malformed,
// oversized or that a server never sends closes the connection for good.

#include "protocol/HallFrame.h"
#include "protocol/HallFrameReader.h"

#include <QObject>
#include <QTcpSocket>

#include <string>

class THallConnection final : public QObject {
    Q_OBJECT

public:
    explicit THallConnection(QObject *parent = nullptr);
    ~THallConnection() override;

    void Open(const QString &host, uint16_t port);
    bool IsOpen() const;
    // Queues one frame; false when the connection is not open.
    bool Send(const HallProto::HallFrame &frame);
    // Closes once everything queued has been written; Closed follows.
    void Close();
    // Closes at once, dropping what is queued; Closed follows.
    void Abort();

signals:
    void Connected();
    void FrameReceived(const HallProto::HallFrame &frame);
    // The stream carried something no server sends; the connection is closed.
    void Broken(const QString &reason);
    // The connection could not be made, or it has ended (after any frames it carried).
    void Closed(const QString &reason);

private:
    void Arrived();
    void Pump();
    void Ended();
    void Break(const QString &reason);

    QTcpSocket m_socket;
    HallProto::HallFrameReader m_reader;
    bool m_pumpQueued = false;
    bool m_broken = false;
    bool m_closedReported = false;
};
