#include "common/SoundPlayback.h"
#include "platform/MciCommands.h"
#include "platform/RecordingMciBackend.h"

#include <gtest/gtest.h>

#include <unistd.h>

#include <filesystem>
#include <fstream>

namespace {

class SoundPlaybackTest : public testing::Test {
protected:
    SoundPlaybackTest() {
        folder = (std::filesystem::temp_directory_path() /
                  ("vestrano-sounds." + std::to_string(::getpid())))
                     .string() +
                 "/";
        std::filesystem::create_directories(folder + "Sub.dir");
        for (const char *name : {"Ready.wav", "Start.mp3", "Beep.mp3", "Both.wav", "Both.mp3"})
            std::ofstream(folder + name) << "sound";
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

// The counter is module-wide and never returns to 0: when other sounds played before,
// it is first brought to the end of a cycle, and the first sound then also closes
// aliases 1 to 20. Alias 21 is closed before every 19th sound of a cycle, open or not.
TEST_F(SoundPlaybackTest, AliasesRotateOverTwentyOneDevices) {
    const bool fresh = SoundAliasCounter() == 0;
    while (!fresh && SoundAliasCounter() != 21)
        ASSERT_TRUE(PlaySoundFile(folder + "Ready.wav"));
    backend.Commands.clear();
    const std::string path = folder + "Ready.wav";
    for (int sound = 1; sound <= 45; ++sound) {
        backend.Commands.clear();
        ASSERT_TRUE(PlaySoundFile(path));
        std::vector<std::string> expected;
        int alias = (sound - 1) % 21 + 1;
        if (sound == 22 || sound == 43 || (sound == 1 && !fresh))
            for (int closed = 1; closed <= 20; ++closed)
                expected.push_back("close " + std::to_string(closed));
        if (alias == 19)
            expected.push_back("close 21");
        expected.push_back("open \"" + path + "\" alias " + std::to_string(alias));
        expected.push_back("play " + std::to_string(alias));
        EXPECT_EQ(backend.Commands, expected) << "sound " << sound;
    }
}

// The last two commands of one sound: its open and its play, whatever alias it got.
std::vector<std::string> LastOpenAndPlay(const std::vector<std::string> &commands) {
    if (commands.size() < 2)
        return commands;
    return {commands.end() - 2, commands.end()};
}

TEST_F(SoundPlaybackTest, AMissingFileFallsBackToTheMp3Name) {
    PlayModuleSound(folder, "Start.wav");
    std::string alias = std::to_string(SoundAliasCounter());
    EXPECT_EQ(LastOpenAndPlay(backend.Commands),
              (std::vector<std::string>{"open \"" + folder + "Start.mp3\" alias " + alias,
                                        "play " + alias}));

    PlayModuleSound(folder, "Beep");
    alias = std::to_string(SoundAliasCounter());
    EXPECT_EQ(LastOpenAndPlay(backend.Commands).front(),
              "open \"" + folder + "Beep.mp3\" alias " + alias)
        << "a name without extension gets \".mp3\" appended";

    PlayModuleSound(folder, "Both.wav");
    alias = std::to_string(SoundAliasCounter());
    EXPECT_EQ(LastOpenAndPlay(backend.Commands).front(),
              "open \"" + folder + "Both.wav\" alias " + alias)
        << "the file itself comes first";
}

TEST_F(SoundPlaybackTest, AMissingSoundSendsNothing) {
    const int counter = SoundAliasCounter();
    PlayModuleSound(folder, "Missing.wav");
    PlayModuleSound(folder, "Missing");
    PlayModuleSound(folder, "Sub.dir");
    EXPECT_FALSE(PlaySoundFile(folder + "Missing.wav"));
    EXPECT_FALSE(PlaySoundFile(folder + "Sub.dir")) << "a folder is no sound file";
    EXPECT_FALSE(PlaySoundFile(""));
    EXPECT_TRUE(backend.Commands.empty());
    EXPECT_EQ(SoundAliasCounter(), counter) << "no alias is used up";
}
