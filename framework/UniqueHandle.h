// An owning, move-only handle: the deleter runs once, when the owner goes or is reset.
#pragma once

#include "Win32.h"

#include <utility>

template <typename Handle, typename Deleter>
class UniqueHandle {
public:
    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : m_handle(handle) {}
    UniqueHandle(UniqueHandle&& other) noexcept : m_handle(std::exchange(other.m_handle, nullptr)) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other)
            Reset(std::exchange(other.m_handle, nullptr));
        return *this;
    }
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    ~UniqueHandle() { Reset(); }

    Handle Get() const { return m_handle; }
    explicit operator bool() const { return m_handle != nullptr; }
    void Reset(Handle handle = nullptr) {
        if (m_handle)
            Deleter()(m_handle);
        m_handle = handle;
    }

private:
    Handle m_handle = nullptr;
};

struct AcceleratorDeleter {
    void operator()(HACCEL handle) const { ::DestroyAcceleratorTable(handle); }
};
struct GdiObjectDeleter {
    void operator()(HGDIOBJ handle) const { ::DeleteObject(handle); }
};
struct MemoryDcDeleter {
    void operator()(HDC handle) const { ::DeleteDC(handle); }
};
struct MenuDeleter {
    void operator()(HMENU handle) const { ::DestroyMenu(handle); }
};
struct FileDeleter {
    void operator()(HANDLE handle) const {
        if (handle != INVALID_HANDLE_VALUE)
            ::CloseHandle(handle);
    }
};

using UniqueAccelerators = UniqueHandle<HACCEL, AcceleratorDeleter>;
using UniqueBitmap = UniqueHandle<HBITMAP, GdiObjectDeleter>;
using UniqueMemoryDc = UniqueHandle<HDC, MemoryDcDeleter>;
using UniqueMenu = UniqueHandle<HMENU, MenuDeleter>;
using UniqueFile = UniqueHandle<HANDLE, FileDeleter>;
