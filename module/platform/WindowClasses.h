#pragma once
// Window classes registered by name: a module registers its window classes when it is
// loaded, and code that knows only the name creates windows through it.

#include <functional>
#include <string>

class QWidget;

namespace Platform {

using TWindowFactory = std::function<QWidget *()>;

void RegisterWindowClass(const std::string &name, TWindowFactory factory);
void UnregisterWindowClass(const std::string &name);
// The registered factory, or nullptr.
const TWindowFactory *FindWindowClass(const std::string &name);

} // namespace Platform
