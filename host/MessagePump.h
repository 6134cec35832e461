// The host's message loop: each message goes to the frame's keys (MDI's, then the host's
// shortcuts) and is dispatched otherwise. Keys for the module's windows are the module's own
// business: its hook sees them before the loop does.
#pragma once

#include "MainFrame.h"

class MessagePump {
public:
    // Runs until WM_QUIT; returns its exit code.
    static int Run(const MainFrame& frame);
    // Dispatches messages until none has arrived for a short while, so that windows are created,
    // laid out and painted. False when WM_QUIT came.
    static bool RunUntilIdle(const MainFrame& frame);

private:
    static void Dispatch(const MainFrame& frame, MSG& message);
};
