#include "room/TableRoom.h"

#include "platform/ByteReader.h"

#include <gtest/gtest.h>

using namespace RoomPackets;

namespace {

Member Person(int64_t id, uint8_t seat, bool player, const std::string &name) {
    Member member;
    member.UserId = id;
    member.Seat = seat;
    member.Player = player;
    member.NickName = name;
    return member;
}

int64_t ReadI64(const std::string &bytes, size_t at) {
    Platform::ByteReader in(bytes.data(), bytes.size());
    in.Seek(at);
    return in.ReadI64LE().value_or(-1);
}

std::vector<std::string> PacketsFor(const std::vector<TablePacket> &packets, int64_t user) {
    std::vector<std::string> out;
    for (const auto &packet : packets)
        if (packet.Target == 0 || packet.Target == user)
            out.push_back(packet.Packet);
    return out;
}

Request TableRequest(uint8_t sub, const std::string &payload, int64_t header = 0) {
    Request request;
    request.Kind = 3;
    request.Sub = sub;
    request.HeaderId = header;
    request.Payload = payload;
    return request;
}

class TableRoomTest : public testing::Test {
protected:
    TableRoomTest()
        : room(Rules{}) {
        room.Join(Person(1, 0, true, "ann"));
        room.Join(Person(2, 1, true, "bob"));
        room.TakePackets();
    }
    TableRoom room;
};

} // namespace

TEST_F(TableRoomTest, ANewcomerGetsTheRoomAndTheOthersGetTheNewcomer) {
    room.Join(Person(3, 1, false, "cy"));
    const auto packets = room.TakePackets();
    const auto forNewcomer = PacketsFor(packets, 3);
    const auto list = std::find_if(forNewcomer.begin(), forNewcomer.end(),
                                   [](const auto &p) { return p[0] == 9; });
    ASSERT_NE(list, forNewcomer.end());
    ASSERT_EQ(list->size(), 5u + 3 * 100);
    EXPECT_EQ(ReadI64(*list, 5 + 200), 3);
    EXPECT_EQ(list->substr(5 + 208, 2), "cy");
    const auto forOld = PacketsFor(packets, 1);
    EXPECT_NE(std::find(forOld.begin(), forOld.end(), UserEntered(Person(3, 1, false, "cy"))),
              forOld.end());
    const auto config = std::find_if(forOld.begin(), forOld.end(), [](const auto &p) {
        return p.size() > 10 && p[9] == 17 && uint8_t(p[10]) == 255;
    });
    ASSERT_NE(config, forOld.end());
    const std::string record = config->substr(10);
    EXPECT_EQ(record.size(), 152u + 2 * 63) << "the two players are the roster";
    EXPECT_EQ(ReadI64(record, 152), 1);
    EXPECT_EQ(ReadI64(record, 152 + 63), 2);
}

TEST_F(TableRoomTest, ChatMoodsAndPermissionsAreRelayed) {
    EXPECT_TRUE(room.Handle(1, TableRequest(67, "hello")));
    auto packets = room.TakePackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].Target, 0);
    EXPECT_EQ(packets[0].Packet, TableMessage(1, 67, "hello"));

    std::string mood(45, '\0');
    mood[0] = 2; // to user 2
    mood[24] = 4;
    EXPECT_TRUE(room.Handle(1, TableRequest(112, mood)));
    packets = room.TakePackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].Target, 2);
    EXPECT_EQ(packets[0].Packet, TableMessage(1, 112, mood));
    EXPECT_FALSE(room.Handle(1, TableRequest(112, "short")));
    EXPECT_FALSE(room.Handle(1, TableRequest(33, "short")));
    EXPECT_FALSE(room.Handle(99, TableRequest(67, "stranger")));
    EXPECT_TRUE(room.TakePackets().empty());

    room.Handle(1, TableRequest(66, "[ann]:hi all"));
    const auto shouts = room.TakeBroadcasts();
    ASSERT_EQ(shouts.size(), 1u);
    EXPECT_EQ(shouts[0].second, "[ann]:hi all");
}

TEST_F(TableRoomTest, AnAdministratorMutesAndTheMutedAreSilent) {
    room.SetAdministrators("1,");
    room.Handle(2, TableRequest(146, "", 1));
    EXPECT_TRUE(room.TakePackets().empty()) << "only an administrator mutes";
    room.Handle(1, TableRequest(146, "", 2));
    auto packets = room.TakePackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].Packet, TableMessage(2, 146, "2,"));
    room.Handle(2, TableRequest(67, "can you hear me"));
    EXPECT_TRUE(room.TakePackets().empty());
    room.Handle(1, TableRequest(146, "", 2));
    EXPECT_EQ(room.TakePackets()[0].Packet, TableMessage(2, 146, ","));
    room.Handle(2, TableRequest(67, "back"));
    EXPECT_EQ(room.TakePackets().size(), 1u);
}

