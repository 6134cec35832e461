// A game's window: creation, its planet list, and what it reports.
#include "GameWindow.h"

#include "framework/Cp1251.h"

#include <algorithm>

namespace {

constexpr int kListId = 1;
constexpr int kWidth = 820;
constexpr int kHeight = 190;
constexpr int kCascade = 24;

} // namespace

GameWindow::GameWindow(Game game, GameWindowEvents& events) : m_game(std::move(game)), m_events(events) {}

GameWindow::~GameWindow() {
    m_closing = true;
    if (m_hwnd)
        ::SendMessageA(::GetParent(m_hwnd), WM_MDIDESTROY, reinterpret_cast<WPARAM>(m_hwnd), 0);
}

bool GameWindow::RegisterWindowClass(HINSTANCE instance) {
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.style = CS_HREDRAW | CS_VREDRAW;
    windowClass.lpfnWndProc = &HostWindow::WindowProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = ::LoadIconA(nullptr, MAKEINTRESOURCEA(32512));     // IDI_APPLICATION
    windowClass.hCursor = ::LoadCursorA(nullptr, MAKEINTRESOURCEA(32512)); // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = kClassName;
    return ::RegisterClassExA(&windowClass) != 0;
}

bool GameWindow::Create(HWND mdiClient, int slot) {
    RECT client{};
    ::GetClientRect(mdiClient, &client);
    MDICREATESTRUCTA request{};
    request.szClass = kClassName;
    request.szTitle = "";
    request.hOwner = reinterpret_cast<HINSTANCE>(::GetWindowLongPtrA(mdiClient, GWLP_HINSTANCE));
    request.x = kCascade * slot;
    request.y = std::max(0, static_cast<int>(client.bottom) - kHeight - kCascade * slot);
    request.cx = kWidth;
    request.cy = kHeight;
    request.style = WS_CLIPCHILDREN;
    request.lParam = reinterpret_cast<LPARAM>(this);
    ::SendMessageA(mdiClient, WM_MDICREATE, 0, reinterpret_cast<LPARAM>(&request));
    return m_hwnd != nullptr;
}

LRESULT GameWindow::HandleMessage(UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CREATE:
        return OnCreate();
    case WM_SIZE:
        m_list.Resize(LOWORD(lParam), HIWORD(lParam));
        break; // the MDI child handling must see WM_SIZE too
    case WM_SETFOCUS:
        ::SetFocus(m_list.Handle());
        return 0;
    case WM_NOTIFY:
        return OnNotify(*reinterpret_cast<const NMHDR*>(lParam));
    case WM_MDIACTIVATE:
        OnMdiActivate(reinterpret_cast<HWND>(lParam));
        break;
    case WM_CLOSE:
        m_events.OnGameCloseRequested(*this);
        return 0;
    default:
        break;
    }
    return DefaultProc(message, wParam, lParam);
}

LRESULT GameWindow::DefaultProc(UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefMDIChildProcA(m_hwnd, message, wParam, lParam);
}

LRESULT GameWindow::OnCreate() {
    if (!m_list.Create(m_hwnd, kListId, m_game.planets))
        return -1;
    const std::wstring title = Cp1251::ToWide(m_game.name.View()) + L", turn " + Cp1251::ToWide(m_game.turn.View());
    ::SetWindowTextW(m_hwnd, title.c_str());
    return 0;
}

LRESULT GameWindow::OnNotify(const NMHDR& header) {
    if (header.idFrom != kListId || m_closing)
        return 0;
    const auto& change = reinterpret_cast<const NMLISTVIEW&>(header);
    if (header.code == LVN_COLUMNCLICK) {
        m_list.SortBy(static_cast<std::size_t>(change.iSubItem));
    } else if (header.code == LVN_ITEMCHANGED) {
        if (const auto planet = m_list.NewlySelected(change))
            m_events.OnPlanetSelected(*this, m_game.planets[*planet]);
    }
    return 0;
}

void GameWindow::OnMdiActivate(HWND activated) {
    if (activated == m_hwnd && !m_closing)
        m_events.OnGameActivated(*this);
}

void GameWindow::Activate() {
    const HWND client = ::GetParent(m_hwnd);
    if (reinterpret_cast<HWND>(::SendMessageA(client, WM_MDIGETACTIVE, 0, 0)) != m_hwnd)
        ::SendMessageA(client, WM_MDIACTIVATE, reinterpret_cast<WPARAM>(m_hwnd), 0);
}

bool GameWindow::SelectPlanet(const CString& number) {
    for (std::size_t planet = 0; planet < m_game.planets.size(); ++planet) {
        CString value;
        if (m_game.planets[planet].Lookup("Num", value) && value == number)
            return m_list.Select(planet);
    }
    return false;
}

const CMapStringToString* GameWindow::SelectedPlanet() const {
    const auto planet = m_list.Selected();
    return planet ? &m_game.planets[*planet] : nullptr;
}
