// Projection frames and their saved placement.
#include "CZentharoFrame.h"

#include "framework/RegistryKey.h"
#include "resources/resource.h"

namespace {

struct PlacementValue {
    const char* name;
    int CREATESTRUCTA::*field;
};

constexpr PlacementValue kPlacement[] = {
    {"x", &CREATESTRUCTA::x}, {"y", &CREATESTRUCTA::y}, {"cx", &CREATESTRUCTA::cx}, {"cy", &CREATESTRUCTA::cy}};

} // namespace

CRuntimeClass CZentharoFrame::classCZentharoFrame = {"CZentharoFrame", []() -> CObject* { return new CZentharoFrame; }};

BOOL CZentharoFrame::PreCreateWindow(CREATESTRUCTA& create) {
    // The pass without a class only works out the window class; the real creation reads the placement.
    if (create.lpszClass) {
        if (const RegistryKey key = RegistryKey::CreateOrOpen(HKEY_CURRENT_USER, kPlacementKey)) {
            for (const PlacementValue& value : kPlacement) {
                std::int32_t stored = 0;
                if (!key.ReadInt32(value.name, stored))
                    continue;
                key.WriteDword(value.name, 0); // one saved placement serves one new window
                create.*value.field = stored;
            }
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
    ::MapWindowPoints(nullptr, ::GetParent(m_hWnd), reinterpret_cast<POINT*>(&rect), 2);
    const RegistryKey key = RegistryKey::CreateOrOpen(HKEY_CURRENT_USER, kPlacementKey);
    if (!key)
        return;
    key.WriteDword("x", rect.left);
    key.WriteDword("y", rect.top);
    key.WriteDword("cx", rect.right - rect.left);
    key.WriteDword("cy", rect.bottom - rect.top);
}

int CZentharoFrame::OnCreate(CREATESTRUCTA* create) {
    if (CMDIChildWnd::OnCreate(create) == -1)
        return -1;
    // Without the entry (no menu memory left) the window still works, and Ctrl+Shift+C still copies.
    if (const HMENU menu = ::GetSystemMenu(m_hWnd, FALSE)) {
        ::AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
        ::AppendMenuA(menu, MF_STRING, ID_EDIT_COPY_TABLE, "Copy table\tCtrl+Shift+C");
    }
    return 0;
}

// Handled in code rather than in the accelerator resource, which holds Escape alone. Plain Ctrl+C is
// left to the focused cell, which copies its selected text.
BOOL CZentharoFrame::PreTranslateMessage(MSG* message) {
    const bool copyTableKey = message->message == WM_KEYDOWN && message->wParam == 'C' &&
                              ::GetKeyState(VK_CONTROL) < 0 && ::GetKeyState(VK_SHIFT) < 0 &&
                              ::GetKeyState(VK_MENU) >= 0;
    if (!copyTableKey)
        return CMDIChildWnd::PreTranslateMessage(message);
    OnCommand(MAKEWPARAM(ID_EDIT_COPY_TABLE, 0), 0);
    return TRUE; // also when held down: each repeat copies the same table again
}
