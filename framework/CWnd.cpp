// Binding, dispatch and message cracking.
#include "CWnd.h"

CWnd* CWnd::FromHandlePermanent(HWND hwnd) {
    if (!hwnd)
        return nullptr;
    // Only windows running one of our procedures carry an object in GWLP_USERDATA; other windows of
    // the process may keep anything there.
    const auto proc = reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hwnd, GWLP_WNDPROC));
    if (proc != &CWnd::StandardWindowProc && proc != &CWnd::SubclassProc && proc != &CWnd::MdiChildWindowProc)
        return nullptr;
    return reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
}

void CWnd::Attach(HWND hwnd) {
    m_hWnd = hwnd;
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
}

// Our windows are bound from WM_NCCREATE (or subclassing) to WM_NCDESTROY.
static CWnd* BoundObject(HWND hwnd) { return reinterpret_cast<CWnd*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA)); }

void CWnd::SubclassWindow(HWND hwnd) {
    Attach(hwnd);
    m_pfnSuper = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CWnd::SubclassProc)));
}

BOOL CWnd::DestroyWindow() { return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE; }

namespace {

// What a message answers when its handler failed: a window that fails while being made is not made,
// and anything else is taken as handled, since a handler may have done part of its work.
LRESULT FailedMessageResult(UINT message) {
    switch (message) {
    case WM_NCCREATE:
        return FALSE;
    case WM_CREATE:
        return -1;
    default:
        return 0;
    }
}

} // namespace

LRESULT CWnd::Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC defaultProc) noexcept {
    // The window system calls in here from the host's message loop: nothing may unwind past this frame.
    try {
        if (message == WM_NCCREATE) {
            const auto* create = reinterpret_cast<CREATESTRUCTA*>(lParam);
            // An MDI child's creation parameters arrive wrapped in the MDI creation request.
            LPARAM param = reinterpret_cast<LPARAM>(create->lpCreateParams);
            if (defaultProc == &::DefMDIChildProcA && param)
                param = reinterpret_cast<const MDICREATESTRUCTA*>(create->lpCreateParams)->lParam;
            if (auto* wnd = reinterpret_cast<CWnd*>(param))
                wnd->Attach(hwnd);
        }
        CWnd* wnd = BoundObject(hwnd);
        if (!wnd)
            return ::CallWindowProcA(defaultProc, hwnd, message, wParam, lParam);
        return wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        ::MessageBeep(MB_ICONHAND);
        return FailedMessageResult(message);
    }
}

LRESULT CALLBACK CWnd::StandardWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return Dispatch(hwnd, message, wParam, lParam, ::DefWindowProcA);
}

LRESULT CALLBACK CWnd::MdiChildWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    return Dispatch(hwnd, message, wParam, lParam, ::DefMDIChildProcA);
}

LRESULT CALLBACK CWnd::SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept {
    try {
        CWnd* wnd = BoundObject(hwnd);
        if (!wnd)
            return ::DefWindowProcA(hwnd, message, wParam, lParam);
        return wnd->WindowProc(message, wParam, lParam);
    } catch (...) {
        ::MessageBeep(MB_ICONHAND);
        return FailedMessageResult(message);
    }
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        if (DefWindowProc(message, wParam, lParam) == -1 || OnCreate(reinterpret_cast<CREATESTRUCTA*>(lParam)) == -1)
            return -1;
        return 0;
    case WM_COMMAND:
        if (OnCommand(wParam, lParam))
            return 0;
        break;
    case WM_SYSCOMMAND:
        if (OnSysCommand(static_cast<UINT>(wParam & 0xFFF0)))
            return 0;
        break;
    case WM_CLOSE:
        OnClose(); // may destroy the window
        return 0;
    case WM_DESTROY:
        OnDestroy();
        break;
    case WM_NCDESTROY:
        return OnNcDestroy(wParam, lParam);
    case WM_SIZE:
        OnSize(static_cast<UINT>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_SETFOCUS:
        OnSetFocus();
        break;
    case WM_SHOWWINDOW:
        OnShowWindow(static_cast<BOOL>(wParam), static_cast<UINT>(lParam));
        break;
    case WM_HSCROLL:
    case WM_VSCROLL:
        if (OnScroll(message == WM_HSCROLL ? SB_HORZ : SB_VERT, LOWORD(wParam)))
            return 0;
        break;
    case WM_CONTEXTMENU:
        if (OnContextMenu(reinterpret_cast<HWND>(wParam),
                          {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))}))
            return 0;
        break;
    case WM_INITMENUPOPUP:
        OnInitMenuPopup(reinterpret_cast<HMENU>(wParam), LOWORD(lParam), HIWORD(lParam));
        break;
    case WM_MOUSEWHEEL:
        if (OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam)))
            return 0;
        break;
    default:
        break;
    }
    return DefWindowProc(message, wParam, lParam);
}

LRESULT CWnd::OnNcDestroy(WPARAM wParam, LPARAM lParam) {
    const HWND hwnd = m_hWnd;
    const LRESULT result = DefWindowProc(WM_NCDESTROY, wParam, lParam);
    if (m_pfnSuper)
        ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
    m_pfnSuper = nullptr;
    PostNcDestroy(); // may delete this
    return result;
}
