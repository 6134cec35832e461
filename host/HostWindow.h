// The base of the host's own windows: binds the object to its window at WM_NCCREATE, hands every
// message to HandleMessage, and unbinds at WM_NCDESTROY.
#pragma once

#include "framework/Win32.h"

class HostWindow {
public:
    HostWindow() = default;
    HostWindow(const HostWindow&) = delete;
    HostWindow& operator=(const HostWindow&) = delete;

    HWND Handle() const { return m_hwnd; }

    // The window procedure of every class the host registers. Top-level windows pass their object as
    // the creation parameter, MDI children as the MDICREATESTRUCT's lParam.
    static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    virtual ~HostWindow() = default;

    // Handles a message; what it leaves alone goes to DefaultProc.
    virtual LRESULT HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) = 0;
    virtual LRESULT DefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hwnd = nullptr;

private:
    static HostWindow* Bind(HWND hwnd, const CREATESTRUCTA& create);
};
