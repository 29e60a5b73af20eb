#include "common/CommonFunctions.h"
#include "common/Gbk.h"

#include <gtest/gtest.h>

TEST(CommonFunctions, FieldsAreCountedFromTheFirstDelimiter) {
    EXPECT_EQ(FieldOf("one two three", 0, ' '), "one");
    EXPECT_EQ(FieldOf("one two three", 1, ' '), "two");
    EXPECT_EQ(FieldOf("one two three", 2, ' '), "three");
    EXPECT_EQ(FieldOf("one two three", 3, ' '), "");
    EXPECT_EQ(FieldOf("@$first@$second", 0, '@'), "") << "a leading delimiter: empty field 0";
    EXPECT_EQ(FieldOf("@$first@$second", 1, '@'), "$first");
    EXPECT_EQ(FieldOf("", 0, ' '), "");
    EXPECT_EQ(FieldOf("a,,b", 1, ','), "");
}

TEST(CommonFunctions, TextBeforeAndAfterNeedTheDelimiter) {
    EXPECT_EQ(TextBefore("no delimiter", "@", false), "") << "empty, not the whole text";
    EXPECT_EQ(TextAfter("no delimiter", "@", false), "");
    EXPECT_EQ(TextBefore("12@text@more", "@", false), "12");
    EXPECT_EQ(TextAfter("12@text@more", "@", false), "text@more");
    EXPECT_EQ(TextBefore("nameHTTP://x", "http://", true), "name");
    EXPECT_EQ(TextBefore("nameHTTP://x", "http://", false), "");
    EXPECT_EQ(TextAfter("<123>", "<", false), "123>");
    EXPECT_EQ(TextAfter("abc", "", false), "");
}

TEST(CommonFunctions, KeepSignCountAndRandom) {
    EXPECT_EQ(KeepChars(std::string("na\0\0\x01me\x1F", 8), PrintableChars()), "name");
    EXPECT_EQ(KeepChars("\xB2\xE2", PrintableChars()), "\xB2\xE2") << "GBK bytes stay";
    EXPECT_EQ(SignedText(15), "+15");
    EXPECT_EQ(SignedText(0), "0");
    EXPECT_EQ(SignedText(-20), "-20");
    EXPECT_EQ(SignedText(INT64_MIN), "-9223372036854775808");
    EXPECT_EQ(CountOf("aaaa", "aa"), 2);
    EXPECT_EQ(CountOf("aaa", "aa"), 1);
    EXPECT_EQ(CountOf("abc", ""), 0);
    EXPECT_EQ(CountOf("", "a"), 0);
    const std::string random = RandomText(64, "xy");
    EXPECT_EQ(random.size(), 64u);
    EXPECT_EQ(random.find_first_not_of("xy"), std::string::npos);
    EXPECT_EQ(RandomText(16, "").size(), 16u);
    EXPECT_EQ(RandomText(-3, "xy"), "");
}

// "丂" is 0x81 0x40: its second byte is "@", and "乣" (0x81 0x61) ends in "a".
TEST(CommonFunctions, SearchesNeverMatchInsideATwoByteCharacter) {
    const std::string text = "丂x@y"_gbk;
    EXPECT_EQ(FieldOf(text, 0, '@'), "丂x"_gbk);
    EXPECT_EQ(FieldOf(text, 1, '@'), "y");
    EXPECT_EQ(TextBefore(text, "@", false), "丂x"_gbk);
    EXPECT_EQ(TextAfter(text, "@", false), "y");
    EXPECT_EQ(CountOf(text, "@"), 1);
    EXPECT_EQ(TextBefore("丂"_gbk, "@", false), "") << "only the second byte matches";
    EXPECT_EQ(TextBefore("乣A"_gbk, "a", true), "乣"_gbk) << "the second byte is not a letter";
    EXPECT_EQ(TextAfter("乣A"_gbk, "A", false), "");
    EXPECT_EQ(CountOf("进入进入"_gbk, "进"_gbk), 2);
    EXPECT_EQ(FieldOf("玩家 进入 房间"_gbk, 1, ' '), "进入"_gbk);
}

