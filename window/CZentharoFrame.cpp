// Projection frames and their saved placement.
#include "CZentharoFrame.h"

#include "CZentharoForm.h"
#include "FramePlacement.h"
#include "ProjectionCommands.h"
#include "framework/RegistryKey.h"
#include "resources/resource.h"

#include <algorithm>
#include <new>

namespace {

struct PlacementValue {
    const char* name;
    int CREATESTRUCTA::*field;
    std::optional<int> FramePlacement::*placement;
};

constexpr PlacementValue kPlacement[] = {
    {ModuleContract::kPlacementX, &CREATESTRUCTA::x, &FramePlacement::x},
    {ModuleContract::kPlacementY, &CREATESTRUCTA::y, &FramePlacement::y},
    {ModuleContract::kPlacementWidth, &CREATESTRUCTA::cx, &FramePlacement::cx},
    {ModuleContract::kPlacementHeight, &CREATESTRUCTA::cy, &FramePlacement::cy},
};

// What the window system allows a frame of these styles in this MDI client.
FrameLimits LimitsIn(HWND mdiClient, DWORD style, DWORD exStyle) {
    RECT client{};
    if (mdiClient)
        ::GetClientRect(mdiClient, &client);
    RECT edges{};
    ::AdjustWindowRectEx(&edges, style, FALSE, exStyle);
    FrameLimits limits;
    limits.clientWidth = client.right - client.left;
    limits.clientHeight = client.bottom - client.top;
    limits.titleBarHeight = -edges.top;
    limits.minWidth = ::GetSystemMetrics(SM_CXMINTRACK);
    limits.minHeight = ::GetSystemMetrics(SM_CYMINTRACK);
    // A maximised frame reaches past the client by its edges, and may be larger than the screen allows.
    limits.maxWidth = std::max<int>(::GetSystemMetrics(SM_CXMAXTRACK), limits.clientWidth + edges.right - edges.left);
    limits.maxHeight = std::max<int>(::GetSystemMetrics(SM_CYMAXTRACK), limits.clientHeight + edges.bottom - edges.top);
    // The caption lies inside the frame's top border; its icon and buttons are each a caption button wide.
    const int button = ::GetSystemMetrics(SM_CXSIZE);
    const bool systemMenu = (style & WS_SYSMENU) != 0;
    const int buttons = systemMenu ? 1 + ((style & (WS_MINIMIZEBOX | WS_MAXIMIZEBOX)) ? 2 : 0) : 0;
    limits.captionTop = edges.bottom;
    limits.gripLeft = -edges.left + (systemMenu ? button : 0);
    limits.gripRight = edges.right + buttons * button;
    return limits;
}

} // namespace

CRuntimeClass CZentharoFrame::classCZentharoFrame = {"CZentharoFrame", []() -> CObject* { return new CZentharoFrame; }};

BOOL CZentharoFrame::PreCreateWindow(CREATESTRUCTA& create) {
    // The pass without a class only works out the window class; the real creation reads the placement.
    if (create.lpszClass) {
        if (const RegistryKey key = RegistryKey::CreateOrOpen(HKEY_CURRENT_USER, kPlacementKey)) {
            FramePlacement stored;
            for (const PlacementValue& value : kPlacement) {
                std::int32_t number = 0;
                if (!key.ReadInt32(value.name, number))
                    continue;
                key.WriteDword(value.name, 0); // one saved placement serves one new window
                stored.*value.placement = number;
            }
            // A placement left by another program, a smaller host window or a value of the wrong type
            // could put the title bar out of reach; what was not stored stays the framework's default,
            // unless the window system would read that default as a coordinate.
            const HWND mdiClient = create.hwndParent ? create.hwndParent : FindHostMdiClient();
            const FramePlacement placed = stored.Reachable(LimitsIn(mdiClient, create.style, create.dwExStyle));
            for (const PlacementValue& value : kPlacement)
                if (stored.*value.placement || placed.*value.placement)
                    create.*value.field = (placed.*value.placement).value_or(CW_USEDEFAULT);
        }
    }
    return CMDIChildWnd::PreCreateWindow(create);
}

BOOL CZentharoFrame::OnCreateClient(CREATESTRUCTA* create, CCreateContext* context) {
    return CMDIChildWnd::OnCreateClient(create, context);
}

void CZentharoFrame::OnDestroy() {
    CMDIChildWnd::OnDestroy();
    RECT rect = GetRectAsLeft(); // maximised or minimised included
    const HWND mdiClient = ::GetParent(m_hWnd);
    ::MapWindowPoints(nullptr, mdiClient, reinterpret_cast<POINT*>(&rect), 2);
    // A frame moved out of reach is saved where the next one can be reached; a size given up for the
    // default is saved as 0, which opens the next frame at the default size.
    const FramePlacement placed =
        FramePlacement{rect.left, rect.top, rect.right - rect.left, rect.bottom - rect.top}.Reachable(
            LimitsIn(mdiClient, static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_STYLE)),
                     static_cast<DWORD>(::GetWindowLongA(m_hWnd, GWL_EXSTYLE))));
    const RegistryKey key = RegistryKey::CreateOrOpen(HKEY_CURRENT_USER, kPlacementKey);
    if (!key)
        return;
    for (const PlacementValue& value : kPlacement)
        key.WriteDword(value.name, (placed.*value.placement).value_or(0));
}

int CZentharoFrame::OnCreate(CREATESTRUCTA* create) {
    if (CMDIChildWnd::OnCreate(create) == -1)
        return -1;
    // The commands of the whole window, after a separator. Without them (no memory left) the window
    // still works, and their keys and the context menu still run them.
    if (const HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
        try {
            ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            for (const ProjectionCommand& command : ProjectionCommandTable{}) {
                if (!command.wholeWindow)
                    continue;
                ::AppendMenuA(menu, MF_STRING, command.id, ProjectionCommands::MenuText(command, command.text).c_str());
                if (command.endsGroup)
                    ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
            }
        } catch (const std::bad_alloc&) {
        }
    }
    return 0;
}

void CZentharoFrame::OnInitMenuPopup(HMENU menu, UINT, BOOL systemMenu) {
    if (const auto* form = dynamic_cast<const CZentharoForm*>(GetActiveView()); form && systemMenu)
        form->ShowCommandsIn(menu, false);
}
void CZentharoFrame::OnShowWindow(BOOL show, UINT status) {
    // Only the frame's own showing and hiding: the system's (a minimised host) reaches the chart itself.
    if (status != 0)
        return;
    if (auto* form = dynamic_cast<CZentharoForm*>(GetActiveView()))
        form->OnProjectionShown(show != FALSE);
}
