#pragma once
// The folders and files the module reads, derived from its own folder, the hall's
// folder and its class identifier in braced text. Folders end with a separator; an
// empty hall folder stays empty and its face folder is then "Face/" relative to the
// working directory, as the hall gave nothing better.

#include <string>
#include <string_view>

struct TModulePaths {
    std::string ModuleFolder;
    std::string HallFolder;
    std::string FaceFolder;
    std::string SoundFolder;
    std::string ImageFolder;
    std::string SettingsFile;
};

TModulePaths BuildModulePaths(std::string_view moduleFolder, std::string_view hallFolder,
                              std::string_view clsidText);
