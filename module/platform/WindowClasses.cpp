#include "platform/WindowClasses.h"

#include <map>

namespace Platform {

namespace {

std::map<std::string, TWindowFactory> &Classes() {
    static std::map<std::string, TWindowFactory> classes;
    return classes;
}

} // namespace

void RegisterWindowClass(const std::string &name, TWindowFactory factory) {
    Classes()[name] = std::move(factory);
}

void UnregisterWindowClass(const std::string &name) {
    Classes().erase(name);
}

const TWindowFactory *FindWindowClass(const std::string &name) {
    const auto found = Classes().find(name);
    return found == Classes().end() ? nullptr : &found->second;
}

} // namespace Platform
