#pragma once
// The listening side: hall connections on one event loop. A hall logs in with a nickname
// (the same nickname gets the same user id back, so a dropped player rejoins its seat),
// chooses a table and seat, then exchanges module packets with that table. A dropped
// connection leaves its seat in place; the table's clock plays for it.

#include "game/GameTable.h"
#include "protocol/HallFrame.h"
#include "protocol/HallFrameReader.h"
#include "room/TableRoom.h"
#include "store/UserStore.h"

#include <QElapsedTimer>
#include <QHash>
#include <QObject>
#include <QTcpServer>
#include <QTimer>

#include <map>
#include <memory>

class QTcpSocket;

struct ServerOptions {
    GameOptions Game;
    int BotDelayMs = 800;
    int TickMs = 100;
    int TableCount = 16;
    // Unattended play: the next hand is dealt this long after the last (-1: wait for ready).
    int AutoStartMs = -1;
    QString DatabasePath = QStringLiteral(":memory:");
};

class GameServer final : public QObject {
    Q_OBJECT

public:
    explicit GameServer(const ServerOptions &options, QObject *parent = nullptr);
    ~GameServer() override;

    bool Listen(const QHostAddress &address, quint16 port);
    quint16 Port() const { return m_listener.serverPort(); }
    const GameTable *Table(int number) const;
    const TableRoom *Room(int number) const;
    // Bots have ids of their own, far above any user's.
    static int64_t BotId(int table, int seat);
    const UserStore &Users() const { return m_users; }

private:
    struct Session {
        HallProto::HallFrameReader Reader;
        int64_t UserId = 0;
        int Table = -1;
        // Refused: nothing more is read; the socket closes once the error frame is out.
        bool Closing = false;
    };

    void Accept();
    void Read(QTcpSocket *socket);
    void Handle(QTcpSocket *socket, Session &session, const HallProto::HallFrame &frame);
    void Refuse(QTcpSocket *socket, Session &session, HallProto::ErrorCode code);
    void Tick();
    // The table and its room, created with bots in every seat on first use.
    void OpenTable(int table);
    RoomPackets::Member MemberOf(int64_t userId, uint8_t seat, bool player) const;
    void TakeSeat(int table, int64_t userId, uint8_t seat);
    static RoomPackets::Member Robot(int table, int seat);
    void LeaveTable(Session &session);
    void HandleModulePacket(Session &session, const std::string &packet);
    void Deliver(int table);
    void RecordFinishedHand(int table);
    void Dropped(QTcpSocket *socket);
    int64_t Now() const { return m_clock.elapsed(); }

    ServerOptions m_options;
    QTcpServer m_listener;
    QTimer m_ticker;
    QElapsedTimer m_clock;
    QHash<QTcpSocket *, Session> m_sessions;
    UserStore m_users;
    std::map<int, std::unique_ptr<GameTable>> m_tables;
    std::map<int, std::unique_ptr<TableRoom>> m_rooms;
    std::map<int, int> m_recordedHands;
};
