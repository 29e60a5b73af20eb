#pragma once

#include "platform/ComBase.h"

#include <utility>

namespace Platform {

// Owns one reference to a COM interface: AddRef on copy, Release on destruction.
template <typename T> class ComPtr {
public:
    ComPtr() = default;
    // Takes a new reference to p.
    explicit ComPtr(T *p)
        : m_ptr(p) {
        if (m_ptr)
            m_ptr->AddRef();
    }
    ComPtr(const ComPtr &other)
        : ComPtr(other.m_ptr) {}
    ComPtr(ComPtr &&other) noexcept
        : m_ptr(std::exchange(other.m_ptr, nullptr)) {}
    ComPtr &operator=(ComPtr other) noexcept {
        std::swap(m_ptr, other.m_ptr);
        return *this;
    }
    ~ComPtr() { Reset(); }

    // Adopts a reference the caller already owns (an out parameter of a COM call).
    static ComPtr Attach(T *p) {
        ComPtr result;
        result.m_ptr = p;
        return result;
    }

    void Reset() {
        if (T *p = std::exchange(m_ptr, nullptr))
            p->Release();
    }
    T *Get() const { return m_ptr; }
    T *operator->() const { return m_ptr; }
    explicit operator bool() const { return m_ptr != nullptr; }

private:
    T *m_ptr = nullptr;
};

} // namespace Platform
