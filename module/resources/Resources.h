#pragma once

namespace Resources {

// Registers the embedded pictures with Qt's resource system. The module does this by
// itself when it is loaded; a program that links the resources as a static library (a
// test, a tool) calls it once before looking a picture up. Calling it again is harmless.
void Initialize();

} // namespace Resources
