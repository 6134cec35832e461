// The clipboard, opened for as long as the object lives and closed again whatever happens.
#pragma once

#include "Win32.h"

class OpenedClipboard {
public:
    // Another program may hold the clipboard for a moment (a clipboard viewer reading what changed): a
    // few short tries before giving up.
    static constexpr int kOpenAttempts = 5;
    static constexpr DWORD kOpenRetryDelayMs = 10;

    explicit OpenedClipboard(HWND owner) {
        for (int attempt = 0; attempt < kOpenAttempts && !m_open; ++attempt) {
            if (attempt > 0)
                ::Sleep(kOpenRetryDelayMs);
            m_open = ::OpenClipboard(owner) != FALSE;
        }
    }
    OpenedClipboard(const OpenedClipboard&) = delete;
    OpenedClipboard& operator=(const OpenedClipboard&) = delete;
    ~OpenedClipboard() {
        if (m_open)
            ::CloseClipboard();
    }
    explicit operator bool() const { return m_open; }

private:
    bool m_open = false;
};
