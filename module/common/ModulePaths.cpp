#include "common/ModulePaths.h"

#include "platform/Guid.h"

namespace {

constexpr char kSeparator = '/';

std::string WithSeparator(std::string_view folder) {
    std::string result(folder);
    if (!result.empty() && result.back() != kSeparator)
        result += kSeparator;
    return result;
}

std::string Below(const std::string &folder, std::string_view name) {
    if (folder.empty())
        return {};
    return folder + std::string(name);
}

} // namespace

TModulePaths BuildModulePaths(std::string_view moduleFolder, std::string_view hallFolder,
                              std::string_view clsidText) {
    const auto guid = Platform::GuidFromText(clsidText);
    const std::string guidText = guid ? Platform::GuidToText(*guid) : std::string(clsidText);

    TModulePaths paths;
    paths.ModuleFolder = WithSeparator(moduleFolder);
    paths.HallFolder = WithSeparator(hallFolder);
    paths.FaceFolder = Below(paths.HallFolder, "Face/");
    paths.SoundFolder = Below(paths.ModuleFolder, "Sound/" + guidText + kSeparator);
    paths.ImageFolder = Below(paths.ModuleFolder, "Image/" + guidText + kSeparator);
    paths.SettingsFile = Below(paths.ModuleFolder, guidText + ".ini");
    return paths;
}
