#include "common/SoundPlayback.h"
#include "platform/MciCommands.h"
#include "platform/RecordingMciBackend.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>

namespace {

class SoundPlaybackTest : public testing::Test {
protected:
    SoundPlaybackTest() {
        folder = (std::filesystem::temp_directory_path() / "vestrano-sounds").string() + "/";
        std::filesystem::create_directories(folder);
        std::ofstream(folder + "Ready.wav") << "RIFF";
        std::ofstream(folder + "Start.mp3") << "ID3";
        std::ofstream(folder + "Beep.mp3") << "ID3";
        SetMciBackend(&backend);
    }
    ~SoundPlaybackTest() override {
        SetMciBackend(nullptr);
        std::filesystem::remove_all(folder);
    }

    std::string folder;
    RecordingMciBackend backend;
};

} // namespace

// The counter is module-wide: it is first brought round to 0. Alias 21 is closed before
// every 19th sound of a cycle, open or not.
TEST_F(SoundPlaybackTest, AliasesRotateOverTwentyOneDevices) {
    while (SoundAliasCounter() != 0)
        ASSERT_TRUE(PlaySoundFile(folder + "Ready.wav"));
    backend.Commands.clear();
    const std::string path = folder + "Ready.wav";
    for (int sound = 1; sound <= 45; ++sound) {
        backend.Commands.clear();
        ASSERT_TRUE(PlaySoundFile(path));
        std::vector<std::string> expected;
        int alias = (sound - 1) % 21 + 1;
        if (sound == 22 || sound == 43)
            for (int closed = 1; closed <= 20; ++closed)
                expected.push_back("close " + std::to_string(closed));
        if (alias == 19)
            expected.push_back("close 21");
        expected.push_back("open \"" + path + "\" alias " + std::to_string(alias));
        expected.push_back("play " + std::to_string(alias));
        EXPECT_EQ(backend.Commands, expected) << "sound " << sound;
    }
}

TEST_F(SoundPlaybackTest, AMissingFileFallsBackToMp3OrPlaysNothing) {
    PlayModuleSound(folder, "Start.wav");
    ASSERT_EQ(backend.Commands.size() >= 2, true);
    EXPECT_NE(backend.Commands[backend.Commands.size() - 2].find("Start.mp3\" alias"),
              std::string::npos);
    backend.Commands.clear();
    PlayModuleSound(folder, "Beep");
    EXPECT_NE(backend.Commands.back().find("play"), std::string::npos) << "no extension: appended";
    backend.Commands.clear();
    PlayModuleSound(folder, "Missing.wav");
    EXPECT_FALSE(PlaySoundFile(folder + "Missing.wav"));
    EXPECT_TRUE(backend.Commands.empty());
}

TEST(MciCommands, OnlyTheThreeCommandsAreUnderstood) {
    RecordingMciBackend backend;
    SetMciBackend(&backend);
    EXPECT_EQ(MciSendString("open \"/a b/c.wav\" alias 3"), MciOk);
    EXPECT_EQ(MciSendString("play 3"), MciOk);
    EXPECT_EQ(MciSendString("close 3"), MciOk);
    for (const char *bad : {"", "open", "open \"\" alias 1", "open \"x\" alias", "open \"x alias 1",
                            "play", "play ", "stop 3", "close 1 2", "open \"x\" alias 1 2"})
        EXPECT_EQ(MciSendString(bad), MciUnknownCommand) << bad;
    EXPECT_EQ(backend.Commands,
              (std::vector<std::string>{"open \"/a b/c.wav\" alias 3", "play 3", "close 3"}));
    SetMciBackend(nullptr);
}
