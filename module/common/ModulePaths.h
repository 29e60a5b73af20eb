#pragma once
// The folders and the settings file the module reads, built once when the hub starts
// at a table. Folders end with the platform separator and keep the case of their
// names ("Sound/", "Image/", "Face/").

#include <string>
#include <string_view>

struct TModulePaths {
    std::string ModuleFolder; // the folder of the module's own file
    std::string HallFolder;   // the hall's folder, as the hall reports it
    std::string FaceFolder;   // HallFolder + "Face/": face pictures "%s%d.bmp"
    std::string SoundFolder;  // ModuleFolder + "Sound/" + GUID + "/"
    std::string ImageFolder;  // ModuleFolder + "Image/" + GUID + "/"
    std::string SettingsFile; // ModuleFolder + GUID + ".ini"
};

// `clsidText` is the module's class identifier; a braced GUID in either case is
// written upper-case, any other text is used as it stands. An empty folder means the
// folder is unknown: it stays empty (no separator is added, which would name the root)
// and so does everything built on it, rather than a path relative to the current
// directory.
TModulePaths BuildModulePaths(std::string_view moduleFolder, std::string_view hallFolder,
                              std::string_view clsidText);
