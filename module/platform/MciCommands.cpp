#include "platform/MciCommands.h"

#include "platform/MciBackend.h"
#include "platform/SdlMciBackend.h"

#include <string>

namespace {

MciBackend *g_backend = nullptr;

MciBackend &Backend() {
    if (g_backend)
        return *g_backend;
    static SdlMciBackend sdl;
    return sdl;
}

// An alias is one word: no blanks, quotes, control characters or zero bytes.
bool IsAlias(std::string_view text) {
    if (text.empty())
        return false;
    for (const char c : text) {
        if (static_cast<unsigned char>(c) <= ' ' || c == '"')
            return false;
    }
    return true;
}

} // namespace

void SetMciBackend(MciBackend *backend) {
    g_backend = backend;
}

int MciSendString(std::string_view command) {
    constexpr std::string_view open = "open \"";
    constexpr std::string_view aliasWord = "\" alias ";
    if (command.starts_with(open)) {
        // The last "\" alias " ends the path, so a path may itself hold quotes.
        const std::string_view rest = command.substr(open.size());
        const size_t end = rest.rfind(aliasWord);
        if (end == std::string_view::npos || end == 0)
            return MciUnknownCommand;
        const std::string_view alias = rest.substr(end + aliasWord.size());
        if (!IsAlias(alias))
            return MciUnknownCommand;
        Backend().Open(std::string(rest.substr(0, end)), std::string(alias));
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
