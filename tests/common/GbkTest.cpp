#include "common/Gbk.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>

namespace {

// Every Chinese text the room protocol and the table lifecycle show or send.
const char *const kRoomTexts[] = {"%s已经被管理员%s,原因：%s",
                                  "****游戏开始****",
                                  "****游戏结束****",
                                  "24小时踢出",
                                  "Kep币",
                                  "[管理员]",
                                  "作弊嫌疑",
                                  "其他玩家请您离开此桌,请换桌继续游戏!\r\n原因：%s",
                                  "同一桌不可启动两个号,您不能坐在这里！",
                                  "将会扣除您的%s或%s! ",
                                  "已被管理员禁言",
                                  "已被管理员解除禁言",
                                  "已被驱逐离开房间。\r\n原因：%s",
                                  "您已经玩%d局,未玩满%d局,退出",
                                  "您已经被管理员%s。\r\n原因：%s",
                                  "您确定真的要退出游戏吗？",
                                  "执行踢出",
                                  "无效\r\n原因：",
                                  "无效驱逐",
                                  "无效，原因：",
                                  "是否同意将玩家",
                                  "有作弊嫌疑",
                                  "本局%s:",
                                  "正在旁观",
                                  "正在比赛中，您确定要退出比赛吗？",
                                  "正在游戏中,如果您现在退出,",
                                  "永久踢出",
                                  "游戏豆",
                                  "玩家 %d",
                                  "玩家",
                                  "确认",
                                  "离开房间",
                                  "积分",
                                  "警告",
                                  "说脏话",
                                  "请选择24小时踢出的原因",
                                  "请选择永久踢出的原因",
                                  "请选择踢出的原因",
                                  "踢出",
                                  "进入房间",
                                  "退出",
                                  "阻碍游戏",
                                  "驱逐",
                                  "驱逐? \r\n原因：%s",
                                  "驱逐玩家",
                                  "掉线中..",
                                  "[系统]"};

} // namespace

TEST(Gbk, RoomTextsRoundTrip) {
    for (const char *utf8 : kRoomTexts) {
        const std::string gbk = Gbk::FromUtf8(utf8);
        EXPECT_EQ(Gbk::ToUtf8(gbk), utf8);
        EXPECT_EQ(std::count(gbk.begin(), gbk.end(), '?'),
                  std::count(utf8, utf8 + strlen(utf8), '?'))
            << utf8 << " has no GBK form";
        EXPECT_EQ(Gbk::FromUtf16(Gbk::ToUtf16(gbk)), gbk);
    }
}

TEST(Gbk, LiteralHelperGivesTheWireBytes) {
    // 进 = B D F8, 入 = C8 EB in code page 936.
    EXPECT_EQ("进入"_gbk, "\xBD\xF8\xC8\xEB");
    EXPECT_EQ("ab"_gbk, "ab");
    EXPECT_EQ(std::string("宋体"_gbk).size(), 4u);
}

TEST(Gbk, UnconvertibleAndMalformedInputIsReplacedNotDropped) {
    EXPECT_EQ(Gbk::FromUtf8("a\xF0\x9F\x98\x80"
                            "b"),
              "a?b"); // an emoji has no GBK form
    EXPECT_EQ(Gbk::FromUtf8("a\xFF"
                            "b"),
              "a?b"); // not UTF-8 at all
    EXPECT_EQ(Gbk::ToUtf8("a\xFF"), "a\xEF\xBF\xBD");
    EXPECT_EQ(Gbk::ToUtf8("\xBD"), "\xEF\xBF\xBD"); // a lead byte cut off at the end
    EXPECT_EQ(Gbk::ToUtf8(""), "");
}

TEST(Gbk, ByteWidthHelpersNeverSplitACharacter) {
    const std::string name = "a进入b"_gbk; // 1 + 2 + 2 + 1 bytes
    ASSERT_EQ(name.size(), 6u);
    EXPECT_EQ(Gbk::SafePrefixLength(name, 0), 0u);
    EXPECT_EQ(Gbk::SafePrefixLength(name, 1), 1u);
    EXPECT_EQ(Gbk::SafePrefixLength(name, 2), 1u) << "the half of 进 is dropped";
    EXPECT_EQ(Gbk::SafePrefixLength(name, 3), 3u);
    EXPECT_EQ(Gbk::SafePrefixLength(name, 4), 3u);
    EXPECT_EQ(Gbk::SafePrefixLength(name, 100), 6u);
    EXPECT_EQ(Gbk::Left(name, 4), "a进"_gbk);
    // A dangling lead byte at the end of the text is never kept.
    EXPECT_EQ(Gbk::Left("ab\xBD", 3), "ab");
    for (size_t n = 0; n <= name.size(); ++n)
        EXPECT_EQ(Gbk::ToUtf8(Gbk::Left(name, n)).find("\xEF\xBF\xBD"), std::string::npos);
}

TEST(Gbk, PaddingAndCharacterCountsUseBytesAndCharacters) {
    EXPECT_EQ(Gbk::PadRight("进入"_gbk, 8), "进入"_gbk + "    ");
    EXPECT_EQ(Gbk::PadRight("abcdefghij", 8), "abcdefghij");
    EXPECT_EQ(Gbk::CharacterCount("a进入b"_gbk), 4u);
    EXPECT_EQ(Gbk::LeftCharacters("进入房间"_gbk, 3), "进入房"_gbk);
    EXPECT_EQ(Gbk::LeftCharacters("ab", 5), "ab");
    EXPECT_EQ(Gbk::LeftCharacters("a\xBD", 2), "a\xBD") << "never reads past the end";
}
