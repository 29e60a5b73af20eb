#pragma once
// A game server for hall tests and benchmarks: listens on loopback, speaks the hall
// framing, answers a login with a fixed user id and records every frame a hall sends.
// What the table sends is up to the test: a user list, the server's own deal of a hand,
// a settlement, the end of a hand, raw bytes, or the end of the connection.

#include "game/GameEngine.h"
#include "protocol/HallFrame.h"
#include "protocol/HallFrameReader.h"
#include "room/RoomPackets.h"

#include <QHostAddress>
#include <QPointer>
#include <QTcpServer>
#include <QTcpSocket>

#include <functional>
#include <span>
#include <string>
#include <vector>

class ScriptedHallServer {
public:
    static constexpr int64_t HallUserId = 4242;

    ScriptedHallServer() {
        m_listener.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&m_listener, &QTcpServer::newConnection, [this] { Accept(); });
    }
    ~ScriptedHallServer() {
        if (m_socket)
            m_socket->disconnect();
    }

    uint16_t Port() const { return m_listener.serverPort(); }
    bool HasHall() const {
        return m_socket && m_socket->state() == QAbstractSocket::ConnectedState;
    }
    bool HallLeft() const { return m_hallLeft; }

    // Runs once the hall has chosen its table, before anything else is sent.
    std::function<void(const HallProto::TableChoiceFrame &)> OnTableChoice;
    // Runs for every packet the module sends through the hall.
    std::function<void(const std::string &)> OnModulePacket;

    void Send(const HallProto::HallFrame &frame) {
        if (m_socket)
            m_socket->write(HallProto::EncodeFrame(frame));
    }
    void SendPacket(const std::string &packet) {
        Send(HallProto::TablePacketFrame{HallProto::FrameType::PacketToModule, packet});
    }
    void SendRaw(const QByteArray &bytes) {
        if (m_socket)
            m_socket->write(bytes);
    }
    void Drop() {
        if (m_socket)
            m_socket->disconnectFromHost();
    }

    // The hall's user at seat 0 and three robots.
    void SendUserList(const std::string &nick) {
        std::vector<RoomPackets::Member> members;
        for (uint8_t seat = 0; seat < 4; ++seat) {
            RoomPackets::Member member;
            member.UserId = seat == 0 ? HallUserId : 9000 + seat;
            member.NickName = seat == 0 ? nick : "Robot " + std::to_string(seat + 1);
            member.Face = seat;
            member.Seat = seat;
            member.Player = true;
            members.push_back(member);
        }
        SendPacket(RoomPackets::UserList(members));
    }
    // The server engine's deal of one hand: the snapshot and the records after it.
    void SendDeal(uint32_t key = 7) {
        GameEngine game(GameOptions{}, ChaChaRandom::Key{key});
        game.SetSeatUser(0, HallUserId);
        for (int seat = 1; seat < GameEngine::SeatCount; ++seat)
            game.SetSeatUser(seat, 9000 + seat);
        game.StartHand(0);
        for (const auto &output : game.TakeOutput())
            SendPacket(RoomPackets::TableMessage(0, output.SubKind, output.Payload));
    }
    void SendHandOver() {
        std::vector<RoomPackets::SettlementEntry> entries;
        for (int seat = 0; seat < 4; ++seat) {
            const int64_t change = seat == 0 ? 3 : -1;
            entries.push_back({seat == 0 ? HallUserId : 9000 + seat, change, change, 0, 0});
        }
        SendPacket(RoomPackets::Settlement(1, entries));
        SendPacket(RoomPackets::TableMessage(0, GameEngine::SubGameOver, {}));
    }

    std::vector<HallProto::HallFrame> Frames;
    std::vector<std::string> ModulePackets;

    // Module packets of kind 3 with this sub-kind, or of this other kind.
    int CountTable(uint8_t sub) const {
        int count = 0;
        for (const auto &packet : ModulePackets)
            count += packet.size() >= 10 && packet[0] == 3 && uint8_t(packet[9]) == sub;
        return count;
    }
    int CountKind(uint8_t kind) const {
        int count = 0;
        for (const auto &packet : ModulePackets)
            count += !packet.empty() && uint8_t(packet[0]) == kind;
        return count;
    }

private:
    void Accept() {
        QTcpSocket *socket = m_listener.nextPendingConnection();
        if (m_socket) {
            socket->abort();
            return;
        }
        m_socket = socket;
        QObject::connect(socket, &QTcpSocket::readyRead, [this] { Read(); });
        QObject::connect(socket, &QTcpSocket::disconnected, [this] { m_hallLeft = true; });
    }
    void Read() {
        m_reader.Append(m_socket->readAll());
        while (auto payload = m_reader.TakePayload()) {
            auto frame = HallProto::DecodeFrame(
                std::span<const uint8_t>(reinterpret_cast<const uint8_t *>(payload->constData()),
                                         static_cast<size_t>(payload->size())));
            if (!frame)
                continue;
            Frames.push_back(*frame);
            Handle(*frame);
        }
    }
    void Handle(const HallProto::HallFrame &frame) {
        using namespace HallProto;
        if (std::holds_alternative<LoginFrame>(frame)) {
            Send(LoginResultFrame{LoginStatus::Accepted, HallUserId});
        } else if (const auto *choice = std::get_if<TableChoiceFrame>(&frame)) {
            if (OnTableChoice)
                OnTableChoice(*choice);
        } else if (const auto *packet = std::get_if<TablePacketFrame>(&frame)) {
            ModulePackets.push_back(packet->Packet);
            if (OnModulePacket)
                OnModulePacket(packet->Packet);
        }
    }

    QTcpServer m_listener;
    QPointer<QTcpSocket> m_socket;
    HallProto::HallFrameReader m_reader;
    bool m_hallLeft = false;
};
