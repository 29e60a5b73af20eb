#include "common/CommonFunctions.h"
#include "common/ModulePaths.h"

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

TEST(ModulePaths, FoldersFollowTheModuleTheHallAndTheClassId) {
    const auto paths = BuildModulePaths("/opt/kep", "/hall", "{ABC}");
    EXPECT_EQ(paths.ModuleFolder, "/opt/kep/");
    EXPECT_EQ(paths.HallFolder, "/hall/");
    EXPECT_EQ(paths.FaceFolder, "/hall/Face/");
    EXPECT_EQ(paths.SoundFolder, "/opt/kep/Sound/{ABC}/");
    EXPECT_EQ(paths.ImageFolder, "/opt/kep/Image/{ABC}/");
    EXPECT_EQ(paths.SettingsFile, "/opt/kep/{ABC}.ini");
    EXPECT_EQ(BuildModulePaths("/m/", "", "{X}").HallFolder, "");
}
