// Makes the keyboard work in the module's frames inside a host whose message loop knows nothing of
// them: a message hook on the UI thread gives each key message, and each right-button message (the
// context menu), aimed at one of our frames to that frame first (its view's keys, its accelerators,
// then dialog navigation in its view). While a menu is open its keys are its own.
#pragma once

#include "Win32.h"

class KeyboardRouter {
public:
    KeyboardRouter() = default;
    KeyboardRouter(const KeyboardRouter&) = delete;
    KeyboardRouter& operator=(const KeyboardRouter&) = delete;
    ~KeyboardRouter() { Remove(); }

    // Installs the hook on the calling thread, once.
    void Install();
    void Remove();

private:
    static LRESULT CALLBACK GetMessageHook(int code, WPARAM wParam, LPARAM lParam) noexcept;

    HHOOK m_hook = nullptr;
};
