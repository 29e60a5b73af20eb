#pragma once
// Sounds through SDL2_mixer: 21 channels for the 21 aliases, one loaded chunk per open
// alias. Audio opens on the first "open"; without an audio device nothing plays and
// nothing fails.

#include "platform/MciBackend.h"

#include <map>
#include <string>

struct Mix_Chunk;

class SdlMciBackend final : public MciBackend {
public:
    static constexpr int Channels = 21;

    SdlMciBackend() = default;
    ~SdlMciBackend() override;

    void Open(const std::string &path, const std::string &alias) override;
    void Play(const std::string &alias) override;
    void Close(const std::string &alias) override;

private:
    bool EnsureAudio();

    struct Device {
        Mix_Chunk *Chunk = nullptr;
        int Channel = -1;
    };
    std::map<std::string, Device> m_devices;
    bool m_tried = false;
    bool m_open = false;
};
