#include "common/ComRegistry.h"

#include "common/TIniFile.h"

#include <cstdlib>
#include <filesystem>

namespace fs = std::filesystem;

namespace ComRegistry {

namespace {

std::string ClassSection(const std::string &classId) {
    return "CLSID\\" + classId;
}

} // namespace

std::string RegistryFile() {
    if (const char *file = std::getenv("VESTRANO_REGISTRY"); file && *file)
        return file;
    fs::path data;
    if (const char *xdg = std::getenv("XDG_DATA_HOME"); xdg && *xdg)
        data = xdg;
    else if (const char *home = std::getenv("HOME"); home && *home)
        data = fs::path(home) / ".local" / "share";
    else
        data = fs::temp_directory_path();
    return (data / "vestrano" / "registry.ini").string();
}

bool RegisterServer(const TServerEntry &entry) {
    const std::string file = RegistryFile();
    std::error_code error;
    fs::create_directories(fs::path(file).parent_path(), error);
    TIniFile ini(file);
    const std::string section = ClassSection(entry.ClassId);
    ini.WriteString(section, "Description", entry.Description);
    ini.WriteString(section, "InprocServer32", entry.Path);
    ini.WriteString(section, "ThreadingModel", entry.ThreadingModel);
    ini.WriteString(section, "ProgID", entry.ProgId);
    ini.WriteString(entry.ProgId, "CLSID", entry.ClassId);
    return FindServer(entry.ClassId).has_value();
}

bool UnregisterServer(const std::string &classId) {
    TIniFile ini(RegistryFile());
    const std::string section = ClassSection(classId);
    const std::string progId = ini.ReadString(section, "ProgID", "");
    ini.EraseSection(section);
    if (!progId.empty() && ini.ReadString(progId, "CLSID", "") == classId)
        ini.EraseSection(progId);
    return !ini.SectionExists(section);
}

std::optional<TServerEntry> FindServer(const std::string &classId) {
    TIniFile ini(RegistryFile());
    const std::string section = ClassSection(classId);
    TServerEntry entry;
    entry.ClassId = classId;
    entry.Path = ini.ReadString(section, "InprocServer32", "");
    if (entry.Path.empty())
        return std::nullopt;
    entry.Description = ini.ReadString(section, "Description", "");
    entry.ThreadingModel = ini.ReadString(section, "ThreadingModel", "");
    entry.ProgId = ini.ReadString(section, "ProgID", "");
    return entry;
}

std::optional<std::string> ClassIdOfProgId(const std::string &progId) {
    const std::string classId = TIniFile(RegistryFile()).ReadString(progId, "CLSID", "");
    if (classId.empty())
        return std::nullopt;
    return classId;
}

} // namespace ComRegistry
