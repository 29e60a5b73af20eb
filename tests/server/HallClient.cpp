#include "HallClient.h"

#include <variant>

using namespace HallProto;

namespace {

int64_t ReadI64(const std::string &bytes, size_t at) {
    uint64_t value = 0;
    for (size_t b = 0; b < 8; ++b)
        value |= uint64_t(uint8_t(bytes[at + b])) << (8 * b);
    return static_cast<int64_t>(value);
}

} // namespace

QCoreApplication &TestApp() {
    static int argc = 1;
    static char name[] = "test_server";
    static char *argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    return app;
}

std::string ModulePacket(int64_t user, uint8_t sub, const std::string &payload) {
    std::string out(1, '\3');
    for (int i = 0; i < 8; ++i)
        out.push_back(static_cast<char>(static_cast<uint64_t>(user) >> (8 * i)));
    return out + static_cast<char>(sub) + payload;
}

HallClient::HallClient(quint16 port) {
    m_socket.connectToHost(QHostAddress::LocalHost, port);
    QObject::connect(&m_socket, &QTcpSocket::readyRead, [this] { Received(); });
}

void HallClient::Received() {
    m_reader.Append(m_socket.readAll());
    while (auto payload = m_reader.TakePayload()) {
        const auto frame = DecodeFrame(
            std::span<const uint8_t>(reinterpret_cast<const uint8_t *>(payload->constData()),
                                     static_cast<size_t>(payload->size())));
        if (!frame)
            continue;
        Frames.push_back(*frame);
        const auto *packet = std::get_if<TablePacketFrame>(&*frame);
        constexpr char KindChallenge = 52;
        if (m_answer && packet && !packet->Packet.empty() && packet->Packet[0] == KindChallenge)
            SendModule(std::string(1, 53) + packet->Packet.substr(1));
    }
}

void HallClient::Send(const HallFrame &frame) {
    m_socket.write(EncodeFrame(frame));
}

void HallClient::SendModule(const std::string &packet) {
    Send(TablePacketFrame{FrameType::PacketFromModule, packet});
}

int64_t HallClient::Login(const std::string &nickName) {
    const size_t before = Frames.size();
    Send(LoginFrame{nickName, ""});
    if (!RunUntil([&] { return Frames.size() > before; }))
        return 0;
    const auto *result = std::get_if<LoginResultFrame>(&Frames[before]);
    return result && result->Status == LoginStatus::Accepted ? result->UserId : 0;
}

std::vector<std::string> HallClient::Packets() const {
    std::vector<std::string> packets;
    for (const auto &frame : Frames)
        if (const auto *packet = std::get_if<TablePacketFrame>(&frame))
            packets.push_back(packet->Packet);
    return packets;
}

int HallClient::CountSubKind(uint8_t sub) const {
    int count = 0;
    for (const auto &packet : Packets())
        count += packet.size() >= 10 && packet[0] == 3 && uint8_t(packet[9]) == sub;
    return count;
}

int HallClient::CountKind(uint8_t kind, int64_t user) const {
    int count = 0;
    for (const auto &packet : Packets())
        count += packet.size() >= 9 && uint8_t(packet[0]) == kind && ReadI64(packet, 1) == user;
    return count;
}

int HallClient::CountRecord(uint8_t id, uint8_t seat) const {
    int count = 0;
    for (const auto &packet : Packets())
        count += packet.size() >= 12 && packet[0] == 3 && packet[9] == 17 &&
                 uint8_t(packet[10]) == id && uint8_t(packet[11]) == seat;
    return count;
}
