// Picking a menu entry and answering a message box from inside their modal loops.
#include "ModalAnswers.h"

#include "RealInput.h"

#include "framework/WindowText.h"

namespace {

// Longer than the quiet the host's loop waits for before it counts as idle, which a faster timer
// would never let it find.
constexpr UINT kTickMilliseconds = 100;
constexpr int kTicksBeforeClosingTheMenu = 100; // a menu left open this long is closed
constexpr int kTicksBetweenClicks = 20;         // a box still there after a click is clicked again

bool HasClass(HWND window, const char* name) {
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    return std::string(className) == name;
}

BOOL CALLBACK FindMessageBox(HWND window, LPARAM found) {
    if (!HasClass(window, "#32770") || !::IsWindowVisible(window) || (::GetWindowLongA(window, GWL_STYLE) & WS_CHILD))
        return TRUE;
    *reinterpret_cast<HWND*>(found) = window;
    return FALSE;
}

HWND MessageBoxOfThisThread() {
    HWND box = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindMessageBox, reinterpret_cast<LPARAM>(&box));
    return box;
}

} // namespace

ModalAnswers* ModalAnswers::s_active = nullptr;

ModalAnswers::ModalAnswers(HWND owner, HMENU menu, int position, int answer)
    : m_owner(owner), m_menu(menu), m_position(position), m_answer(answer) {
    s_active = this;
    m_timer = ::SetTimer(nullptr, 0, kTickMilliseconds, &Tick);
}

ModalAnswers::~ModalAnswers() {
    if (m_timer)
        ::KillTimer(nullptr, m_timer);
    s_active = nullptr;
}

void CALLBACK ModalAnswers::Tick(HWND, UINT, UINT_PTR, DWORD) {
    if (s_active)
        s_active->OnTick();
}

void ModalAnswers::OnTick() {
    if (!m_menuSeen) {
        const HWND popup = ::FindWindowA("#32768", nullptr);
        if (!popup || !::IsWindowVisible(popup))
            return;
        m_menuSeen = true;
        RECT entry{};
        if (::GetMenuItemRect(m_owner, m_menu, static_cast<UINT>(m_position), &entry)) {
            POINT centre{(entry.left + entry.right) / 2, (entry.top + entry.bottom) / 2};
            ::ScreenToClient(popup, &centre);
            RealInput::Click(popup, centre);
        }
        return;
    }
    if (::FindWindowA("#32768", nullptr) && ++m_ticksWaited > kTicksBeforeClosingTheMenu)
        ::EndMenu();
    const HWND box = MessageBoxOfThisThread();
    if (!box) {
        if (m_boxSeen) { // answered and gone: nothing more to do
            ::KillTimer(nullptr, m_timer);
            m_timer = 0;
        }
        return;
    }
    if (!m_boxSeen) {
        m_boxSeen = true;
        m_caption = WindowText(box);
        for (HWND child = ::GetWindow(box, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (HasClass(child, "Static"))
                m_text += WindowText(child);
        m_ticksSinceClick = kTicksBetweenClicks;
    }
    if (++m_ticksSinceClick < kTicksBetweenClicks)
        return;
    m_ticksSinceClick = 0;
    // Keys reach a box only while the display gives Wine the focus; a click lands where it points.
    const HWND button = ::GetDlgItem(box, m_answer);
    RECT rect{};
    if (button && ::GetClientRect(button, &rect))
        RealInput::Click(button, {rect.right / 2, rect.bottom / 2});
}
