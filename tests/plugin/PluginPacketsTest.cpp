#include "plugin/PluginPackets.h"
#include "platform/ByteWriter.h"
#include "plugin/OutgoingPackets.h"

#include <gtest/gtest.h>

namespace PP = PluginPackets;
using Platform::ByteWriter;

namespace {

std::optional<PP::Packet> Decode(const std::string &bytes) {
    return PP::Decode(std::span(reinterpret_cast<const uint8_t *>(bytes.data()), bytes.size()));
}

std::string Table(int64_t sender, uint8_t sub, const std::string &payload = {}) {
    return PP::TableHeader(sender, sub) + payload;
}

STRU_PLUGIN_USERINFO User(int64_t id, uint8_t seat, bool player) {
    STRU_PLUGIN_USERINFO user;
    user.UserId = id;
    user.SetNickname("user" + std::to_string(id));
    user.Seat = seat;
    user.Player = player ? 1 : 0;
    user.Score = -7;
    user.Beans = 1234567890123;
    user.Reserved[3] = 0xAB;
    return user;
}

std::string UserList(uint32_t count, int records) {
    ByteWriter out;
    out.U8(PP::Kind::UserList).U32LE(count);
    for (int i = 0; i < records; ++i)
        out.Bytes(User(100 + i, uint8_t(i % 4), true).Bytes());
    return out.Take();
}

struct Layout {
    const char *Name;
    std::string Packet;
    size_t Fixed;
};

// One well-formed packet of every kind with its fixed layout's length.
std::vector<Layout> Layouts() {
    ByteWriter reason;
    reason.ShortString("why", 40);
    ByteWriter admin;
    admin.I64LE(5).U8(9).ShortString("notice", 255);
    ByteWriter mood;
    mood.I64LE(0).I64LE(5).U64LE(2).ShortString("happy", 20);
    ByteWriter expel;
    expel.I64LE(1).I64LE(2).U8(1).Bytes(reason.Data());
    ByteWriter channel2;
    channel2.U8(4).U8(2).I64LE(9).I32LE(-3).I32LE(3).Bytes("abc");
    ByteWriter kick;
    kick.U8(19).U8(1).I64LE(3).I64LE(4).I32LE(3).Bytes("bad");
    ByteWriter settlement;
    settlement.U8(16).U8(1).U32LE(1).Bytes(TSettlementEntry{1, 2, 3, 4, 5}.Bytes());
    return {
        {"seat ready", Table(1, 19, std::string("\5\0\0\0\0\0\0\0\1", 9)), 19},
        {"expel notice", Table(1, 20, expel.Data()), 68},
        {"safe box", Table(1, 21, std::string(11, '\1')), 21},
        {"watch permission", Table(1, 33, std::string(9, '\1')), 19},
        {"admin notice", Table(1, 82, admin.Data()), 275},
        {"mood", Table(1, 112, mood.Data()), 55},
        {"channel 0", std::string("\4\0", 2) + std::string(12, '\1'), 14},
        {"channel 2", channel2.Data(), 21},
        {"rights", std::string(10, '\10'), 10},
        {"user list", UserList(2, 2), 205},
        {"user enter", "\12" + User(7, 1, true).Bytes(), 101},
        {"user leave", std::string(9, '\14'), 9},
        {"seat change", std::string(9, '\16') + std::string("\2\1\1", 3), 12},
        {"settlement", settlement.Data(), 46},
        {"kick notice", kick.Data(), 22},
        {"net delay", std::string(13, '\36'), 13},
        {"relay text", std::string(9, '\37'), 9},
        {"challenge", std::string(17, '\64'), 17},
        {"game record", Table(1, 17, "x"), 10},
        {"server text", Table(1, 65, "hello"), 10},
    };
}

} // namespace

TEST(PluginPacketDecoding, EveryKindDecodesWholeAndIsDroppedWhenCutShort) {
    for (const auto &layout : Layouts()) {
        SCOPED_TRACE(layout.Name);
        const auto whole = Decode(layout.Packet);
        ASSERT_TRUE(whole);
        EXPECT_FALSE(std::holds_alternative<PP::Ignored>(*whole));
        for (size_t length = 0; length < layout.Fixed; ++length)
            EXPECT_FALSE(Decode(layout.Packet.substr(0, length))) << "length " << length;
    }
}

