#pragma once
// The registry of in-process COM servers, kept in an INI file: $VESTRANO_REGISTRY, else
// $XDG_DATA_HOME/vestrano/registry.ini, else ~/.local/share/vestrano/registry.ini.
//   [CLSID\{...}]  Description, InprocServer32 (the module's path), ThreadingModel, ProgID
//   [<ProgID>]     CLSID
// Modules write their class here when registered; halls find them here by class id.

#include <optional>
#include <string>

namespace ComRegistry {

std::string RegistryFile();

struct TServerEntry {
    std::string ClassId;
    std::string Path;
    std::string Description;
    std::string ThreadingModel;
    std::string ProgId;
};

// False when the registry file cannot be written.
bool RegisterServer(const TServerEntry &entry);
bool UnregisterServer(const std::string &classId);
std::optional<TServerEntry> FindServer(const std::string &classId);
std::optional<std::string> ClassIdOfProgId(const std::string &progId);

} // namespace ComRegistry
