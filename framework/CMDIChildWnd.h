// A frame that lives as a child of the host's multi-document client window.
#pragma once

#include "CFrameWnd.h"

class CMDIChildWnd : public CFrameWnd {
public:
    // windowClassName: the class the frame's windows are made of, registered on first use.
    explicit CMDIChildWnd(const char* windowClassName) : m_windowClassName(windowClassName) {}

    // Makes the frame's window, hidden, with its view. On failure nothing of it stays on screen and
    // the object is still the caller's; on success the window owns it. A window made and then closed by
    // someone else before the request returned (the host, answering its creation) throws
    // CWindowClosedException, the object still the caller's.
    BOOL LoadFrame(UINT resourceId, CCreateContext* context) override;
    // Without a window class in the request, supplies the frame's class with the resource's icons.
    BOOL PreCreateWindow(CREATESTRUCTA& create) override;
    // Destroys the frame through its MDI client, which then activates another child or none.
    BOOL DestroyWindow() override;

    // Shows the frame and makes it the active child. Both reach the host, which may close the frame
    // meanwhile: the caller checks that the window is still there afterwards.
    void ActivateFrame();

    // The multi-document client window of the host, found among the top-level windows of this thread.
    static HWND FindHostMdiClient();

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // The frame's outer rectangle in screen coordinates as the user left it: while the frame is being
    // destroyed through its MDI client, the one it had before the client restored or hid it.
    RECT GetRectAsLeft() const;

private:
    const char* m_windowClassName;
    UINT m_nIDResource = 0;
    RECT m_rectAsLeft{};
    bool m_destroying = false;
};
