// The base of the module's windows: binds a window handle to its object and cracks messages into
// typed virtual handlers. Only windows of classes the module registers, and windows the module
// subclasses, are bound; a handle of anybody else's is never taken for one of ours.
#pragma once

#include "CObject.h"
#include "Win32.h"

class CWnd : public CObject {
public:
    // The object bound to a window of ours, or nullptr.
    static CWnd* FromHandlePermanent(HWND hwnd);

    HWND GetSafeHwnd() const { return m_hWnd; }
    virtual BOOL DestroyWindow();
    BOOL ShowWindow(int command) { return ::ShowWindow(m_hWnd, command); }
    void SetWindowText(const char* text) { ::SetWindowTextA(m_hWnd, text); }

    HWND m_hWnd = nullptr;

protected:
    // Window procedure of the classes the module registers; unbound messages go to defaultProc. The
    // procedures are the doors through which the window system enters the module: an exception stops
    // there, the message counts as failed, and the user hears it.
    static LRESULT Dispatch(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam, WNDPROC defaultProc) noexcept;
    static LRESULT CALLBACK StandardWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    static LRESULT CALLBACK MdiChildWindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;

    void Attach(HWND hwnd);
    // Takes over an existing window's procedure; messages it does not handle go to the old one.
    void SubclassWindow(HWND hwnd);

    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // Handlers. A handler that may destroy the window returns at once afterwards, touching nothing.
    virtual int OnCreate(CREATESTRUCTA* /*create*/) { return 0; }
    virtual BOOL OnCommand(WPARAM /*wParam*/, LPARAM /*lParam*/) { return FALSE; }
    // A command of the window's system menu; id without the four low bits the system uses itself.
    virtual BOOL OnSysCommand(UINT /*id*/) { return FALSE; }
    // Asked to close (WM_CLOSE); by default the window system's answer, which destroys the window.
    virtual void OnClose() { DefWindowProc(WM_CLOSE, 0, 0); }
    virtual void OnDestroy() {}
    virtual void OnSize(UINT /*type*/, int /*cx*/, int /*cy*/) {}
    virtual void OnSetFocus() {}
    // The window is being shown or hidden; status 0 when by ShowWindow, else why the system does it.
    virtual void OnShowWindow(BOOL /*show*/, UINT /*status*/) {}
    virtual BOOL OnScroll(int /*bar*/, UINT /*code*/) { return FALSE; }
    virtual BOOL OnMouseWheel(int /*delta*/) { return FALSE; }
    // The context menu asked for window (this one or a child), at a screen point, or at {-1, -1} when
    // asked from the keyboard. FALSE leaves it to the default handling.
    virtual BOOL OnContextMenu(HWND /*window*/, POINT /*screen*/) { return FALSE; }
    // A menu of the window is about to open: its items may be brought up to date.
    virtual void OnInitMenuPopup(HMENU /*menu*/, UINT /*index*/, BOOL /*systemMenu*/) {}
    // Runs after the window is gone; windows that own themselves delete their object here.
    virtual void PostNcDestroy() {}

private:
    static LRESULT CALLBACK SubclassProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) noexcept;
    LRESULT OnNcDestroy(WPARAM wParam, LPARAM lParam);

    WNDPROC m_pfnSuper = nullptr;
};
