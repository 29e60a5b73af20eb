#include "GameServer.h"

#include <QRandomGenerator>
#include <QTcpSocket>

#include <limits>
#include <variant>

using namespace HallProto;

GameServer::GameServer(const ServerOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_users(options.DatabasePath)
    , m_stats(options.StatsPath) {
    connect(&m_listener, &QTcpServer::newConnection, this, &GameServer::Accept);
    connect(&m_ticker, &QTimer::timeout, this, &GameServer::Tick);
    m_clock.start();
}

// The sockets are children of the listener; they must not report their disconnection to a
// half-destroyed server.
GameServer::~GameServer() {
    for (auto it = m_sessions.begin(); it != m_sessions.end(); ++it)
        it.key()->disconnect(this);
}

bool GameServer::Listen(const QHostAddress &address, quint16 port) {
    if (!m_listener.listen(address, port))
        return false;
    m_ticker.start(m_options.TickMs);
    return true;
}

const TableRoom *GameServer::Room(int number) const {
    const auto found = m_rooms.find(number);
    return found == m_rooms.end() ? nullptr : found->second.get();
}

int64_t GameServer::BotId(int table, int seat) {
    constexpr int64_t FirstBotId = 9'000'000'000'000;
    return FirstBotId + table * GameEngine::SeatCount + seat;
}

// Nicknames travel as the GBK bytes the halls send; Latin-1 keeps those bytes unchanged
// in the store's text column.
RoomPackets::Member GameServer::MemberOf(int64_t userId, uint8_t seat, bool player) const {
    RoomPackets::Member member;
    member.UserId = userId;
    member.Seat = seat;
    member.Player = player;
    member.Face = static_cast<uint16_t>(userId % 12);
    if (const auto record = m_users.Find(userId)) {
        member.NickName = record->NickName.toLatin1().toStdString();
        member.Score = record->Score;
        member.Beans = record->Beans;
        member.Gold = record->Gold;
        member.Wins = static_cast<int32_t>(record->Wins);
        member.Losses = static_cast<int32_t>(record->Losses);
        member.Draws = static_cast<int32_t>(record->Draws);
        member.Escapes = static_cast<int32_t>(record->Escapes);
    }
    return member;
}

RoomPackets::Member GameServer::Robot(int table, int seat) {
    RoomPackets::Member robot;
    robot.UserId = BotId(table, seat);
    robot.NickName = "Robot " + std::to_string(seat + 1);
    robot.Seat = static_cast<uint8_t>(seat);
    robot.Player = true;
    robot.Face = static_cast<uint16_t>(seat + 1);
    return robot;
}

void GameServer::OpenTable(int table) {
    if (m_tables[table])
        return;
    m_tables[table] = std::make_unique<GameTable>(m_options.Game, ChaChaRandom::SystemKey(),
                                                  m_options.BotDelayMs);
    m_tables[table]->SetAutoStart(m_options.AutoStartMs, m_options.AutoStartPlayers);
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat)
        m_tables[table]->SetRobotId(seat, BotId(table, seat));
    RoomPackets::Rules rules;
    rules.BeanName = "beans";
    rules.ScoreName = "score";
    rules.GoldName = "gold";
    m_rooms[table] = std::make_unique<TableRoom>(rules);
    m_rooms[table]->SetAdministrators(m_options.AdministratorIds);
    m_rooms[table]->SetOwners(m_options.OwnerIds);
    m_rooms[table]->SetList147(m_options.List147);
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat)
        m_rooms[table]->Join(Robot(table, seat));
    m_rooms[table]->TakePackets();
}

// A user takes a seat from its bot.
void GameServer::TakeSeat(int table, int64_t userId, uint8_t seat) {
    TableRoom &room = *m_rooms[table];
    room.Leave(BotId(table, seat));
    if (room.Find(userId))
        room.Seat(userId, seat, true);
    else
        room.Join(MemberOf(userId, seat, true));
}

