// Answers the message boxes shown on the host's thread while it lives, as a user who reads each one
// and presses its default button, so that a script never waits on one. Each box is told, as UTF-8
// text, to the reporter first.
#pragma once

#include "framework/Win32.h"

#include <functional>
#include <string>
#include <vector>

class MessageBoxAnswerer {
public:
    using Reporter = std::function<void(const std::string& text)>;

    // One at a time: the hook procedure reaches its answerer through a static.
    explicit MessageBoxAnswerer(Reporter reporter);
    ~MessageBoxAnswerer();
    MessageBoxAnswerer(const MessageBoxAnswerer&) = delete;
    MessageBoxAnswerer& operator=(const MessageBoxAnswerer&) = delete;

    // The box's text as one line of a script's output: message "TEXT", line breaks written \n.
    static std::string Line(const std::string& text);

    // The next box is answered with this button (IDYES, IDNO...) instead of its default one.
    void AnswerNextWith(int button) { m_nextButton = button; }
    // How many boxes were answered so far.
    int Answered() const { return m_count; }

private:
    static LRESULT CALLBACK CbtHook(int code, WPARAM wParam, LPARAM lParam) noexcept;
    void Answer(HWND box);

    static MessageBoxAnswerer* s_active;
    Reporter m_reporter;
    HHOOK m_hook = nullptr;
    std::vector<HWND> m_answered;
    int m_nextButton = 0;
    int m_count = 0;
};
