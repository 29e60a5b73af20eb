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

TEST_F(IniFileTest, IntegersFollowTheHostsConversionRules) {
    WriteRaw("[N]\nmax=2147483647\nmin=-2147483648\nover=2147483648\nunder=-2147483649\n"
             "allBits=0xFFFFFFFF\ntooWide=0x100000000\nnegHex=-$10\nupper=0XaB\n"
             "twoSigns=--5\nsignAfterPrefix=0x-5\nprefixOnly=0x\nsignOnly=-\nspaced= 12\n"
             "plus=+7\ninner=1 2\n");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadInteger("N", "max", 0), 2147483647);
    EXPECT_EQ(ini.ReadInteger("N", "min", 0), INT32_MIN);
    EXPECT_EQ(ini.ReadInteger("N", "over", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "under", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "allBits", 0), -1) << "hexadecimal is a 32-bit pattern";
    EXPECT_EQ(ini.ReadInteger("N", "tooWide", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "negHex", 0), -16);
    EXPECT_EQ(ini.ReadInteger("N", "upper", 0), 0xAB);
    EXPECT_EQ(ini.ReadInteger("N", "twoSigns", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "signAfterPrefix", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "prefixOnly", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "signOnly", 9), 9);
    EXPECT_EQ(ini.ReadInteger("N", "spaced", 0), 12);
    EXPECT_EQ(ini.ReadInteger("N", "plus", 0), 7);
    EXPECT_EQ(ini.ReadInteger("N", "inner", 9), 9);
    EXPECT_FALSE(ini.ReadBool("N", "twoSigns", false)) << "no number: the default";
    EXPECT_TRUE(ini.ReadBool("N", "negHex", false));
}

TEST_F(IniFileTest, GbkNamesAndValuesKeepTheirBytesAndAsciiCaseIsIgnored) {
    TIniFile ini(path);
    const std::string section = "动作"_gbk;
    const std::string key = "拥抱Hug"_gbk;
    const std::string value = "[%s]紧紧地拥抱了[%s] 丂@"_gbk;
    ini.WriteString(section, key, value);
    EXPECT_EQ(ini.ReadString(section, "拥抱hUG"_gbk, ""), value);
    EXPECT_EQ(ini.ReadSection(section), std::vector<std::string>{key});
    ini.WriteString(section, "拥抱HUG"_gbk, "x");
    EXPECT_EQ(ini.ReadSection(section), std::vector<std::string>{key})
        << "a write in other case replaces the key and keeps its spelling";
    EXPECT_EQ(ini.ReadString(section, key, ""), "x");
    std::ifstream in(path, std::ios::binary);
    const std::string onDisk((std::istreambuf_iterator<char>(in)), {});
    EXPECT_NE(onDisk.find("[" + section + "]"), std::string::npos);
    EXPECT_NE(onDisk.find(key + "=x"), std::string::npos) << "written like the profile functions";
}

TEST_F(IniFileTest, SectionsExistOnlyWithKeysAndKeepTheirOrder) {
    WriteRaw("; comment\n[Empty]\n[Order]\nzeta=1\nalpha=2\nMid=3\n");
    TIniFile ini(path);
    EXPECT_FALSE(ini.SectionExists("Empty")) << "a bare header holds nothing";
    EXPECT_TRUE(ini.SectionExists("ORDER"));
    EXPECT_EQ(ini.ReadSection("order"), (std::vector<std::string>{"zeta", "alpha", "Mid"}));
    ini.WriteString("Order", "beta", "4");
    EXPECT_EQ(ini.ReadSection("Order").back(), "beta");
    ini.DeleteKey("order", "ALPHA");
    EXPECT_EQ(ini.ReadSection("Order"), (std::vector<std::string>{"zeta", "Mid", "beta"}));
    ini.DeleteKey("Order", "missing");
    ini.EraseSection("missing");
    EXPECT_EQ(ini.ReadSection("Order").size(), 3u);
    EXPECT_EQ(ini.FileName(), path);
}

TEST_F(IniFileTest, ValuesCannotSmuggleInLinesOfTheirOwn) {
    TIniFile ini(path);
    ini.WriteString("Chat", "Line", "hello\r\n[Option]\nHaveSound=0");
    ini.WriteString("Chat", std::string("Ze\0ro", 5), std::string("a\0b", 3));
    EXPECT_EQ(ini.ReadString("Chat", "Line", ""), "hello");
    EXPECT_EQ(ini.ReadString("Chat", "Ze", ""), "a");
    EXPECT_FALSE(ini.SectionExists("Option"));
    EXPECT_TRUE(ini.ReadBool("Option", "HaveSound", true));
}

TEST_F(IniFileTest, AFolderInThePlaceOfTheFileIsLeftAlone) {
    std::filesystem::create_directories(path);
    TIniFile folder(path);
    folder.WriteString("a", "b", "c");
    EXPECT_EQ(folder.ReadString("a", "b", "none"), "none");
    EXPECT_TRUE(std::filesystem::is_directory(path));
}

TEST_F(IniFileTest, AFileThatCannotBeReadIsNeverOverwritten) {
    WriteRaw("[keep]\nk=v\n");
    std::filesystem::permissions(path, std::filesystem::perms::none);
    std::ifstream probe(path);
    if (probe)
        GTEST_SKIP() << "running with rights that read any file";
    TIniFile locked(path);
    locked.WriteString("new", "k", "v");
    std::filesystem::permissions(path, std::filesystem::perms::owner_read |
                                           std::filesystem::perms::owner_write);
    EXPECT_EQ(TIniFile(path).ReadString("keep", "k", ""), "v");
    EXPECT_EQ(TIniFile(path).ReadString("new", "k", "none"), "none");
}
