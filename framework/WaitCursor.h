// Shows the wait cursor while something long runs on the window's thread, and the cursor before it
// again at the end of the scope. Nothing is pumped meanwhile, so nothing changes it back early.
#pragma once

#include "Win32.h"

class WaitCursor {
public:
    WaitCursor() : m_previous(::SetCursor(::LoadCursorA(nullptr, reinterpret_cast<LPCSTR>(IDC_WAIT)))) {}
    ~WaitCursor() { ::SetCursor(m_previous); }
    WaitCursor(const WaitCursor&) = delete;
    WaitCursor& operator=(const WaitCursor&) = delete;

private:
    HCURSOR m_previous;
};
