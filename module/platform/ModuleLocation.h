#pragma once

#include <string>

namespace Platform {

// The full path of the binary (shared module or executable) that contains this code.
std::string ModuleFilePath();

// Its directory, with a trailing separator.
std::string ModuleDirectory();

} // namespace Platform
