#pragma once

#include "platform/ComBase.h"

#include <atomic>

namespace Platform {

// The reference count of one COM object. Release returns the new count; the object
// deletes itself when it reaches 0.
class RefCount {
public:
    ULONG Increment() { return ++m_count; }
    ULONG Decrement() { return --m_count; }
    ULONG Value() const { return m_count; }

private:
    std::atomic<ULONG> m_count{1};
};

// Counts the live objects and server locks of one module, for DllCanUnloadNow.
class ModuleLockCount {
public:
    void Lock() { ++m_count; }
    void Unlock() { --m_count; }
    bool CanUnload() const { return m_count.load() == 0; }

private:
    std::atomic<long> m_count{0};
};

} // namespace Platform
