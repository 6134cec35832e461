// Creating frames in the host's MDI client, with the module's class, icon and accelerators.
#include "CMDIChildWnd.h"

#include "CCreateContext.h"
#include "CMultiDocTemplate.h"
#include "CWinApp.h"
#include "CWindowClosedException.h"
#include "ModuleInstance.h"

namespace {

BOOL CALLBACK FindMdiClientOf(HWND top, LPARAM found) {
    const HWND mdiClient = ::FindWindowExA(top, nullptr, "MDICLIENT", nullptr);
    if (!mdiClient)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = mdiClient;
    return FALSE;
}

HICON LoadIconOfSize(UINT resourceId, int size) {
    return static_cast<HICON>(
        ::LoadImageA(ModuleInstance(), MAKEINTRESOURCEA(resourceId), IMAGE_ICON, size, size, LR_DEFAULTCOLOR));
}

} // namespace

HWND CMDIChildWnd::FindHostMdiClient() {
    HWND client = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindMdiClientOf, reinterpret_cast<LPARAM>(&client));
    return client;
}

BOOL CMDIChildWnd::PreCreateWindow(CREATESTRUCTA& create) {
    if (create.lpszClass)
        return TRUE;
    WNDCLASSEXA frameClass{};
    frameClass.cbSize = sizeof frameClass;
    if (!::GetClassInfoExA(ModuleInstance(), m_windowClassName, &frameClass)) {
        frameClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        frameClass.lpfnWndProc = &CWnd::MdiChildWindowProc;
        frameClass.hInstance = ModuleInstance();
        frameClass.hIcon = LoadIconOfSize(m_nIDResource, 32);
        frameClass.hIconSm = LoadIconOfSize(m_nIDResource, 16);
        frameClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        frameClass.lpszClassName = m_windowClassName;
        // The application unregisters it, and destroys its icons, when the module goes.
        if (!AfxGetApp()->m_windowClasses.Register(frameClass))
            return FALSE;
    }
    create.lpszClass = m_windowClassName;
    return TRUE;
}

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, CCreateContext* context) {
    const HWND mdiClient = FindHostMdiClient();
    if (!mdiClient)
        return FALSE;
    m_nIDResource = resourceId;
    m_hAccelTable = context && context->m_pNewDocTemplate ? context->m_pNewDocTemplate->GetAccelerators() : nullptr;

    // First pass: the window class, worked out from the template's icon.
    CREATESTRUCTA classRequest{};
    if (!PreCreateWindow(classRequest) || !classRequest.lpszClass)
        return FALSE;

    // Second pass: the real request, which the frame may still change.
    CREATESTRUCTA create{};
    create.lpszClass = classRequest.lpszClass;
    create.lpszName = "";
    create.hInstance = ModuleInstance();
    create.hwndParent = mdiClient;
    create.style = WS_CHILD | WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    create.dwExStyle = WS_EX_MDICHILD;
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    if (!PreCreateWindow(create))
        return FALSE;

    MDICREATESTRUCTA request{};
    request.szClass = create.lpszClass;
    request.szTitle = create.lpszName;
    request.hOwner = create.hInstance;
    request.x = create.x;
    request.y = create.y;
    // A zero width or height would make an invisible window: such a request gets the default size.
    const bool degenerate = create.cx == 0 || create.cy == 0;
    request.cx = degenerate ? CW_USEDEFAULT : create.cx;
    request.cy = degenerate ? CW_USEDEFAULT : create.cy;
    request.style = create.style & ~WS_VISIBLE; // shown once the view is filled
    request.lParam = reinterpret_cast<LPARAM>(this);

    // A window that fails while being made is destroyed again before the request returns. So may one
    // that was made: the host's MDI client and its windows hear of it, and their answer may close it.
    // Until this object belongs to its window, closing the window leaves the object alone.
    m_pCreateContext = context;
    ::SendMessageA(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&request));
    m_pCreateContext = nullptr;
    // What counts is whether the window bound to this object is there now, not what the request
    // answered: a window closed meanwhile is unbound, and its handle may still be the answer.
    if (m_hWnd && ::IsWindow(m_hWnd)) {
        m_bOwnedByWindow = true;
        return TRUE;
    }
    if (m_bCreated)
        throw CWindowClosedException();
    return FALSE;
}

void CMDIChildWnd::ActivateFrame() {
    // This frame may be gone after each call: only the handle taken first is used from here on.
    const HWND hwnd = m_hWnd;
    ::ShowWindow(hwnd, SW_SHOW);
    if (const HWND mdiClient = ::GetParent(hwnd))
        ::SendMessageA(mdiClient, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(hwnd), 0);
    // Drawn now, in one pass over the frame and its children, rather than one WM_PAINT per window
    // taken from the host's message loop: under Wine each message taken passes every message hook of
    // the thread (the keyboard router's among them) at two server round trips apiece.
    if (::IsWindow(hwnd))
        ::RedrawWindow(hwnd, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
}

BOOL CMDIChildWnd::DestroyWindow() {
    if (!m_hWnd || m_destroying)
        return FALSE;
    // The MDI client keeps its own list and its active child: only its destruction keeps them right,
    // activating the next child. It restores a maximised child (and a minimised one) first, so the
    // rectangle the user left is taken now.
    ::GetWindowRect(m_hWnd, &m_rectAsLeft);
    m_destroying = true;
    const HWND hwnd = m_hWnd;
    ::SendMessageA(::GetParent(hwnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(hwnd), 0);
    if (::IsWindow(hwnd)) // the parent was no MDI client after all
        return ::DestroyWindow(hwnd);
    return TRUE; // and this object is gone
}

RECT CMDIChildWnd::GetRectAsLeft() const {
    if (m_destroying)
        return m_rectAsLeft;
    RECT rect{};
    ::GetWindowRect(m_hWnd, &rect);
    return rect;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}
