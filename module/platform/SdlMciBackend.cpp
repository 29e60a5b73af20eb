#include "platform/SdlMciBackend.h"

#include <SDL2/SDL.h>
#include <SDL2/SDL_mixer.h>

namespace {

// SDL keeps some state (hints, thread-local error text) until SDL_Quit; when nothing
// else in the process uses SDL any more, let it all go.
void QuitAudio() {
    SDL_QuitSubSystem(SDL_INIT_AUDIO);
    if (SDL_WasInit(SDL_INIT_EVERYTHING) == 0)
        SDL_Quit();
}

} // namespace

SdlMciBackend::~SdlMciBackend() {
    for (auto &[alias, device] : m_devices)
        Mix_FreeChunk(device.Chunk);
    if (m_open) {
        Mix_CloseAudio();
        Mix_Quit();
        QuitAudio();
    }
}

bool SdlMciBackend::EnsureAudio() {
    if (!m_tried) {
        m_tried = true;
        if (SDL_InitSubSystem(SDL_INIT_AUDIO) == 0) {
            if (Mix_OpenAudio(44100, MIX_DEFAULT_FORMAT, 2, 1024) == 0) {
                // The sound folder may hold ".mp3" files next to the ".wav" ones.
                Mix_Init(MIX_INIT_MP3);
                Mix_AllocateChannels(Channels);
                m_open = true;
            } else {
                QuitAudio();
            }
        }
    }
    return m_open;
}

void SdlMciBackend::Open(const std::string &path, const std::string &alias) {
    if (!EnsureAudio())
        return;
    Close(alias);
    // The stream is closed here rather than by the mixer: SDL_mixer 2.6 leaks it when the
    // file is too short to be any sound.
    SDL_RWops *stream = SDL_RWFromFile(path.c_str(), "rb");
    if (!stream)
        return;
    Mix_Chunk *chunk = Mix_LoadWAV_RW(stream, 0);
    SDL_RWclose(stream);
    if (chunk)
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
