// Creating frames in the host's MDI client, with the module's class, icon and accelerators.
#include "CMDIChildWnd.h"

#include "CCreateContext.h"

namespace {

constexpr const char* kFrameClassName = "ZentharoFrame";

bool FrameClassRegistered() {
    WNDCLASSEXA existing{};
    existing.cbSize = sizeof existing;
    return ::GetClassInfoExA(ModuleInstance(), kFrameClassName, &existing) != 0;
}

BOOL CALLBACK FindMdiClientOf(HWND top, LPARAM found) {
    const HWND mdiClient = ::FindWindowExA(top, nullptr, "MDICLIENT", nullptr);
    if (!mdiClient)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = mdiClient;
    return FALSE;
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
    if (!FrameClassRegistered()) {
        WNDCLASSEXA frameClass{};
        frameClass.cbSize = sizeof frameClass;
        frameClass.style = CS_HREDRAW | CS_VREDRAW | CS_DBLCLKS;
        frameClass.lpfnWndProc = &CWnd::MdiChildWindowProc;
        frameClass.hInstance = ModuleInstance();
        frameClass.hIcon = ::LoadIconA(ModuleInstance(), MAKEINTRESOURCEA(m_nIDResource));
        frameClass.hIconSm = static_cast<HICON>(::LoadImageA(ModuleInstance(), MAKEINTRESOURCEA(m_nIDResource),
                                                             IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
        frameClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
        frameClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
        frameClass.lpszClassName = kFrameClassName;
        if (!::RegisterClassExA(&frameClass))
            return FALSE;
    }
    create.lpszClass = kFrameClassName;
    return TRUE;
}

void CMDIChildWnd::UnregisterFrameClass() { ::UnregisterClassA(kFrameClassName, ModuleInstance()); }

BOOL CMDIChildWnd::LoadFrame(UINT resourceId, CCreateContext* context) {
    const HWND mdiClient = FindHostMdiClient();
    if (!mdiClient) {
        delete this;
        return FALSE;
    }
    m_nIDResource = resourceId;
    m_hAccelTable = ::LoadAcceleratorsA(ModuleInstance(), MAKEINTRESOURCEA(resourceId));

    // First pass: the window class, worked out from the template's icon.
    CREATESTRUCTA classRequest{};
    if (!PreCreateWindow(classRequest) || !classRequest.lpszClass) {
        delete this;
        return FALSE;
    }

    // Second pass: the real request, which the frame may still change.
    CREATESTRUCTA create{};
    create.lpszClass = classRequest.lpszClass;
    create.lpszName = "";
    create.hInstance = ModuleInstance();
    create.hwndParent = mdiClient;
    create.style = WS_CHILD | WS_OVERLAPPEDWINDOW | WS_CLIPSIBLINGS | WS_CLIPCHILDREN;
    create.dwExStyle = WS_EX_MDICHILD;
    create.x = create.y = create.cx = create.cy = CW_USEDEFAULT;
    if (!PreCreateWindow(create)) {
        delete this;
        return FALSE;
    }

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

    // A window that fails during creation is destroyed and deletes this object on the way.
    bool deleted = false;
    m_pDeletedFlag = &deleted;
    m_pCreateContext = context;
    const HWND hwnd = reinterpret_cast<HWND>(::SendMessageA(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&request)));
    if (deleted)
        return FALSE;
    m_pDeletedFlag = nullptr;
    m_pCreateContext = nullptr;
    if (!hwnd) {
        delete this;
        return FALSE;
    }
    return TRUE;
}

void CMDIChildWnd::ActivateFrame() {
    ::ShowWindow(m_hWnd, SW_SHOW);
    ::SendMessageA(::GetParent(m_hWnd), WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hWnd), 0);
}

BOOL CMDIChildWnd::DestroyWindow() {
    // Destroyed directly, the child is still as the user left it (maximised, say) when it sees
    // WM_DESTROY; the MDI bookkeeping then runs in the default MDI child handling of that message.
    // WM_MDIDESTROY would first restore or hide it.
    return m_hWnd ? ::DestroyWindow(m_hWnd) : FALSE;
}

LRESULT CMDIChildWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefMDIChildProcA(m_hWnd, message, wParam, lParam);
}
