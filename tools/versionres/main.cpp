// Writes a module's version resource (VS_VERSIONINFO) to a file, for the build to put
// into the module's version section:
//   vestrano-versionres --file-version 2.101.0.111 --product-version 2.0.828.0
//                       --output FILE Key=Value...
// One string table, English (United States) / Unicode, named by the single
// translation pair.

#include "common/Gbk.h"
#include "platform/VersionResource.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

namespace {

constexpr uint16_t kLanguage = 0x0409;
constexpr uint16_t kCodePage = 0x04B0;
constexpr uint32_t kStrucVersion = 0x00010000;
constexpr uint32_t kFlagsMask = 0x3F;
constexpr uint32_t kOsNtWindows32 = 0x00040004;
constexpr uint32_t kTypeDll = 2;

// "a.b.c.d" into the two 32-bit halves of the fixed block.
std::optional<std::pair<uint32_t, uint32_t>> ParseVersion(const std::string &text) {
    unsigned parts[4] = {};
    std::istringstream in(text);
    for (int i = 0; i < 4; ++i) {
        if (!(in >> parts[i]) || parts[i] > 0xFFFF)
            return std::nullopt;
        if (i < 3 && in.get() != '.')
            return std::nullopt;
    }
    return std::make_pair((parts[0] << 16) | parts[1], (parts[2] << 16) | parts[3]);
}

std::u16string Utf16(const std::string &utf8) {
    return Gbk::ToUtf16(Gbk::FromUtf8(utf8));
}

int Usage() {
    std::fprintf(stderr, "usage: vestrano-versionres --file-version V --product-version V "
                         "--output FILE Key=Value...\n");
    return 2;
}

} // namespace

int main(int argc, char **argv) {
    std::string output;
    // Plain pairs with flags: GCC's -O3 mistakes optional<pair> for uninitialised here.
    std::pair<uint32_t, uint32_t> fileVersion{}, productVersion{};
    bool haveFileVersion = false, haveProductVersion = false;
    std::vector<std::pair<std::string, std::string>> strings;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--output" && i + 1 < argc) {
            output = argv[++i];
        } else if (arg == "--file-version" && i + 1 < argc) {
            const auto v = ParseVersion(argv[++i]);
            haveFileVersion = v.has_value();
            fileVersion = v.value_or(fileVersion);
        } else if (arg == "--product-version" && i + 1 < argc) {
            const auto v = ParseVersion(argv[++i]);
            haveProductVersion = v.has_value();
            productVersion = v.value_or(productVersion);
        } else if (const auto eq = arg.find('='); eq != std::string::npos && eq > 0) {
            strings.emplace_back(arg.substr(0, eq), arg.substr(eq + 1));
        } else {
            return Usage();
        }
    }
    if (output.empty() || !haveFileVersion || !haveProductVersion)
        return Usage();

    Platform::FixedFileInfo fixed;
    fixed.Signature = Platform::kFixedFileInfoSignature;
    fixed.StrucVersion = kStrucVersion;
    fixed.FileVersionMS = fileVersion.first;
    fixed.FileVersionLS = fileVersion.second;
    fixed.ProductVersionMS = productVersion.first;
    fixed.ProductVersionLS = productVersion.second;
    fixed.FileFlagsMask = kFlagsMask;
    fixed.FileOS = kOsNtWindows32;
    fixed.FileType = kTypeDll;

    char tableName[16];
    std::snprintf(tableName, sizeof tableName, "%04X%04X", kLanguage, kCodePage);
    Platform::VersionBlock table;
    table.Key = Utf16(tableName);
    table.IsText = true;
    for (const auto &[key, value] : strings)
        table.Children.push_back(Platform::VersionBlock::MakeText(Utf16(key), Utf16(value)));

    Platform::VersionBlock stringInfo;
    stringInfo.Key = u"StringFileInfo";
    stringInfo.IsText = true;
    stringInfo.Children.push_back(std::move(table));

    Platform::VersionBlock translation;
    translation.Key = u"Translation";
    translation.Value = {uint8_t(kLanguage & 0xFF), uint8_t(kLanguage >> 8),
                         uint8_t(kCodePage & 0xFF), uint8_t(kCodePage >> 8)};
    Platform::VersionBlock varInfo;
    varInfo.Key = u"VarFileInfo";
    varInfo.IsText = true;
    varInfo.Children.push_back(std::move(translation));

    Platform::VersionBlock root;
    root.Key = u"VS_VERSION_INFO";
    root.Value = Platform::EncodeFixedFileInfo(fixed);
    root.Children.push_back(std::move(stringInfo));
    root.Children.push_back(std::move(varInfo));

    const auto bytes = Platform::BuildVersionResource(root);
    std::ofstream out(output, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char *>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) {
        std::fprintf(stderr, "vestrano-versionres: cannot write %s\n", output.c_str());
        return 1;
    }
    return 0;
}
