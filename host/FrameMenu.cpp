// Building the main window's menus and shortcuts from tables.
#include "FrameMenu.h"

#include "HostCommands.h"

#include <iterator>

namespace {

struct MenuEntry {
    unsigned id; // 0: a separator
    const char* text;
};

constexpr ACCEL kShortcuts[] = {
    {FCONTROL | FVIRTKEY, 'O', kCommandOpenGame},
    {FVIRTKEY, VK_F9, kCommandModule},
    {FSHIFT | FVIRTKEY, VK_F5, kCommandCascade},
    {FSHIFT | FVIRTKEY, VK_F4, kCommandTileHorizontally},
    {FVIRTKEY, VK_F1, kCommandAbout},
};

constexpr MenuEntry kFileMenu[] = {
    {kCommandOpenGame, "&Open game...\tCtrl+O"},
    {kCommandCloseGame, "&Close game\tCtrl+F4"},
    {0, nullptr},
    {kCommandExit, "E&xit\tAlt+F4"},
};
constexpr MenuEntry kWindowMenu[] = {
    {kCommandCascade, "&Cascade\tShift+F5"},
    {kCommandTileHorizontally, "Tile &horizontally\tShift+F4"},
    {kCommandTileVertically, "Tile &vertically"},
    {kCommandArrangeIcons, "&Arrange icons"},
};
constexpr MenuEntry kHelpMenu[] = {
    {kCommandAbout, "&About the module...\tF1"},
};

template <std::size_t count>
HMENU Popup(const MenuEntry (&entries)[count]) {
    const HMENU menu = ::CreatePopupMenu();
    for (const MenuEntry& entry : entries)
        ::AppendMenuA(menu, entry.id ? MF_STRING : MF_SEPARATOR, entry.id, entry.text);
    return menu;
}

} // namespace

HMENU FrameMenu::Create(HMENU& windowMenu) {
    const HMENU menu = ::CreateMenu();
    windowMenu = Popup(kWindowMenu);
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup(kFileMenu)), "&File");
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(windowMenu), "&Window");
    ::AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(Popup(kHelpMenu)), "&Help");
    return menu;
}

void FrameMenu::AddModuleCommand(HWND frame, const std::string& text) {
    // The module's command gets a menu of its own, before Window and Help.
    const HMENU plugins = ::CreatePopupMenu();
    ::AppendMenuA(plugins, MF_STRING, kCommandModule, (text + "\tF9").c_str());
    ::InsertMenuA(::GetMenu(frame), 1, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(plugins), "&Plug-ins");
    ::DrawMenuBar(frame);
}

void FrameMenu::RemoveModuleCommand(HWND frame) {
    const HMENU bar = ::GetMenu(frame);
    for (int position = ::GetMenuItemCount(bar) - 1; position >= 0; --position) {
        const HMENU popup = ::GetSubMenu(bar, position);
        if (popup && ::GetMenuState(popup, kCommandModule, MF_BYCOMMAND) != static_cast<UINT>(-1)) {
            ::DeleteMenu(bar, static_cast<UINT>(position), MF_BYPOSITION); // destroys the popup too
            ::DrawMenuBar(frame);
            return;
        }
    }
}

void FrameMenu::Enable(HMENU menu, bool gameOpen, bool planetSelected) {
    ::EnableMenuItem(menu, kCommandCloseGame, MF_BYCOMMAND | (gameOpen ? MF_ENABLED : MF_GRAYED));
    ::EnableMenuItem(menu, kCommandModule, MF_BYCOMMAND | (planetSelected ? MF_ENABLED : MF_GRAYED));
}

UniqueAccelerators FrameMenu::CreateShortcuts() {
    return UniqueAccelerators(
        ::CreateAcceleratorTableA(const_cast<ACCEL*>(kShortcuts), static_cast<int>(std::size(kShortcuts))));
}
