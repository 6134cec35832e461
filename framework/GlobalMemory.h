// An owning handle to movable global memory, the kind the clipboard takes: freed with the object
// unless ownership was handed on with Release.
#pragma once

#include "Win32.h"

#include <cstddef>
#include <utility>

class GlobalMemory {
public:
    GlobalMemory() = default;
    explicit GlobalMemory(std::size_t bytes) : m_handle(::GlobalAlloc(GMEM_MOVEABLE, bytes)) {}
    GlobalMemory(GlobalMemory&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    GlobalMemory& operator=(GlobalMemory&& other) noexcept {
        std::swap(m_handle, other.m_handle);
        return *this;
    }
    GlobalMemory(const GlobalMemory&) = delete;
    GlobalMemory& operator=(const GlobalMemory&) = delete;
    ~GlobalMemory() {
        if (m_handle)
            ::GlobalFree(m_handle);
    }

    explicit operator bool() const { return m_handle != nullptr; }
    HGLOBAL Get() const { return m_handle; }
    // Hands the memory on (to the clipboard, say): the object no longer frees it.
    HGLOBAL Release() { return std::exchange(m_handle, nullptr); }

private:
    HGLOBAL m_handle = nullptr;
};