TEST(PluginPacketDecoding, TheFieldsComeOutWhereTheLayoutPutsThem) {
    const auto enter = std::get<PP::UserEnter>(*Decode("\12" + User(77, 3, true).Bytes()));
    EXPECT_EQ(enter.Record, User(77, 3, true));
    EXPECT_EQ(enter.Record.NicknameText(), "user77");

    ByteWriter expel;
    expel.Bytes(Table(1, 20)).I64LE(11).I64LE(22).U8(2).ShortString("cheat", 40);
    const auto notice = std::get<PP::ExpelNotice>(*Decode(expel.Data()));
    EXPECT_EQ(notice.Initiator, 11);
    EXPECT_EQ(notice.Target, 22);
    EXPECT_EQ(notice.Phase, 2);
    EXPECT_EQ(notice.Reason, "cheat");

    ByteWriter channel;
    channel.U8(4).U8(2).I64LE(-9).I32LE(77).I32LE(2).Bytes("xyz");
    const auto two = std::get<PP::GameChannel>(*Decode(channel.Data()));
    EXPECT_EQ(two.UserId, -9);
    EXPECT_EQ(two.Value, 77);
    EXPECT_EQ(std::string(two.Data.begin(), two.Data.end()), "xy");

    const auto chat = std::get<PP::TableText>(*Decode(Table(-5, 67, "hi")));
    EXPECT_EQ(chat.Sender, -5);
    EXPECT_EQ(chat.Sub, 67);
    EXPECT_EQ(chat.Text, "hi");
}

TEST(PluginPacketDecoding, CountsLengthsAndTextsAreBounded) {
    // Three hundred users announced: two hundred are read and the overflow is flagged.
    const auto big = std::get<PP::UserList>(*Decode(UserList(300, 300)));
    EXPECT_EQ(big.Records.size(), 200u);
    EXPECT_TRUE(big.Overflow);
    EXPECT_FALSE(Decode(UserList(3, 2))) << "a count larger than the records";
    EXPECT_EQ(std::get<PP::UserList>(*Decode(UserList(0, 0))).Records.size(), 0u);

    ByteWriter settlement;
    settlement.U8(16).U8(1).U32LE(0xFFFFFFFF);
    EXPECT_FALSE(Decode(settlement.Data())) << "four billion entries announced, none there";

    ByteWriter negative;
    negative.U8(4).U8(2).I64LE(1).I32LE(1).I32LE(-1);
    EXPECT_FALSE(Decode(negative.Data()));
    ByteWriter past;
    past.U8(4).U8(2).I64LE(1).I32LE(1).I32LE(100).Bytes("short");
    EXPECT_FALSE(Decode(past.Data()));
    ByteWriter unknownChannel;
    unknownChannel.U8(4).U8(7).I64LE(1).I32LE(1);
    EXPECT_TRUE(std::holds_alternative<PP::Ignored>(*Decode(unknownChannel.Data())));

    ByteWriter mood;
    mood.Bytes(Table(1, 112)).I64LE(0).I64LE(5).U64LE(256).ShortString("x", 20);
    EXPECT_FALSE(Decode(mood.Data())) << "a seat above 255";

    // The table has seats 0..3: a record or seat change naming another is refused whole.
    EXPECT_FALSE(Decode("\12" + User(7, 4, true).Bytes()));
    ByteWriter list;
    list.U8(PP::Kind::UserList).U32LE(2).Bytes(User(7, 3, true).Bytes());
    list.Bytes(User(8, 200, false).Bytes());
    EXPECT_FALSE(Decode(list.Data()));
    EXPECT_FALSE(Decode(std::string(9, '\16') + std::string("\4\1\1", 3)));
    EXPECT_TRUE(Decode(std::string(9, '\16') + std::string("\3\1\1", 3)));

    auto kick = [](int32_t length, const std::string &reason) {
        ByteWriter out;
        out.U8(19).U8(0).I64LE(1).I64LE(2).I32LE(length).Bytes(reason);
        return std::get<PP::KickNotice>(*Decode(out.Data())).Reason;
    };
    EXPECT_EQ(kick(10, std::string("abc\0def", 7)), "abc");
    EXPECT_EQ(kick(2, "abcdef"), "ab");
    EXPECT_EQ(kick(-4, "abcdef"), "");
    EXPECT_EQ(kick(1000, std::string(300, 'r')).size(), 200u);

    const auto relay = std::get<PP::RelayText>(
        *Decode(std::string("\37\1\0\0\0\0\0\0\0", 9) + std::string(250, 't')));
    EXPECT_EQ(relay.Text.size(), 200u);
    EXPECT_EQ(relay.SenderOrKind, 1);
}

