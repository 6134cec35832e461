// A frame that lives as a child of the host's multi-document client window.
#pragma once

#include "CFrameWnd.h"

class CMDIChildWnd : public CFrameWnd {
public:
    // On failure the frame object is gone: deleted by its window's destruction or here.
    BOOL LoadFrame(UINT resourceId, CCreateContext* context) override;
    // Without a window class in the request, supplies the module's frame class with the icon.
    BOOL PreCreateWindow(CREATESTRUCTA& create) override;
    BOOL DestroyWindow() override;

    // Shows the frame and makes it the active child.
    void ActivateFrame();

    // The multi-document client window of the host, found among the top-level windows of this thread.
    static HWND FindHostMdiClient();
    // Removes the module's frame class; called when the module is unloaded.
    static void UnregisterFrameClass();

protected:
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

private:
    UINT m_nIDResource = 0;
};
