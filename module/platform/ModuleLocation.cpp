#include "platform/ModuleLocation.h"

#include <dlfcn.h>

#include <climits>
#include <cstdlib>

namespace Platform {

std::string ModuleFilePath() {
    Dl_info info{};
    if (dladdr(reinterpret_cast<const void *>(&ModuleFilePath), &info) == 0 || !info.dli_fname)
        return {};
    char resolved[PATH_MAX];
    if (realpath(info.dli_fname, resolved))
        return resolved;
    return info.dli_fname;
}

std::string ModuleDirectory() {
    const std::string path = ModuleFilePath();
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

} // namespace Platform
