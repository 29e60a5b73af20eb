#include "common/Gbk.h"
#include "common/TIniFile.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class IniFileTest : public testing::Test {
protected:
    IniFileTest() {
        dir = std::filesystem::temp_directory_path() /
              ("vestrano-ini-" + std::to_string(::testing::UnitTest::GetInstance()->random_seed()) +
               "-" + ::testing::UnitTest::GetInstance()->current_test_info()->name());
        std::filesystem::create_directories(dir);
        path = (dir / "settings.ini").string();
    }
    ~IniFileTest() override { std::filesystem::remove_all(dir); }

    void WriteRaw(const std::string &text) { std::ofstream(path, std::ios::binary) << text; }

    std::filesystem::path dir;
    std::string path;
};

} // namespace

TEST_F(IniFileTest, AMissingFileReadsAsDefaults) {
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("Option", "Name", "fallback"), "fallback");
    EXPECT_EQ(ini.ReadInteger("Option", "Count", 7), 7);
    EXPECT_TRUE(ini.ReadBool("Option", "HaveSound", true));
    EXPECT_FALSE(ini.SectionExists("Option"));
    EXPECT_TRUE(ini.ReadSection("Option").empty());
}

TEST_F(IniFileTest, WritesAreOnDiskAtOnceAndSeenByEveryReader) {
    TIniFile writer(path);
    TIniFile reader(path);
    const std::string mood = "今天心情好"_gbk;
    writer.WriteString("Mood", "GameMood", mood);
    writer.WriteInteger("Level", "LevelCount", 3);
    writer.WriteBool("Option", "HaveSound", false);
    EXPECT_EQ(reader.ReadString("mood", "gamemood", ""), mood) << "case-insensitive, GBK kept";
    EXPECT_EQ(reader.ReadInteger("LEVEL", "LevelCount", 0), 3);
    EXPECT_FALSE(reader.ReadBool("Option", "HaveSound", true));
    writer.WriteString("Level", "Level1Name", "x");
    EXPECT_EQ(reader.ReadSection("level"), (std::vector<std::string>{"LevelCount", "Level1Name"}));
    writer.DeleteKey("Level", "LevelCount");
    EXPECT_EQ(reader.ReadInteger("Level", "LevelCount", -1), -1);
    writer.EraseSection("Level");
    EXPECT_FALSE(reader.SectionExists("Level"));
    EXPECT_TRUE(reader.SectionExists("Mood"));
}

TEST_F(IniFileTest, NumbersAndFlagsParseLikeTheProfileFunctions) {
    WriteRaw("[N]\na=42\nb=-5\nc=0x1F\nd=$10\ne=12abc\nf=\ng=1\nh=0\ni=yes\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("N", "a", 0), 42);
    EXPECT_EQ(ini.ReadInteger("N", "b", 0), -5);
    EXPECT_EQ(ini.ReadInteger("N", "c", 0), 31);
    EXPECT_EQ(ini.ReadInteger("N", "d", 0), 16);
    EXPECT_EQ(ini.ReadInteger("N", "e", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "f", 9), 9);
    EXPECT_TRUE(ini.ReadBool("N", "g", false));
    EXPECT_FALSE(ini.ReadBool("N", "h", true));
    EXPECT_TRUE(ini.ReadBool("N", "i", true)) << "not a number: the default";
}

TEST_F(IniFileTest, DamagedFilesAndUnwritablePlacesDoNotFail) {
    WriteRaw("garbage\xFF[[[\n=novalue\n[Option\nHaveSound=0\n[ok]\nk=v\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("ok", "k", ""), "v");
    WriteRaw(std::string("[a]\nk=v\0w\n", 11));
    EXPECT_NO_THROW(ini.ReadString("a", "k", ""));
    TIniFile nowhere((dir / "no" / "such" / "dir" / "x.ini").string());
    EXPECT_NO_THROW(nowhere.WriteString("a", "b", "c"));
    EXPECT_EQ(nowhere.ReadString("a", "b", "none"), "none");
}
