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

LRESULT CALLBACK KeyboardRouter::GetMessageHook(int code, WPARAM wParam, LPARAM lParam) noexcept {
    if (code == HC_ACTION && wParam == PM_REMOVE) {
        auto* message = reinterpret_cast<MSG*>(lParam);
        if (message->message >= WM_KEYFIRST && message->message <= WM_KEYLAST) {
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
