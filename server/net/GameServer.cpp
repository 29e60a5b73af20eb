#include "GameServer.h"

#include <QTcpSocket>

#include <variant>

using namespace HallProto;

GameServer::GameServer(const ServerOptions &options, QObject *parent)
    : QObject(parent)
    , m_options(options)
    , m_users(options.DatabasePath) {
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
    m_tables[table]->SetAutoStart(m_options.AutoStartMs);
    RoomPackets::Rules rules;
    rules.BeanName = "beans";
    rules.ScoreName = "score";
    rules.GoldName = "gold";
    m_rooms[table] = std::make_unique<TableRoom>(rules);
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
        session.UserId = record->UserId;
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
        OpenTable(choice->Table);
        GameTable &table = *m_tables[choice->Table];
        const bool returning = table.SeatOf(session.UserId) >= 0;
        if (choice->Seat != WatcherSeat && !table.Sit(choice->Seat, session.UserId)) {
            Refuse(socket, session, ErrorCode::SeatTaken);
            return;
        }
        session.Table = choice->Table;
        if (choice->Seat == WatcherSeat)
            m_rooms[choice->Table]->Join(MemberOf(session.UserId, 0, false));
        else if (returning)
            m_rooms[choice->Table]->Join(MemberOf(session.UserId, choice->Seat, true));
        else
            TakeSeat(choice->Table, session.UserId, choice->Seat);
        Deliver(session.Table);
        return;
    }
    if (const auto *packet = std::get_if<TablePacketFrame>(&frame);
        packet && packet->Type == FrameType::PacketFromModule && session.Table >= 0) {
        HandleModulePacket(session, packet->Packet);
        return;
    }
    Refuse(socket, session, ErrorCode::Malformed);
}

// Game traffic (kind 3 sub-kinds 1, 2 and 3) goes to the game table, the rest to the
// room; a seat request is decided here, where tables and rooms meet.
void GameServer::HandleModulePacket(Session &session, const std::string &packet) {
    constexpr uint8_t KindSeatRequest = 13;
    const int number = session.Table;
    const auto request = RoomPackets::ReadRequest(packet);
    if (!request)
        return;
    const bool game =
        request->Kind == GameTable::TableMessageKind &&
        (request->Sub == GameTable::SubGameRecordIn ||
         request->Sub == GameTable::SubTableStateRequest || request->Sub == GameTable::SubReady);
    if (game) {
        m_tables[number]->HandlePacket(session.UserId, packet, Now());
    } else if (request->Kind == KindSeatRequest && request->Payload.size() >= 2) {
        const auto seat = static_cast<uint8_t>(request->Payload[0]);
        const bool sit = request->Payload[1] != 0;
        if (sit && m_tables[number]->SeatOf(session.UserId) < 0 &&
            m_tables[number]->Sit(seat, session.UserId))
            TakeSeat(number, session.UserId, seat);
    } else {
        constexpr uint8_t SubBroadcast = 66;
        constexpr uint8_t KindLeave = 11;
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
    Deliver(number);
}

void GameServer::Refuse(QTcpSocket *socket, Session &session, ErrorCode code) {
    session.Closing = true;
    socket->write(EncodeFrame(ErrorFrame{code, {}}));
    QMetaObject::invokeMethod(socket, &QTcpSocket::disconnectFromHost, Qt::QueuedConnection);
}

void GameServer::Tick() {
    for (auto &[number, table] : m_tables) {
        table->Tick(Now());
        m_rooms[number]->Tick(Now());
        Deliver(number);
    }
}

// The seat stays for the user's return; leaving a running hand counts as an escape.
void GameServer::Dropped(QTcpSocket *socket) {
    const Session session = m_sessions.take(socket);
    socket->deleteLater();
    if (session.Table < 0)
        return;
    const GameTable &table = *m_tables[session.Table];
    const auto phase = table.Game().CurrentPhase();
    if (table.SeatOf(session.UserId) >= 0 &&
        (phase == GameEngine::Phase::Bidding || phase == GameEngine::Phase::Playing))
        m_users.AddEscape(session.UserId);
    // The others see the seat empty ("dropped") until the user comes back.
    m_rooms[session.Table]->Leave(session.UserId);
    Deliver(session.Table);
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
    for (int seat = 0; seat < GameEngine::SeatCount; ++seat) {
        const auto &result = game.LastResult()[static_cast<size_t>(seat)];
        RoomPackets::SettlementEntry entry;
        entry.UserId = result.UserId != 0 ? result.UserId : BotId(table, seat);
        entry.ScoreChange = result.Value1 * options.ResultScale1;
        entry.BeanChange = result.Value2 * options.ResultScale2;
        if (result.UserId != 0)
            m_users.AddHandResult(result.UserId, entry.ScoreChange, entry.BeanChange);
        if (const auto *member = room.Find(entry.UserId)) {
            entry.NewScore = member->Score + entry.ScoreChange;
            entry.NewBeans = member->Beans + entry.BeanChange;
        }
        entries.push_back(entry);
    }
    room.HandFinished(entries);
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