TEST_F(TableRoomTest, AFinishedHandIsSettledAndCountedInTheRoster) {
    room.HandFinished({{1, 30, 130, 30, 30}, {2, -30, -30, -30, -30}});
    const auto packets = room.TakePackets();
    ASSERT_GE(packets.size(), 2u);
    EXPECT_EQ(packets[0].Packet, Settlement(1, {{1, 30, 130, 30, 30}, {2, -30, -30, -30, -30}}));
    EXPECT_EQ(room.Find(1)->Wins, 1);
    EXPECT_EQ(room.Find(2)->Losses, 1);
    EXPECT_EQ(room.Find(2)->Score, -30);
    EXPECT_EQ(room.Find(1)->RoundsPlayed, 1);
    room.Leave(2);
    EXPECT_EQ(room.TakePackets().back().Packet, UserLeft(2));
    EXPECT_EQ(room.Find(2), nullptr);
}

TEST(RoomPacketsTest, RequestsAreReadSafely) {
    EXPECT_FALSE(ReadRequest(""));
    EXPECT_FALSE(ReadRequest(std::string("\3\1\2", 3)));
    const auto seat = ReadRequest(std::string("\15\2\1", 3));
    ASSERT_TRUE(seat);
    EXPECT_EQ(seat->Kind, 13);
    EXPECT_EQ(seat->Payload, std::string("\2\1", 2));
    const auto chat = ReadRequest(TableMessage(7, 67, "x"));
    ASSERT_TRUE(chat);
    EXPECT_EQ(chat->HeaderId, 7);
    EXPECT_EQ(chat->Sub, 67);
    EXPECT_EQ(chat->Payload, "x");
}

namespace {

std::string ExpelPayload(int64_t initiator, int64_t target, const std::string &reason) {
    std::string payload;
    for (int64_t value : {initiator, target})
        for (int i = 0; i < 8; ++i)
            payload.push_back(static_cast<char>(static_cast<uint64_t>(value) >> (8 * i)));
    payload.push_back('\1');
    std::string field(41, '\0');
    field[0] = static_cast<char>(reason.size());
    field.replace(1, reason.size(), reason);
    return payload + field;
}

uint8_t VotePhase(const TablePacket &packet) {
    return packet.Packet.size() > 26 && packet.Packet[9] == 20 ? uint8_t(packet.Packet[26]) : 255;
}

} // namespace

TEST_F(TableRoomTest, AnExpelVoteIsCarriedByMoreThanHalfOfTheOtherPlayers) {
    room.Join(Person(3, 2, true, "cy"));
    room.Join(Person(4, 3, true, "dee"));
    room.TakePackets();
    room.Handle(1, TableRequest(4, ExpelPayload(1, 4, "slow")), 1000);
    auto packets = room.TakePackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(VotePhase(packets[0]), 1) << "announced";
    room.Handle(1, TableRequest(4, ExpelPayload(1, 4, "slow")), 1100);
    EXPECT_TRUE(room.TakePackets().empty()) << "one voice per player";
    room.Handle(4, TableRequest(4, ExpelPayload(4, 4, "me")), 1200);
    EXPECT_TRUE(room.TakePackets().empty()) << "nobody votes on himself";
    room.Handle(2, TableRequest(4, ExpelPayload(2, 4, "slow")), 1300);
    packets = room.TakePackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(VotePhase(packets[0]), 2) << "two of three: carried";
    const auto removals = room.TakeRemovals();
    ASSERT_EQ(removals.size(), 1u);
    EXPECT_EQ(removals[0].UserId, 4);
    EXPECT_TRUE(removals[0].Expelled);
}

TEST_F(TableRoomTest, AnUnansweredVoteFailsWhenItsTimeIsUp) {
    room.Join(Person(3, 2, true, "cy"));
    room.TakePackets();
    room.Handle(1, TableRequest(4, ExpelPayload(1, 3, "why")), 0);
    room.TakePackets();
    room.Tick(TableRoom::VoteMs - 1);
    EXPECT_TRUE(room.TakePackets().empty());
    room.Tick(TableRoom::VoteMs);
    const auto packets = room.TakePackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(VotePhase(packets[0]), 0);
    room.Handle(1, TableRequest(4, std::string(10, '\1')), 0);
    EXPECT_TRUE(room.TakePackets().empty()) << "a short request starts nothing";
}

