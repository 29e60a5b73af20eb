#include "platform/SdlMciBackend.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

SdlMciBackend::~SdlMciBackend() {
    for (auto &[alias, device] : m_devices)
        Mix_FreeChunk(device.Chunk);
    if (m_open) {
        Mix_CloseAudio();
        SDL_QuitSubSystem(SDL_INIT_AUDIO);
    }
}

bool SdlMciBackend::EnsureAudio() {
    if (!m_tried) {
        m_tried = true;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
            if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) == 0) {
                Mix_AllocateChannels(Channels);
                m_open = true;
            } else {
                SDL_QuitSubSystem(SDL_INIT_AUDIO);
            }
        }
    }
    return m_open;
}

void SdlMciBackend::Open(const std::string &path, const std::string &alias) {
    if (!EnsureAudio())
        return;
    Close(alias);
    if (Mix_Chunk *chunk = Mix_LoadWAV(path.c_str()))
        m_devices[alias] = {chunk, -1};
}

void SdlMciBackend::Play(const std::string &alias) {
    const auto found = m_devices.find(alias);
    if (found == m_devices.end())
        return;
    found->second.Channel = Mix_PlayChannel(-1, found->second.Chunk, 0);
}

void SdlMciBackend::Close(const std::string &alias) {
    const auto found = m_devices.find(alias);
    if (found == m_devices.end())
        return;
    if (found->second.Channel >= 0 && Mix_GetChunk(found->second.Channel) == found->second.Chunk)
        Mix_HaltChannel(found->second.Channel);
    Mix_FreeChunk(found->second.Chunk);
    m_devices.erase(found);
}