TEST(PluginPacketDecoding, UnknownKindsAndEmptyTextsAskForNothing) {
    for (const std::string &packet :
         {std::string("\5"), std::string("\310"), Table(1, 200), Table(1, 67), Table(1, 65),
          Table(1, 145), std::string(17, '\63')})
        EXPECT_TRUE(std::holds_alternative<PP::Ignored>(*Decode(packet)));
    EXPECT_FALSE(Decode(""));
    EXPECT_FALSE(Decode(std::string("\3\1\2", 3)));
}

TEST(OutgoingPackets, AreBuiltByteForByte) {
    const std::string me("\x39\x30\0\0\0\0\0\0", 8); // 12345
    EXPECT_EQ(PP::TableHeader(12345, 2), "\3" + me + "\2");
    EXPECT_EQ(PP::GameRecordPacket(12345, "rec"), "\3" + me + "\1rec");

    const std::string expel = PP::ExpelPacket(12345, 7, 1, "why");
    ASSERT_EQ(expel.size(), 68u);
    EXPECT_EQ(expel.substr(0, 10), "\3" + me + "\4");
    EXPECT_EQ(expel.substr(10, 8), me);
    EXPECT_EQ(expel.substr(18, 9), std::string("\7\0\0\0\0\0\0\0\1", 9));
    EXPECT_EQ(expel.substr(27, 4), "\3why");
    EXPECT_EQ(expel.substr(31), std::string(37, '\0'));

    EXPECT_EQ(PP::WatchPermissionPacket(12345, 7, true),
              "\3" + me + "\41" + std::string("\7\0\0\0\0\0\0\0\1", 9));
    EXPECT_EQ(PP::TextPacket(12345, 67, "hi"), "\3" + me + "Chi");

    const std::string notice = PP::AdminNoticePacket(12345, "stop");
    ASSERT_EQ(notice.size(), 274u);
    EXPECT_EQ(notice.substr(10, 8), me);
    EXPECT_EQ(notice.substr(18, 5), "\4stop");

    const std::string mood = PP::MoodPacket(12345, 0, 3, "glad");
    ASSERT_EQ(mood.size(), 55u);
    EXPECT_EQ(mood[9], 'p');
    EXPECT_EQ(mood.substr(10, 8), std::string(8, '\0'));
    EXPECT_EQ(mood.substr(18, 8), me);
    EXPECT_EQ(mood.substr(26, 8), std::string("\3\0\0\0\0\0\0\0", 8));
    EXPECT_EQ(mood.substr(34, 5), "\4glad");

    EXPECT_EQ(PP::UserPacket(7, 12345), "\7" + me);
    EXPECT_EQ(PP::UserPacket(11, 12345), "\13" + me);
    EXPECT_EQ(PP::SeatRequestPacket(2, true), std::string("\15\2\1", 3));
    EXPECT_EQ(PP::KickPacket(1, 9, "ab"), std::string("\22\1\11\0\0\0\0\0\0\0\2\0\0\0ab", 16));
    std::array<uint8_t, 16> answer{};
    answer[0] = 0xEE;
    const std::string auth = PP::AuthAnswerPacket(answer);
    ASSERT_EQ(auth.size(), 17u);
    EXPECT_EQ(uint8_t(auth[1]), 0xEE);
}
