#include "platform/MciCommands.h"
#include "platform/RecordingMciBackend.h"

#include <cstddef>
#include <cstdint>
#include <string_view>

// Any bytes as a command string: a refused command reaches no backend, and an accepted
// one reaches it once and reads back as the very text that was sent.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    RecordingMciBackend backend;
    SetMciBackend(&backend);
    const std::string_view command(reinterpret_cast<const char *>(data), size);
    const int result = MciSendString(command);
    SetMciBackend(nullptr);
    if (result != MciOk && !backend.Commands.empty())
        __builtin_trap();
    if (result == MciOk && (backend.Commands.size() != 1 || backend.Commands[0] != command))
        __builtin_trap();
    return 0;
}
