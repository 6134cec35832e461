// Answers the message boxes that appear while it lives, as a user clicking OK (or another button)
// would, and keeps what they said and which window owned them. A timer of the thread does it, since a message box runs
// a message loop of its own.
#pragma once

#include <windows.h>

#include <functional>
#include <string>
#include <vector>

struct ShownMessage {
    std::string caption;
    std::string text;
    HWND owner;
};

class MessageBoxWatcher {
public:
    // whileShown runs once for each box while it is on the screen (to take a picture of it, say);
    // answer is the button each box is answered with.
    explicit MessageBoxWatcher(std::function<void(HWND box)> whileShown = {}, int answer = IDOK);
    ~MessageBoxWatcher();
    MessageBoxWatcher(const MessageBoxWatcher&) = delete;
    MessageBoxWatcher& operator=(const MessageBoxWatcher&) = delete;

    const std::vector<ShownMessage>& Shown() const;
    void Clear();

private:
    UINT_PTR m_timer = 0;
};
