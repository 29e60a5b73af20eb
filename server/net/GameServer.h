#pragma once
// The listening side: hall connections on one event loop. A hall logs in with a nickname
// (the same nickname gets the same user id back, so a dropped player rejoins its seat),
// chooses a table and seat, then exchanges module packets with that table. A dropped
// connection leaves its seat in place; the table's clock plays for it until the hand is
// over, when a robot takes the seat until the user comes back. Each connection's round
// trip is timed with the module's challenge answer and shown to the table.

#include "ServerStats.h"
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
#include <string>
#include <vector>

class QTcpSocket;

struct ServerOptions {
    GameOptions Game;
    int BotDelayMs = 800;
    int TickMs = 100;
    int TableCount = 16;
    // Unattended play: the next hand is dealt this long after the last (-1: wait for ready).
    int AutoStartMs = -1;
    // ... once at least this many users are seated.
    int AutoStartPlayers = 1;
    // Administrators' user ids, each followed by a comma ("12,40,"); owners are among them.
    std::string AdministratorIds;
    std::string OwnerIds;
    std::string List147;
    // Announcements sent to every table in turn, one every AnnouncementIntervalMs: texts
    // starting "@$" go to the events panel, "n@text" is a chat line of kind n, others
    // are notices.
    std::vector<std::string> Announcements;
    int AnnouncementIntervalMs = 600'000;
    QString DatabasePath = QStringLiteral(":memory:");
    // Where the counters of ServerStats go; empty: nowhere.
    QString StatsPath;
    // How often each connection's round trip is measured.
    int DelayProbeMs = 10'000;
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

    // How long a kicked or expelled user stays away from the table (from the server, for the
    // kicks of 24 hours and for good).
    static constexpr int64_t KickBanMs = 10 * 60'000;
    static constexpr int64_t ExpelBanMs = 60 * 60'000;
    static constexpr int64_t DayBanMs = 24 * 3'600'000LL;

private:
    struct Session {
        HallProto::HallFrameReader Reader;
        int64_t UserId = 0;
        int Table = -1;
        // Came to watch the table rather than play.
        bool Watching = false;
        // Refused: nothing more is read; the socket closes once the error frame is out.
        bool Closing = false;
        // The round-trip probe: when the outstanding challenge went out (-1: none), and
        // when the next one is due.
        int64_t ProbeSentAt = -1;
        int64_t NextProbeAt = 0;
    };

    void Accept();
    void Read(QTcpSocket *socket);
    void Handle(QTcpSocket *socket, Session &session, const HallProto::HallFrame &frame);
    void Refuse(QTcpSocket *socket, Session &session, HallProto::ErrorCode code);
    void Tick();
    void Announce();
    // The table and its room, created with bots in every seat on first use.
    void OpenTable(int table);
    RoomPackets::Member MemberOf(int64_t userId, uint8_t seat, bool player) const;
    void TakeSeat(int table, int64_t userId, uint8_t seat);
    static RoomPackets::Member Robot(int table, int seat);
    void LeaveTable(Session &session);
    // Counts an escape for a seated user leaving a running hand.
    void CountEscape(int table, int64_t userId);
    // Seats of users without a connection go to robots between hands.
    void FreeDroppedSeats(int table);
    void RemoveUsers(int table);
    bool IsBanned(int table, int64_t userId) const;
    void Probe();
    void ProbeAnswered(Session &session);
    Session *SessionOf(int table, int64_t userId);
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
    ServerStats m_stats;
    // Ban end times: per table and user, and server-wide per user.
    std::map<std::pair<int, int64_t>, int64_t> m_tableBans;
    std::map<int64_t, int64_t> m_serverBans;
    std::map<int, std::vector<TableRoom::Removal>> m_deferredRemovals;
    int64_t m_nextAnnouncementAt = 0;
    size_t m_nextAnnouncement = 0;
};
