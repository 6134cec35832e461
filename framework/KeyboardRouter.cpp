// The message hook that routes keys to the module's frames.
#include "KeyboardRouter.h"

#include "CFrameWnd.h"
#include "ModuleInstance.h"

void KeyboardRouter::Install() {
    if (!m_hook)
        m_hook = ::SetWindowsHookExA(WH_GETMESSAGE, &KeyboardRouter::GetMessageHook, ModuleInstance(),
                                     ::GetCurrentThreadId());
}

void KeyboardRouter::Remove() {
    if (m_hook)
        ::UnhookWindowsHookEx(m_hook);
    m_hook = nullptr;
}

namespace {

// Keys, and the right button that opens a context menu.
bool IsRouted(UINT message) {
    return (message >= WM_KEYFIRST && message <= WM_KEYLAST) || message == WM_RBUTTONDOWN || message == WM_RBUTTONUP;
}

// A menu's loop reads the keys it acts on before taking them from the queue: they are the menu's.
bool InMenu() {
    GUITHREADINFO info{};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(::GetCurrentThreadId(), &info) && (info.flags & (GUI_INMENUMODE | GUI_POPUPMENUMODE));
}

} // namespace

LRESULT CALLBACK KeyboardRouter::GetMessageHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        auto* message = reinterpret_cast<MSG*>(lParam);
        if (IsRouted(message->message) && !InMenu()) {
            // Called from the host's message loop: nothing may unwind past this frame. A key whose
            // handling failed is left to the host as if it had not been ours.
            try {
                CFrameWnd* frame = CFrameWnd::FrameContaining(message->hwnd);
                if (frame && frame->PreTranslateMessage(message))
                    message->message = WM_NULL; // handled: the host dispatches nothing
            } catch (...) {
                ::MessageBeep(MB_ICONHAND);
            }
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
