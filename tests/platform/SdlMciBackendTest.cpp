#include "platform/SdlMciBackend.h"

#include <SDL2/SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace {

void PutLittleEndian(std::ofstream &out, uint32_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(static_cast<char>((value >> (8 * i)) & 0xFF));
}

// Two seconds of quiet 16-bit mono PCM: long enough to be still playing when looked at.
void WriteWave(const std::filesystem::path &path) {
    constexpr uint32_t rate = 22050;
    constexpr uint32_t dataSize = rate * 2 * 2;
    std::ofstream out(path, std::ios::binary);
    out << "RIFF";
    PutLittleEndian(out, 36 + dataSize, 4);
    out << "WAVEfmt ";
    PutLittleEndian(out, 16, 4);
    PutLittleEndian(out, 1, 2); // PCM
    PutLittleEndian(out, 1, 2); // mono
    PutLittleEndian(out, rate, 4);
    PutLittleEndian(out, rate * 2, 4);
    PutLittleEndian(out, 2, 2);
    PutLittleEndian(out, 16, 2);
    out << "data";
    PutLittleEndian(out, dataSize, 4);
    for (uint32_t i = 0; i < dataSize; ++i)
        out.put('\0');
}

class SdlMciBackendTest : public testing::Test {
protected:
    SdlMciBackendTest() {
        folder =
            std::filesystem::temp_directory_path() / ("vestrano-sdl-" + std::to_string(::getpid()));
        std::filesystem::create_directories(folder);
        wave = (folder / "Ready.wav").string();
        WriteWave(wave);
        std::ofstream(folder / "Short.wav") << "RIFF";
        std::ofstream(folder / "Broken.wav") << "RIFF\x10\0\0\0WAVEjunk, not a sound at all";
    }
    ~SdlMciBackendTest() override {
        std::filesystem::remove_all(folder);
        unsetenv("SDL_AUDIODRIVER");
    }

    std::filesystem::path folder;
    std::string wave;
};

} // namespace

// The dummy driver stands for a sound card: sounds really play, into nothing.
TEST_F(SdlMciBackendTest, EachAliasPlaysOnAChannelOfItsOwnUntilClosed) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlMciBackend backend;
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "audio opens on the first open";
    backend.Open(wave, "1");
    ASSERT_NE(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
    EXPECT_EQ(Mix_AllocateChannels(-1), SdlMciBackend::Channels);
    backend.Open(wave, "2");
    backend.Play("1");
    backend.Play("2");
    EXPECT_EQ(Mix_Playing(-1), 2) << "two sounds overlap";
    backend.Close("1");
    EXPECT_EQ(Mix_Playing(-1), 1) << "closing an alias stops its sound only";
    backend.Open(wave, "2");
    EXPECT_EQ(Mix_Playing(-1), 0) << "opening an alias again closes what it held";
    backend.Play("2");
    EXPECT_EQ(Mix_Playing(-1), 1);
    backend.Close("2");
    EXPECT_EQ(Mix_Playing(-1), 0);
}

TEST_F(SdlMciBackendTest, BadFilesAndUnknownAliasesAreIgnored) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlMciBackend backend;
    backend.Open((folder / "Missing.wav").string(), "1");
    backend.Open((folder / "Short.wav").string(), "2");
    backend.Open((folder / "Broken.wav").string(), "4");
    backend.Open(folder.string(), "5");
    for (const char *alias : {"1", "2", "4", "5"})
        backend.Play(alias);
    backend.Play("never opened");
    EXPECT_EQ(Mix_Playing(-1), 0);
    backend.Close("1");
    backend.Close("never opened");
    backend.Open(wave, "3");
    backend.Play("3");
    EXPECT_EQ(Mix_Playing(-1), 1);
}

TEST_F(SdlMciBackendTest, MoreSoundsThanChannelsNeverFail) {
    setenv("SDL_AUDIODRIVER", "dummy", 1);
    SdlMciBackend backend;
    for (int alias = 1; alias <= SdlMciBackend::Channels + 3; ++alias) {
        backend.Open(wave, std::to_string(alias));
        backend.Play(std::to_string(alias));
    }
    EXPECT_EQ(Mix_Playing(-1), SdlMciBackend::Channels);
}

TEST_F(SdlMciBackendTest, WithoutAnAudioDeviceNothingPlaysAndNothingFails) {
    setenv("SDL_AUDIODRIVER", "no-such-driver", 1);
    SdlMciBackend backend;
    backend.Open(wave, "1");
    backend.Play("1");
    backend.Close("1");
    backend.Open(wave, "1");
    backend.Play("1");
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0) << "audio never opened";
}