TEST(CommonFunctions, IgnoringCaseFoldsBothSidesAndKeepsTheOriginalBytes) {
    EXPECT_EQ(TextBefore("Name<Target>", "<TARGET>", true), "Name");
    EXPECT_EQ(TextAfter("abcXYZdef", "xyz", true), "def");
    EXPECT_EQ(TextAfter("abcXYZdef", "xyz", false), "");
    EXPECT_EQ(TextBefore("a\xFF"
                         "b",
                         "B", true),
              "a\xFF");
    EXPECT_EQ(TextBefore("a-b-c", "-", false), "a") << "the first delimiter counts";
    EXPECT_EQ(TextAfter("a-b-c", "-", false), "b-c");
    EXPECT_EQ(TextAfter("abc", "abc", false), "");
    EXPECT_EQ(TextBefore("abc", "abcd", false), "");
}

TEST(CommonFunctions, FieldsPastTheEndAndEmptyFields) {
    EXPECT_EQ(FieldOf("a b", -1, ' '), "a") << "a negative index drops nothing";
    EXPECT_EQ(FieldOf("a b ", 2, ' '), "") << "a trailing delimiter leaves an empty last field";
    EXPECT_EQ(FieldOf("a b ", 3, ' '), "");
    EXPECT_EQ(FieldOf("abc", 0, ' '), "abc");
    EXPECT_EQ(FieldOf("abc", 1, ' '), "");
    EXPECT_EQ(FieldOf(std::string("a\0b", 3), 1, '\0'), "b") << "any byte may delimit";
}

TEST(CommonFunctions, CountsFollowTheRemovalRule) {
    // (length of text - length without every occurrence) div length of part.
    for (const auto &[text, part] : std::vector<std::pair<std::string, std::string>>{
             {"abababa", "aba"}, {"xxxxx", "xx"}, {"a,b,,c", ","}, {"hello", "hello!"}}) {
        std::string removed;
        for (size_t at = 0; at < text.size();) {
            if (text.compare(at, part.size(), part) == 0) {
                at += part.size();
            } else {
                removed += text[at];
                ++at;
            }
        }
        EXPECT_EQ(CountOf(text, part),
                  static_cast<int>((text.size() - removed.size()) / part.size()))
            << text << " / " << part;
    }
}

TEST(CommonFunctions, PrintableCharsStartAtTheBlank) {
    const auto &printable = PrintableChars();
    EXPECT_FALSE(printable.test(0x00));
    EXPECT_FALSE(printable.test(0x1F));
    EXPECT_TRUE(printable.test(0x20));
    EXPECT_TRUE(printable.test(0x7F));
    EXPECT_TRUE(printable.test(0xFF));
    EXPECT_EQ(printable.count(), 256u - 32u);
    std::bitset<256> digits;
    for (char c = '0'; c <= '9'; ++c)
        digits.set(static_cast<unsigned char>(c));
    EXPECT_EQ(KeepChars("a1b2c3", digits), "123");
    EXPECT_EQ(KeepChars("abc", {}), "");
}

TEST(CommonFunctions, RandomTextUsesTheWholeAlphabet) {
    const std::string alphabet = "0123456789";
    const std::string random = RandomText(2000, alphabet);
    for (const char c : alphabet)
        EXPECT_NE(random.find(c), std::string::npos) << c;
    const std::string bytes = RandomText(4000, "");
    EXPECT_NE(bytes.find('\0'), std::string::npos);
    EXPECT_NE(bytes.find('\xFF'), std::string::npos);
    EXPECT_NE(RandomText(32, ""), RandomText(32, "")) << "two draws of 256 bits agree";
    EXPECT_EQ(RandomText(3, "z"), "zzz");
    EXPECT_EQ(RandomText(0, ""), "");
}