const GameTable *GameServer::Table(int number) const {
    const auto found = m_tables.find(number);
    return found == m_tables.end() ? nullptr : found->second.get();
}

void GameServer::Accept() {
    while (QTcpSocket *socket = m_listener.nextPendingConnection()) {
        m_sessions.insert(socket, Session{});
        connect(socket, &QTcpSocket::readyRead, this, [this, socket] { Read(socket); });
        connect(socket, &QTcpSocket::disconnected, this, [this, socket] { Dropped(socket); });
    }
}

void GameServer::Read(QTcpSocket *socket) {
    auto found = m_sessions.find(socket);
    if (found == m_sessions.end() || found->Closing)
        return;
    found->Reader.Append(socket->readAll());
    while (auto payload = found->Reader.TakePayload()) {
        const auto frame = DecodeFrame(
            std::span<const uint8_t>(reinterpret_cast<const uint8_t *>(payload->constData()),
                                     static_cast<size_t>(payload->size())));
        if (!frame) {
            Refuse(socket, *found, ErrorCode::Malformed);
            return;
        }
        Handle(socket, *found, *frame);
        if (found->Closing)
            return;
    }
    if (found->Reader.Failed())
        Refuse(socket, *found, ErrorCode::Malformed);
}

void GameServer::Handle(QTcpSocket *socket, Session &session, const HallFrame &frame) {
    if (const auto *login = std::get_if<LoginFrame>(&frame)) {
        const auto record = m_users.Login(QString::fromLatin1(login->NickName));
        if (!record) {
            socket->write(EncodeFrame(LoginResultFrame{LoginStatus::ServerFull, 0}));
            return;
        }
        // Logging in again replaces an older connection, which leaves nothing behind.
        for (auto it = m_sessions.begin(); it != m_sessions.end(); ++it)
            if (it.key() != socket && it->UserId == record->UserId && !it->Closing) {
                it->Table = -1;
                Refuse(it.key(), *it, ErrorCode::NotLoggedIn);
            }
        session.UserId = record->UserId;
        m_stats.Named(session.UserId, login->NickName);
        socket->write(EncodeFrame(LoginResultFrame{LoginStatus::Accepted, session.UserId}));
        return;
    }
    if (session.UserId == 0) {
        Refuse(socket, session, ErrorCode::NotLoggedIn);
        return;
    }
    if (const auto *choice = std::get_if<TableChoiceFrame>(&frame)) {
        if (choice->Table >= m_options.TableCount) {
            Refuse(socket, session, ErrorCode::NoSuchTable);
            return;
        }
        if (IsBanned(choice->Table, session.UserId)) {
            Refuse(socket, session, ErrorCode::Banned);
            return;
        }
        OpenTable(choice->Table);
        GameTable &table = *m_tables[choice->Table];
        // A user still seated from before its connection dropped goes back to that seat.
        const int kept = table.SeatOf(session.UserId);
        const uint8_t seat = kept >= 0 ? static_cast<uint8_t>(kept) : choice->Seat;
        if (seat != WatcherSeat && !table.Sit(seat, session.UserId)) {
            Refuse(socket, session, ErrorCode::SeatTaken);
            return;
        }
        session.Table = choice->Table;
        session.Watching = seat == WatcherSeat;
        session.NextProbeAt = Now();
        if (seat == WatcherSeat)
            m_rooms[choice->Table]->Join(MemberOf(session.UserId, 0, false));
        else if (kept >= 0)
            m_rooms[choice->Table]->Join(MemberOf(session.UserId, seat, true));
        else
            TakeSeat(choice->Table, session.UserId, seat);
        Deliver(session.Table);
        return;
    }
    if (const auto *packet = std::get_if<TablePacketFrame>(&frame);
        packet && packet->Type == FrameType::PacketFromModule) {
        // A module taken off its table (kicked, expelled) may still say goodbye.
        if (session.Table >= 0)
            HandleModulePacket(session, packet->Packet);
        return;
    }
    Refuse(socket, session, ErrorCode::Malformed);
}

