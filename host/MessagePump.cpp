// Running the message loop, for good or until idle.
#include "MessagePump.h"

namespace {

// Wine delivers window-system events a little after the calls that cause them.
constexpr DWORD kQuietMilliseconds = 50;

} // namespace

void MessagePump::Dispatch(const MainFrame& frame, MSG& message) {
    if (frame.TranslateKeys(message))
        return;
    ::TranslateMessage(&message);
    ::DispatchMessageA(&message);
}

int MessagePump::Run(const MainFrame& frame) {
    MSG message;
    while (::GetMessageA(&message, nullptr, 0, 0) > 0)
        Dispatch(frame, message);
    return static_cast<int>(message.wParam);
}

bool MessagePump::RunUntilIdle(const MainFrame& frame) {
    for (;;) {
        MSG message;
        while (::PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                return false;
            Dispatch(frame, message);
        }
        if (::MsgWaitForMultipleObjects(0, nullptr, FALSE, kQuietMilliseconds, QS_ALLINPUT) == WAIT_TIMEOUT)
            return true;
    }
}
