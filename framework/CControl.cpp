// Creating and destroying owned controls.
#include "CControl.h"

#include "ModuleInstance.h"

BOOL CControl::Create(const char* windowClass, DWORD style, DWORD exStyle, const RECT& rect, HWND parent, UINT id,
                      const char* text) {
    DestroyWindow();
    m_hWnd = ::CreateWindowExA(exStyle, windowClass, text, style, rect.left, rect.top, rect.right - rect.left,
                               rect.bottom - rect.top, parent, reinterpret_cast<HMENU>(static_cast<UINT_PTR>(id)),
                               ModuleInstance(), nullptr);
    return m_hWnd != nullptr;
}

void CControl::DestroyWindow() {
    if (m_hWnd && ::IsWindow(m_hWnd))
        ::DestroyWindow(m_hWnd);
    m_hWnd = nullptr;
}