// Game traffic (kind 3 sub-kinds 1, 2 and 3) goes to the game table, the rest to the
// room; a seat request is decided here, where tables and rooms meet. A watcher's module
// asks for a seat by itself as soon as it sees it only watches: whoever came to watch
// keeps watching.
void GameServer::HandleModulePacket(Session &session, const std::string &packet) {
    constexpr uint8_t KindSeatRequest = 13;
    constexpr uint8_t KindChallengeAnswer = 53;
    const int number = session.Table;
    const auto request = RoomPackets::ReadRequest(packet);
    if (!request)
        return;
    const bool game =
        request->Kind == GameTable::TableMessageKind &&
        (request->Sub == GameTable::SubGameRecordIn ||
         request->Sub == GameTable::SubTableStateRequest || request->Sub == GameTable::SubReady);
    if (game) {
        if (request->Sub == GameTable::SubTableStateRequest)
            m_stats.StateRequested(session.UserId);
        const bool accepted = m_tables[number]->HandlePacket(session.UserId, packet, Now());
        if (request->Sub == GameTable::SubGameRecordIn && !accepted)
            m_stats.Refused(session.UserId);
        else if (request->Sub == GameTable::SubGameRecordIn)
            m_stats.Accepted(session.UserId, static_cast<uint8_t>(request->Payload[0]),
                             request->Payload.size() > 2 && request->Payload[2] != 0);
    } else if (request->Kind == KindChallengeAnswer) {
        ProbeAnswered(session);
    } else if (request->Kind == KindSeatRequest && request->Payload.size() >= 2) {
        const auto seat = static_cast<uint8_t>(request->Payload[0]);
        const bool sit = request->Payload[1] != 0;
        if (sit && !session.Watching && m_tables[number]->SeatOf(session.UserId) < 0 &&
            m_tables[number]->Sit(seat, session.UserId))
            TakeSeat(number, session.UserId, seat);
    } else {
        constexpr uint8_t SubBroadcast = 66;
        constexpr uint8_t KindLeave = 11;
        if (request->Kind == KindLeave)
            CountEscape(number, session.UserId);
        m_rooms[number]->Handle(session.UserId, *request, Now());
        if (request->Kind == KindLeave)
            LeaveTable(session);
        // A broadcast reaches every table of the server.
        for (const auto &[sender, text] : m_rooms[number]->TakeBroadcasts()) {
            const QByteArray frame = EncodeFrame(TablePacketFrame{
                FrameType::PacketToModule, RoomPackets::TableMessage(sender, SubBroadcast, text)});
            for (auto it = m_sessions.begin(); it != m_sessions.end(); ++it)
                if (it->Table >= 0 && !it->Closing)
                    it.key()->write(frame);
        }
    }
    RemoveUsers(number);
    Deliver(number);
}

void GameServer::Refuse(QTcpSocket *socket, Session &session, ErrorCode code) {
    session.Closing = true;
    socket->write(EncodeFrame(ErrorFrame{code, {}}));
    QMetaObject::invokeMethod(socket, &QTcpSocket::disconnectFromHost, Qt::QueuedConnection);
}

// Sub-kind 73 carries "n@text" lines, sub-kind 65 notices and "@$" events.
void GameServer::Announce() {
    constexpr uint8_t SubServerText = 65;
    constexpr uint8_t SubColoredText = 73;
    if (m_options.Announcements.empty() || Now() < m_nextAnnouncementAt)
        return;
    m_nextAnnouncementAt = Now() + m_options.AnnouncementIntervalMs;
    const std::string &text =
        m_options.Announcements[m_nextAnnouncement++ % m_options.Announcements.size()];
    const bool colored = !text.starts_with("@$") && text.find('@') != std::string::npos &&
                         text.find_first_not_of("0123456789") == text.find('@');
    const QByteArray frame = EncodeFrame(TablePacketFrame{
        FrameType::PacketToModule,
        RoomPackets::TableMessage(0, colored ? SubColoredText : SubServerText, text)});
    for (auto it = m_sessions.begin(); it != m_sessions.end(); ++it)
        if (it->Table >= 0 && !it->Closing)
            it.key()->write(frame);
}

