// Finding and answering message boxes.
#include "MessageBoxWatcher.h"

#include "framework/WindowText.h"

#include <algorithm>

namespace {

struct WatcherState {
    std::vector<ShownMessage> shown;
    std::vector<HWND> answered;
    std::function<void(HWND)> whileShown;
    int answer = IDOK;
} g_watcher; // the timer procedure is a plain function

bool IsMessageBox(HWND window) {
    char className[16] = {};
    ::GetClassNameA(window, className, sizeof className);
    return std::string(className) == "#32770" && ::IsWindowVisible(window) &&
           !(::GetWindowLongA(window, GWL_STYLE) & WS_CHILD);
}

BOOL CALLBACK AnswerIfMessageBox(HWND window, LPARAM) {
    if (!IsMessageBox(window))
        return TRUE;
    for (HWND done : g_watcher.answered)
        if (done == window)
            return TRUE;
    ShownMessage message{WindowText(window), "", ::GetWindow(window, GW_OWNER)};
    for (HWND child = ::GetWindow(window, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT)) {
        char className[16] = {};
        ::GetClassNameA(child, className, sizeof className);
        if (std::string(className) == "Static" && !WindowText(child).empty())
            message.text += WindowText(child);
    }
    g_watcher.shown.push_back(message);
    g_watcher.answered.push_back(window);
    if (g_watcher.whileShown)
        g_watcher.whileShown(window);
    ::PostMessageA(window, WM_COMMAND, static_cast<WPARAM>(g_watcher.answer), 0);
    return TRUE;
}

void CALLBACK Watch(HWND, UINT, UINT_PTR, DWORD) {
    // A box answered earlier may be gone, and its handle given to a new one.
    std::vector<HWND>& answered = g_watcher.answered;
    answered.erase(std::remove_if(answered.begin(), answered.end(), [](HWND box) { return !::IsWindow(box); }),
                   answered.end());
    ::EnumThreadWindows(::GetCurrentThreadId(), &AnswerIfMessageBox, 0);
}

} // namespace

MessageBoxWatcher::MessageBoxWatcher(std::function<void(HWND box)> whileShown, int answer) {
    g_watcher = WatcherState{};
    g_watcher.whileShown = std::move(whileShown);
    g_watcher.answer = answer;
    m_timer = ::SetTimer(nullptr, 0, 50, &Watch);
}

MessageBoxWatcher::~MessageBoxWatcher() { ::KillTimer(nullptr, m_timer); }

const std::vector<ShownMessage>& MessageBoxWatcher::Shown() const { return g_watcher.shown; }

void MessageBoxWatcher::Clear() { g_watcher.shown.clear(); }
