#include "platform/MciCommands.h"

#include "platform/MciBackend.h"
#include "platform/SdlMciBackend.h"

#include <memory>
#include <string>

namespace {

MciBackend *g_backend = nullptr;

MciBackend &Backend() {
    if (g_backend)
        return *g_backend;
    static SdlMciBackend sdl;
    return sdl;
}

bool IsAlias(std::string_view text) {
    return !text.empty() && text.find_first_of(" \"") == std::string_view::npos;
}

} // namespace

void SetMciBackend(MciBackend *backend) {
    g_backend = backend;
}

int MciSendString(std::string_view command) {
    if (command.starts_with("open \"")) {
        const std::string_view rest = command.substr(6);
        const size_t quote = rest.find('"');
        if (quote == std::string_view::npos || quote == 0)
            return MciUnknownCommand;
        const std::string_view tail = rest.substr(quote + 1);
        if (!tail.starts_with(" alias ") || !IsAlias(tail.substr(7)))
            return MciUnknownCommand;
        Backend().Open(std::string(rest.substr(0, quote)), std::string(tail.substr(7)));
        return MciOk;
    }
    if (command.starts_with("play ") && IsAlias(command.substr(5))) {
        Backend().Play(std::string(command.substr(5)));
        return MciOk;
    }
    if (command.starts_with("close ") && IsAlias(command.substr(6))) {
        Backend().Close(std::string(command.substr(6)));
        return MciOk;
    }
    return MciUnknownCommand;
}