void GameServer::Tick() {
    Announce();
    Probe();
    for (auto &[number, table] : m_tables) {
        table->Tick(Now());
        m_rooms[number]->Tick(Now());
        RemoveUsers(number);
        Deliver(number);
    }
    m_stats.Flush();
}

// Kind 52 carries sixteen random bytes; the module answers with kind 53 at once, so the
// time to the answer is the round trip through the hall and the module.
void GameServer::Probe() {
    for (auto it = m_sessions.begin(); it != m_sessions.end(); ++it) {
        if (it->Table < 0 || it->Closing || it->ProbeSentAt >= 0 || Now() < it->NextProbeAt)
            continue;
        std::array<uint8_t, 16> challenge{};
        QRandomGenerator::system()->fillRange(reinterpret_cast<quint32 *>(challenge.data()),
                                              challenge.size() / sizeof(quint32));
        it->ProbeSentAt = Now();
        it.key()->write(EncodeFrame(
            TablePacketFrame{FrameType::PacketToModule, RoomPackets::Challenge(challenge)}));
    }
}

void GameServer::ProbeAnswered(Session &session) {
    if (session.ProbeSentAt < 0)
        return;
    const auto delay = static_cast<int32_t>(Now() - session.ProbeSentAt);
    session.ProbeSentAt = -1;
    session.NextProbeAt = Now() + m_options.DelayProbeMs;
    m_rooms[session.Table]->SetNetDelay(session.UserId, delay);
}

void GameServer::CountEscape(int table, int64_t userId) {
    const auto phase = m_tables[table]->Game().CurrentPhase();
    if (m_tables[table]->SeatOf(userId) >= 0 &&
        (phase == GameEngine::Phase::Bidding || phase == GameEngine::Phase::Playing))
        m_users.AddEscape(userId);
}

// The seat stays for the user's return; leaving a running hand counts as an escape.
void GameServer::Dropped(QTcpSocket *socket) {
    const Session session = m_sessions.take(socket);
    socket->deleteLater();
    if (session.Table < 0)
        return;
    CountEscape(session.Table, session.UserId);
    // The others see the seat empty ("dropped") until the user comes back.
    m_rooms[session.Table]->Leave(session.UserId);
    FreeDroppedSeats(session.Table);
    Deliver(session.Table);
}

GameServer::Session *GameServer::SessionOf(int table, int64_t userId) {
    for (auto it = m_sessions.begin(); it != m_sessions.end(); ++it)
        if (it->Table == table && it->UserId == userId && !it->Closing)
            return &*it;
    return nullptr;
}

void GameServer::FreeDroppedSeats(int table) {
    GameTable &game = *m_tables[table];
    const auto phase = game.Game().CurrentPhase();
    if (phase == GameEngine::Phase::Bidding || phase == GameEngine::Phase::Playing)
        return;
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat) {
        const int64_t user = game.UserAt(seat);
        if (user != 0 && !SessionOf(table, user)) {
            game.Leave(user);
            m_rooms[table]->Join(Robot(table, seat));
        }
    }
}

bool GameServer::IsBanned(int table, int64_t userId) const {
    const auto atTable = m_tableBans.find({table, userId});
    const auto anywhere = m_serverBans.find(userId);
    return (atTable != m_tableBans.end() && Now() < atTable->second) ||
           (anywhere != m_serverBans.end() && Now() < anywhere->second);
}