namespace {

Request KickRequest(uint8_t type, int64_t target) {
    std::string payload(1, static_cast<char>(type));
    for (int i = 0; i < 8; ++i)
        payload.push_back(static_cast<char>(static_cast<uint64_t>(target) >> (8 * i)));
    Request request;
    request.Kind = 18;
    request.Payload = payload + std::string("\3\0\0\0bad", 7);
    return request;
}

} // namespace

TEST_F(TableRoomTest, OnlyAdministratorsKickAndOnlyOwnersKickForGood) {
    room.Handle(1, KickRequest(0, 2));
    EXPECT_TRUE(room.TakePackets().empty());
    room.SetAdministrators("1,");
    room.Handle(1, KickRequest(2, 2));
    EXPECT_TRUE(room.TakePackets().empty()) << "an administrator is not an owner";
    EXPECT_TRUE(room.TakeRemovals().empty());
    room.Handle(1, KickRequest(1, 2));
    const auto packets = room.TakePackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].Packet[0], 19);
    EXPECT_EQ(packets[0].Packet.substr(22), "bad");
    const auto removals = room.TakeRemovals();
    ASSERT_EQ(removals.size(), 1u);
    EXPECT_EQ(removals[0].UserId, 2);
    EXPECT_EQ(removals[0].KickType, 1);
    EXPECT_FALSE(removals[0].Expelled);
    Request cut = KickRequest(0, 2);
    cut.Payload = cut.Payload.substr(0, 5);
    room.Handle(1, cut);
    EXPECT_TRUE(room.TakePackets().empty());
    room.SetOwners("1,");
    room.Handle(1, KickRequest(2, 2));
    EXPECT_EQ(room.TakeRemovals().size(), 1u);
    room.Handle(1, KickRequest(3, 2));
    EXPECT_TRUE(room.TakeRemovals().empty()) << "no such kick type";
}

TEST_F(TableRoomTest, RightsAreToldToNewcomersAndAboutThem) {
    room.SetAdministrators("1,3,");
    room.SetOwners("3,");
    room.Join(Person(3, 2, true, "cy"));
    const auto packets = room.TakePackets();
    const auto forCy = PacketsFor(packets, 3);
    EXPECT_NE(std::find(forCy.begin(), forCy.end(), Rights(1, 1)), forCy.end());
    EXPECT_NE(std::find(forCy.begin(), forCy.end(), Rights(3, 2)), forCy.end());
    const auto forBob = PacketsFor(packets, 2);
    EXPECT_NE(std::find(forBob.begin(), forBob.end(), Rights(3, 2)), forBob.end());
    EXPECT_EQ(std::find(forBob.begin(), forBob.end(), Rights(1, 1)), forBob.end())
        << "bob was told when he came";
    EXPECT_EQ(room.RightsOf(2), 0);
}

TEST_F(TableRoomTest, AdministratorNoticesAndListsGoOutOnRequest) {
    room.SetAdministrators("1,");
    room.SetList147("2,");
    std::string notice(8, '\0');
    notice[0] = 1;
    std::string field(256, '\0');
    field[0] = 4;
    field.replace(1, 4, "stop");
    room.Handle(2, TableRequest(81, notice + field));
    EXPECT_TRUE(room.TakePackets().empty()) << "not an administrator";
    room.Handle(1, TableRequest(81, notice + field));
    auto packets = room.TakePackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].Target, 0);
    EXPECT_EQ(packets[0].Packet, TableMessage(1, 82, notice + '\0' + field));
    room.Handle(1, TableRequest(81, notice));
    EXPECT_TRUE(room.TakePackets().empty()) << "no text";

    room.Handle(2, TableRequest(145, "", 2));
    room.Handle(2, TableRequest(147, "", 2));
    packets = room.TakePackets();
    ASSERT_EQ(packets.size(), 2u);
    EXPECT_EQ(packets[0].Target, 2);
    EXPECT_EQ(packets[0].Packet, TableMessage(0, 145, "1,"));
    EXPECT_EQ(packets[1].Packet, TableMessage(0, 147, "2,"));
}

TEST_F(TableRoomTest, AMeasuredDelayIsKeptAndToldToTheTable) {
    room.SetNetDelay(2, 37);
    const auto packets = room.TakePackets();
    ASSERT_EQ(packets.size(), 1u);
    EXPECT_EQ(packets[0].Target, 0);
    EXPECT_EQ(packets[0].Packet, NetDelay(2, 37));
    EXPECT_EQ(room.Find(2)->Delay, 37);
    room.SetNetDelay(99, 5);
    EXPECT_TRUE(room.TakePackets().empty());
}
