#include "common/TIniFile.h"

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>

namespace {

const std::string &FuzzFile() {
    static const std::string path = (std::filesystem::temp_directory_path() /
                                     ("vestrano-ini-fuzz-" + std::to_string(::getpid()) + ".ini"))
                                        .string();
    return path;
}

} // namespace

// Any bytes as a settings file: every section named in it is listed and every key read
// in every form; then a write must read back exactly.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size) {
    const std::string &path = FuzzFile();
    if (FILE *file = std::fopen(path.c_str(), "wb")) {
        std::fwrite(data, 1, size, file);
        std::fclose(file);
    }
    const std::string_view text(reinterpret_cast<const char *>(data), size);
    TIniFile ini(path);
    for (size_t open = text.find('['); open != std::string_view::npos;
         open = text.find('[', open + 1)) {
        const size_t close = text.find(']', open);
        if (close == std::string_view::npos)
            break;
        const std::string_view section = text.substr(open + 1, close - open - 1);
        for (const std::string &key : ini.ReadSection(section)) {
            (void)ini.ReadString(section, key, "");
            (void)ini.ReadInteger(section, key, 0);
            (void)ini.ReadBool(section, key, false);
        }
        (void)ini.SectionExists(section);
    }
    ini.WriteString("Fuzz", "Key", "value");
    if (ini.ReadString("fuzz", "KEY", "") != "value")
        __builtin_trap();
    ini.EraseSection("Fuzz");
    if (ini.SectionExists("Fuzz"))
        __builtin_trap();
    return 0;
}