// Kicked users go at once. An expelled player's module stays through a running hand, so
// the player goes when the hand is over.
void GameServer::RemoveUsers(int table) {
    TableRoom &room = *m_rooms[table];
    std::vector<TableRoom::Removal> removals = std::exchange(m_deferredRemovals[table], {});
    for (const auto &removal : room.TakeRemovals())
        removals.push_back(removal);
    for (const auto &removal : removals) {
        const auto phase = m_tables[table]->Game().CurrentPhase();
        const bool running =
            phase == GameEngine::Phase::Bidding || phase == GameEngine::Phase::Playing;
        if (removal.Expelled && running && m_tables[table]->SeatOf(removal.UserId) >= 0) {
            m_deferredRemovals[table].push_back(removal);
            continue;
        }
        if (removal.Expelled) {
            m_tableBans[{table, removal.UserId}] = Now() + ExpelBanMs;
        } else if (removal.KickType == 0) {
            m_tableBans[{table, removal.UserId}] = Now() + KickBanMs;
        } else {
            m_serverBans[removal.UserId] =
                removal.KickType == 1 ? Now() + DayBanMs : std::numeric_limits<int64_t>::max();
        }
        CountEscape(table, removal.UserId);
        room.Leave(removal.UserId);
        // The user hears of its own departure before it is detached from the table.
        Deliver(table);
        if (Session *session = SessionOf(table, removal.UserId)) {
            LeaveTable(*session);
            session->Table = -1;
        } else if (const int seat = m_tables[table]->SeatOf(removal.UserId); seat >= 0) {
            m_tables[table]->Leave(removal.UserId);
            room.Join(Robot(table, seat));
        }
    }
}

// The module stopped: the user leaves the table and a robot takes the seat back.
void GameServer::LeaveTable(Session &session) {
    GameTable &table = *m_tables[session.Table];
    const int seat = table.SeatOf(session.UserId);
    if (seat >= 0) {
        table.Leave(session.UserId);
        m_rooms[session.Table]->Join(Robot(session.Table, seat));
    }
}

void GameServer::RecordFinishedHand(int table) {
    const GameEngine &game = m_tables[table]->Game();
    int &recorded = m_recordedHands[table];
    if (recorded == game.HandsFinished())
        return;
    recorded = game.HandsFinished();
    const GameOptions &options = m_options.Game;
    TableRoom &room = *m_rooms[table];
    std::vector<RoomPackets::SettlementEntry> entries;
    m_stats.HandFinished();
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat) {
        const auto &result = game.LastResult()[static_cast<size_t>(seat)];
        RoomPackets::SettlementEntry entry;
        const bool robot = result.UserId == 0 || result.UserId == BotId(table, seat);
        entry.UserId = robot ? BotId(table, seat) : result.UserId;
        entry.ScoreChange = result.Value1 * options.ResultScale1;
        entry.BeanChange = result.Value2 * options.ResultScale2;
        if (!robot) {
            m_users.AddHandResult(result.UserId, entry.ScoreChange, entry.BeanChange);
            m_stats.HandPlayed(result.UserId, entry.ScoreChange, entry.BeanChange);
        }
        if (const auto *member = room.Find(entry.UserId)) {
            entry.NewScore = member->Score + entry.ScoreChange;
            entry.NewBeans = member->Beans + entry.BeanChange;
        } else if (const auto record = m_users.Find(entry.UserId)) {
            // A player who dropped out and is not back yet: the stored totals already
            // hold this hand.
            entry.NewScore = record->Score;
            entry.NewBeans = record->Beans;
        }
        entries.push_back(entry);
    }
    room.HandFinished(entries);
    FreeDroppedSeats(table);
}

void GameServer::Deliver(int table) {
    RecordFinishedHand(table);
    auto packets = m_rooms[table]->TakePackets();
    for (auto &packet : m_tables[table]->TakePackets())
        packets.push_back(std::move(packet));
    if (packets.empty())
        return;
    for (auto it = m_sessions.begin(); it != m_sessions.end(); ++it) {
        if (it->Table != table || it->Closing)
            continue;
        for (const auto &packet : packets)
            if (packet.Target == 0 || packet.Target == it->UserId)
                it.key()->write(
                    EncodeFrame(TablePacketFrame{FrameType::PacketToModule, packet.Packet}));
    }
}
