// A frame: the window around a view. It owns the keyboard of its window (accelerators, then dialog
// navigation inside the view) and routes commands to the view and from there to the document.
#pragma once

#include "CWnd.h"

struct CCreateContext;
class CView;

class CFrameWnd : public CWnd {
public:
    // Creates the frame window with the icon and accelerators of the resource id, and its view.
    virtual BOOL LoadFrame(UINT resourceId, CCreateContext* context) = 0;

    // The request the window will be created from: called once without a window class (while the
    // class is worked out) and once with it, for the real creation.
    virtual BOOL PreCreateWindow(CREATESTRUCTA& create);

    // Keyboard and right-button handling for a message aimed at this frame or a window inside it: the
    // view's first, then the accelerators and the dialog keys. True when handled. The frame may be gone
    // when it returns true (the accelerator may close it).
    virtual BOOL PreTranslateMessage(MSG* message);

    CView* GetActiveView() const { return m_pViewActive; }
    // A view going away tells its frame, which then holds no view.
    void OnViewDestroyed(CView* view);
    // The frame of ours that contains hwnd (hwnd itself or an ancestor), or nullptr.
    static CFrameWnd* FrameContaining(HWND hwnd);

protected:
    virtual BOOL OnCreateClient(CREATESTRUCTA* create, CCreateContext* context);
    CView* CreateView(CCreateContext* context, UINT id);

    int OnCreate(CREATESTRUCTA* create) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // Commands a frame adds to its system menu (ids below the system's own) route as menu commands do.
    BOOL OnSysCommand(UINT id) override;
    void OnSize(UINT type, int cx, int cy) override;
    void OnSetFocus() override;
    void PostNcDestroy() override;

    HACCEL m_hAccelTable = nullptr; // the template's, shared by its frames
    CView* m_pViewActive = nullptr;
    CCreateContext* m_pCreateContext = nullptr; // valid while the window is being created
    // Set once the window exists: from then on the window owns the object and deletes it when it
    // goes. A window that fails while being made leaves the object to whoever made it.
    bool m_bOwnedByWindow = false;
};
