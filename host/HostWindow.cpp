// Routing window messages to the host's window objects.
#include "HostWindow.h"

HostWindow* HostWindow::Bind(HWND hwnd, const CREATESTRUCTA& create) {
    LPARAM parameter = reinterpret_cast<LPARAM>(create.lpCreateParams);
    if (create.dwExStyle & WS_EX_MDICHILD)
        parameter = reinterpret_cast<const MDICREATESTRUCTA*>(create.lpCreateParams)->lParam;
    auto* window = reinterpret_cast<HostWindow*>(parameter);
    if (window) {
        window->m_hwnd = hwnd;
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    }
    return window;
}

LRESULT CALLBACK HostWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
    HostWindow* window = message == WM_NCCREATE
                             ? Bind(hwnd, *reinterpret_cast<const CREATESTRUCTA*>(lParam))
                             : reinterpret_cast<HostWindow*>(::GetWindowLongPtrA(hwnd, GWLP_USERDATA));
    if (!window)
        return ::DefWindowProcA(hwnd, message, wParam, lParam);
    const LRESULT result = window->HandleMessage(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        ::SetWindowLongPtrA(hwnd, GWLP_USERDATA, 0);
        window->m_hwnd = nullptr;
    }
    return result;
}

LRESULT HostWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefWindowProcA(m_hwnd, message, wParam, lParam);
}
