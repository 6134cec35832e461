// Frame behaviour common to every frame: view creation, layout, keyboard and command routing.
#include "CFrameWnd.h"

#include "CCreateContext.h"
#include "CRuntimeClass.h"
#include "CView.h"

namespace {

constexpr UINT kFirstPaneId = 0xE900;

bool IsComboListDropped(HWND hwnd) {
    char className[16];
    for (HWND window = hwnd; window; window = ::GetParent(window)) {
        if (::GetClassNameA(window, className, sizeof className) && lstrcmpiA(className, "ComboBox") == 0)
            return ::SendMessageA(window, CB_GETDROPPEDSTATE, 0, 0) != 0;
    }
    return false;
}

// Ctrl+F4, Ctrl+F6 and Ctrl+Tab belong to the host's MDI handling.
bool IsMdiKey(const MSG& message) {
    if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN)
        return false;
    const bool control = ::GetKeyState(VK_CONTROL) < 0;
    return control && (message.wParam == VK_F4 || message.wParam == VK_F6 || message.wParam == VK_TAB);
}

} // namespace

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCTA&) { return TRUE; }

CFrameWnd* CFrameWnd::FrameContaining(HWND hwnd) {
    for (HWND window = hwnd; window; window = ::GetParent(window))
        if (auto* frame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(window)))
            return frame;
    return nullptr;
}

BOOL CFrameWnd::PreTranslateMessage(MSG* message) {
    if (IsMdiKey(*message))
        return FALSE;
    if (m_pViewActive && m_pViewActive->PreTranslateMessage(message))
        return TRUE;
    if (message->message < WM_KEYFIRST || message->message > WM_KEYLAST)
        return FALSE;
    // The accelerator may destroy this frame: take what is needed afterwards first.
    const HWND frame = m_hWnd;
    const HWND view = m_pViewActive ? m_pViewActive->GetSafeHwnd() : nullptr;
    if (m_hAccelTable && !IsComboListDropped(message->hwnd) && ::TranslateAcceleratorA(frame, m_hAccelTable, message))
        return TRUE;
    return view && ::IsWindow(view) && ::IsDialogMessageA(view, message);
}

int CFrameWnd::OnCreate(CREATESTRUCTA* create) { return OnCreateClient(create, m_pCreateContext) ? 0 : -1; }

BOOL CFrameWnd::OnCreateClient(CREATESTRUCTA*, CCreateContext* context) {
    return context == nullptr || CreateView(context, kFirstPaneId) != nullptr;
}

CView* CFrameWnd::CreateView(CCreateContext* context, UINT id) {
    if (!context->m_pNewViewClass)
        return nullptr;
    auto* view = dynamic_cast<CView*>(context->m_pNewViewClass->CreateObject());
    if (!view)
        return nullptr;
    if (!view->Create(m_hWnd, id, context->m_pCurrentDoc)) {
        delete view; // no window was made, so nothing else will
        return nullptr;
    }
    m_pViewActive = view;
    RECT client;
    ::GetClientRect(m_hWnd, &client);
    ::MoveWindow(view->GetSafeHwnd(), 0, 0, client.right, client.bottom, FALSE);
    return view; // shown after its initial update, once its controls exist
}

BOOL CFrameWnd::OnCommand(WPARAM wParam, LPARAM lParam) {
    // Menu and accelerator commands; the view passes what it does not handle to the document.
    if (lParam != 0 || !m_pViewActive)
        return FALSE;
    return m_pViewActive->OnCmdMsg(LOWORD(wParam));
}

BOOL CFrameWnd::OnSysCommand(UINT id) { return id < SC_SIZE && OnCommand(MAKEWPARAM(id, 0), 0); }

void CFrameWnd::PostNcDestroy() {
    if (m_bOwnedByWindow)
        delete this;
}

void CFrameWnd::OnViewDestroyed(CView* view) {
    if (m_pViewActive == view)
        m_pViewActive = nullptr;
}

void CFrameWnd::OnSize(UINT type, int cx, int cy) {
    if (type != SIZE_MINIMIZED && m_pViewActive && ::IsWindow(m_pViewActive->GetSafeHwnd()))
        ::MoveWindow(m_pViewActive->GetSafeHwnd(), 0, 0, cx, cy, TRUE);
}

void CFrameWnd::OnSetFocus() {
    if (m_pViewActive && ::IsWindow(m_pViewActive->GetSafeHwnd()))
        ::SetFocus(m_pViewActive->GetSafeHwnd());
}
