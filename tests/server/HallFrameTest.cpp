#include "protocol/HallFrame.h"
#include "protocol/HallFrameReader.h"

#include <gtest/gtest.h>

#include <vector>

using namespace HallProto;

namespace {

std::span<const uint8_t> Bytes(const QByteArray &bytes) {
    return {reinterpret_cast<const uint8_t *>(bytes.constData()),
            static_cast<size_t>(bytes.size())};
}

std::optional<HallFrame> DecodePayload(const QByteArray &payload) {
    return DecodeFrame(Bytes(payload));
}

QByteArray PayloadOf(const HallFrame &frame) {
    return EncodeFrame(frame).mid(FrameLengthSize);
}

QByteArray LengthPrefix(uint32_t length) {
    QByteArray out;
    for (int i = 0; i < 4; ++i)
        out.append(static_cast<char>(length >> (8 * i)));
    return out;
}

std::vector<HallFrame> SampleFrames() {
    return {LoginFrame{"小明", "secret"},
            LoginResultFrame{LoginStatus::BadPassword, -42},
            TableChoiceFrame{513, 3},
            TableChoiceFrame{7, WatcherSeat},
            TablePacketFrame{FrameType::PacketToModule, std::string("\x03\0\0\x11", 4)},
            TablePacketFrame{FrameType::PacketFromModule, "\x0d\x02\x01"},
            HallNoticeFrame{""},
            HallNoticeFrame{"欢迎"},
            ErrorFrame{ErrorCode::SeatTaken, "seat 2"}};
}

} // namespace

TEST(HallFrame, EveryFrameSurvivesARoundTrip) {
    for (const auto &frame : SampleFrames()) {
        const auto decoded = DecodePayload(PayloadOf(frame));
        ASSERT_TRUE(decoded);
        EXPECT_EQ(*decoded, frame);
    }
}

TEST(HallFrame, LayoutsAreFixedOnTheWire) {
    const QByteArray choice = EncodeFrame(TableChoiceFrame{0x0102, 2});
    EXPECT_EQ(choice, QByteArray("\x04\0\0\0\x03\x02\x01\x02", 8));
    const QByteArray login = PayloadOf(LoginFrame{"ab", "c"});
    ASSERT_EQ(login.size(), 55);
    EXPECT_EQ(login[1], 2);
    EXPECT_EQ(login.mid(2, 2), "ab");
    EXPECT_EQ(login[22], 1);
    EXPECT_EQ(PayloadOf(LoginResultFrame{LoginStatus::Accepted, 1}).size(), 10);
}

TEST(HallFrame, OverlongTextsAreCutToTheirFields) {
    const auto decoded = DecodePayload(PayloadOf(LoginFrame{std::string(30, 'x'), "p"}));
    ASSERT_TRUE(decoded);
    EXPECT_EQ(std::get<LoginFrame>(*decoded).NickName, std::string(NickNameSize, 'x'));
}

TEST(HallFrame, MalformedPayloadsAreRefused) {
    EXPECT_FALSE(DecodePayload({}));
    EXPECT_FALSE(DecodePayload(QByteArray(1, '\x00')));
    EXPECT_FALSE(DecodePayload(QByteArray(1, '\x08')));
    const QByteArray choice = PayloadOf(TableChoiceFrame{1, 0});
    EXPECT_FALSE(DecodePayload(choice.left(3))) << "short";
    EXPECT_FALSE(DecodePayload(choice + 'x')) << "trailing byte";
    EXPECT_FALSE(DecodePayload(QByteArray("\x03\x01\x00\x04", 4))) << "seat 4";
    EXPECT_FALSE(DecodePayload(QByteArray(1, '\x04'))) << "table packet without a kind";
    EXPECT_FALSE(DecodePayload(PayloadOf(LoginFrame{"", "p"}))) << "no nickname";
    EXPECT_FALSE(DecodePayload(QByteArray("\x02\x09", 2) + QByteArray(8, '\0'))) << "status";
    EXPECT_FALSE(DecodePayload(QByteArray("\x07\x00\x00", 3))) << "error code 0";
    EXPECT_FALSE(DecodePayload(QByteArray("\x07\x01", 2))) << "half an error code";
}

TEST(HallFrameReader, FramesSplitAtEveryByteBoundaryArriveWhole) {
    QByteArray stream;
    for (const auto &frame : SampleFrames())
        stream += EncodeFrame(frame);
    for (qsizetype cut = 0; cut <= stream.size(); ++cut) {
        HallFrameReader reader;
        std::vector<HallFrame> received;
        for (const QByteArray &part : {stream.left(cut), stream.mid(cut)}) {
            reader.Append(part);
            while (auto payload = reader.TakePayload())
                received.push_back(*DecodePayload(*payload));
        }
        ASSERT_EQ(received, SampleFrames()) << "cut at " << cut;
        EXPECT_EQ(reader.Buffered(), 0);
    }
}

TEST(HallFrameReader, ByteByByteDeliveryYieldsEachFrameOnce) {
    const QByteArray frame = EncodeFrame(HallNoticeFrame{"hello"});
    HallFrameReader reader;
    int frames = 0;
    for (char byte : frame + frame) {
        reader.Append(QByteArray(1, byte));
        while (reader.TakePayload())
            ++frames;
    }
    EXPECT_EQ(frames, 2);
}

TEST(HallFrameReader, OversizedOrEmptyFramesFailTheStreamForGood) {
    for (uint32_t length : {0u, MaxFramePayload + 1, 0xFFFFFFFFu}) {
        HallFrameReader reader;
        reader.Append(LengthPrefix(length));
        EXPECT_FALSE(reader.TakePayload());
        EXPECT_TRUE(reader.Failed()) << length;
        reader.Append(EncodeFrame(HallNoticeFrame{"later"}));
        EXPECT_FALSE(reader.TakePayload()) << "nothing after a failure";
    }
}

TEST(HallFrameReader, TheLargestAllowedFramePasses) {
    HallFrameReader reader;
    reader.Append(LengthPrefix(MaxFramePayload) + QByteArray(MaxFramePayload, '\x06'));
    const auto payload = reader.TakePayload();
    ASSERT_TRUE(payload);
    EXPECT_EQ(payload->size(), MaxFramePayload);
    EXPECT_FALSE(reader.Failed());
}

TEST(HallFrameReader, AnIncompleteLengthWaitsForMore) {
    HallFrameReader reader;
    reader.Append(QByteArray("\x05\0", 2));
    EXPECT_FALSE(reader.TakePayload());
    EXPECT_FALSE(reader.Failed());
    EXPECT_EQ(reader.Buffered(), 2);
}
