#include "common/ModulePaths.h"

namespace {

std::string WithSeparator(std::string_view folder) {
    std::string out(folder);
    if (!out.empty() && out.back() != '/')
        out += '/';
    return out;
}

} // namespace

TModulePaths BuildModulePaths(std::string_view moduleFolder, std::string_view hallFolder,
                              std::string_view clsidText) {
    TModulePaths paths;
    paths.ModuleFolder = WithSeparator(moduleFolder);
    paths.HallFolder = WithSeparator(hallFolder);
    paths.FaceFolder = paths.HallFolder + "Face/";
    const std::string guid(clsidText);
    paths.SoundFolder = paths.ModuleFolder + "Sound/" + guid + "/";
    paths.ImageFolder = paths.ModuleFolder + "Image/" + guid + "/";
    paths.SettingsFile = paths.ModuleFolder + guid + ".ini";
    return paths;
}
