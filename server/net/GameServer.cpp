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
        const auto record = m_users.Login(QString::fromStdString(login->NickName));
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
        auto &table = m_tables[choice->Table];
        if (!table)
            table = std::make_unique<GameTable>(m_options.Game, ChaChaRandom::SystemKey(),
                                                m_options.BotDelayMs);
        if (choice->Seat != WatcherSeat && !table->Sit(choice->Seat, session.UserId)) {
            Refuse(socket, session, ErrorCode::SeatTaken);
            return;
        }
        session.Table = choice->Table;
        return;
    }
    if (const auto *packet = std::get_if<TablePacketFrame>(&frame);
        packet && packet->Type == FrameType::PacketFromModule && session.Table >= 0) {
        m_tables[session.Table]->HandlePacket(session.UserId, packet->Packet, Now());
        Deliver(session.Table);
        return;
    }
    Refuse(socket, session, ErrorCode::Malformed);
}

void GameServer::Refuse(QTcpSocket *socket, Session &session, ErrorCode code) {
    session.Closing = true;
    socket->write(EncodeFrame(ErrorFrame{code, {}}));
    QMetaObject::invokeMethod(socket, &QTcpSocket::disconnectFromHost, Qt::QueuedConnection);
}

void GameServer::Tick() {
    for (auto &[number, table] : m_tables) {
        table->Tick(Now());
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
}

void GameServer::RecordFinishedHand(int table) {
    const GameEngine &game = m_tables[table]->Game();
    int &recorded = m_recordedHands[table];
    if (recorded == game.HandsFinished())
        return;
    recorded = game.HandsFinished();
    const GameOptions &options = m_options.Game;
    for (const auto &entry : game.LastResult())
        if (entry.UserId != 0)
            m_users.AddHandResult(entry.UserId, entry.Value1 * options.ResultScale1,
                                  entry.Value2 * options.ResultScale2);
}

void GameServer::Deliver(int table) {
    RecordFinishedHand(table);
    const auto packets = m_tables[table]->TakePackets();
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
