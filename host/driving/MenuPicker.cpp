// Reading and picking a popup menu from a timer of the thread, which the menu's loop dispatches.
#include "MenuPicker.h"

#include "RealInput.h"

namespace {

// The menu's loop may not let the click through at once: a menu still open this many ticks after it
// was worked is closed, so that a failure cannot hang a script. A menu that has not opened after as
// many ticks is taken to open no more. The timer stops then, or once the menu is gone: its ticks are
// messages too, and the host is not idle while they come.
constexpr int kTicksAllowed = 40;
constexpr UINT kTickMilliseconds = 50;
constexpr UINT kGetMenuHandle = 0x01E1; // MN_GETHMENU

struct Visit {
    std::string pick;
    std::vector<MenuPicker::Item>* items = nullptr;
    std::string error;
    bool seen = false;
    int ticks = 0;
} g_visit; // the timer procedure is a plain function; one visit at a time

std::vector<MenuPicker::Item> ReadItems(HMENU menu) {
    std::vector<MenuPicker::Item> items;
    const int count = ::GetMenuItemCount(menu);
    for (int position = 0; position < count; ++position) {
        const UINT state = ::GetMenuState(menu, static_cast<UINT>(position), MF_BYPOSITION);
        char text[256] = {};
        ::GetMenuStringA(menu, static_cast<UINT>(position), text, sizeof text, MF_BYPOSITION);
        items.push_back({text, (state & MF_SEPARATOR) != 0, (state & (MF_GRAYED | MF_DISABLED)) != 0});
    }
    return items;
}

// The menu on the screen: the system keeps hidden menu windows besides.
HWND VisibleMenuWindow() {
    for (HWND popup = ::FindWindowExA(nullptr, nullptr, "#32768", nullptr); popup;
         popup = ::FindWindowExA(nullptr, popup, "#32768", nullptr))
        if (::IsWindowVisible(popup))
            return popup;
    return nullptr;
}

// Reads the menu once it is on the screen, then picks or closes it.
void CALLBACK WhileTheMenuIsOpen(HWND, UINT, UINT_PTR timer, DWORD) {
    const HWND popup = VisibleMenuWindow();
    const bool overdue = ++g_visit.ticks > kTicksAllowed;
    if (!popup || g_visit.seen) {
        if (popup && overdue)
            ::EndMenu();
        if ((!popup && (g_visit.seen || overdue)))
            ::KillTimer(nullptr, timer);
        return;
    }
    g_visit.seen = true;
    g_visit.ticks = 0;
    const HMENU menu = reinterpret_cast<HMENU>(::SendMessageA(popup, kGetMenuHandle, 0, 0));
    *g_visit.items = ReadItems(menu);
    if (g_visit.pick.empty()) {
        ::EndMenu();
        return;
    }
    const std::vector<MenuPicker::Item>& items = *g_visit.items;
    for (std::size_t position = 0; position < items.size(); ++position) {
        if (items[position].separator || MenuPicker::Name(items[position].text) != g_visit.pick)
            continue;
        RECT rect{};
        if (items[position].greyed)
            g_visit.error = "'" + g_visit.pick + "' is greyed";
        else if (!::GetMenuItemRect(nullptr, menu, static_cast<UINT>(position), &rect))
            g_visit.error = "the place of '" + g_visit.pick + "' in the menu is unknown";
        if (!g_visit.error.empty()) {
            ::EndMenu();
            return;
        }
        RealInput::ClickAt({(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2});
        return;
    }
    g_visit.error = "the menu has no item '" + g_visit.pick + "'";
    ::EndMenu();
}

} // namespace

bool MenuPicker::Run(const std::function<void()>& open, const std::string& pick, std::vector<Item>& items,
                     std::string& error) {
    items.clear();
    g_visit = Visit{};
    g_visit.pick = pick;
    g_visit.items = &items;
    const UINT_PTR timer = ::SetTimer(nullptr, 0, kTickMilliseconds, &WhileTheMenuIsOpen);
    open();
    ::KillTimer(nullptr, timer);
    const Visit visit = g_visit;
    g_visit = Visit{};
    if (!visit.seen) {
        error = "no menu opened";
        return false;
    }
    error = visit.error;
    return error.empty();
}

std::string MenuPicker::Name(const std::string& text) {
    std::string name;
    for (char c : text.substr(0, text.find('\t')))
        if (c != '&')
            name += c;
    return name;
}

std::string MenuPicker::Describe(const std::vector<Item>& items) {
    std::string lines;
    for (const Item& item : items) {
        if (!lines.empty())
            lines += '\n';
        if (item.separator) {
            lines += "separator";
            continue;
        }
        std::string text;
        for (char c : item.text)
            text += c == '\t' ? std::string("\\t") : std::string(1, c);
        lines += "item \"" + text + "\"" + (item.greyed ? " greyed" : "");
    }
    return lines;
}
