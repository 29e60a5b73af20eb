#pragma once
// The multimedia command interface: a tiny interpreter of the three commands the
// module sends,
//     open "path" alias N      play N      close N
// forwarded to the current backend. Anything else is refused with a non-zero result
// and does nothing.

#include <string_view>

class MciBackend;

constexpr int MciOk = 0;
constexpr int MciUnknownCommand = 1;

int MciSendString(std::string_view command);
// nullptr restores the default backend (SDL2_mixer, created on first use).
void SetMciBackend(MciBackend *backend);
