// Acts inside the modal loops a click starts, which the driving code cannot return from until they
// end: clicks an entry of the popup menu that opens, then answers the message box that follows by
// clicking one of its buttons, and keeps what it said. A timer of the thread does it, as every modal loop
// dispatches the thread's timers. One lives at a time.
#pragma once

#include "framework/Win32.h"

#include <string>

class ModalAnswers {
public:
    // The entry at position of menu (which opens for owner) is clicked; then the message box's button
    // answer (IDYES, IDNO...).
    ModalAnswers(HWND owner, HMENU menu, int position, int answer);
    ~ModalAnswers();
    ModalAnswers(const ModalAnswers&) = delete;
    ModalAnswers& operator=(const ModalAnswers&) = delete;

    bool MenuSeen() const { return m_menuSeen; }
    bool BoxSeen() const { return m_boxSeen; }
    const std::string& BoxCaption() const { return m_caption; }
    const std::string& BoxText() const { return m_text; }

private:
    static void CALLBACK Tick(HWND, UINT, UINT_PTR, DWORD);
    void OnTick();

    static ModalAnswers* s_active; // the timer procedure is a plain function

    HWND m_owner;
    HMENU m_menu;
    int m_position;
    int m_answer;
    UINT_PTR m_timer = 0;
    bool m_menuSeen = false, m_boxSeen = false;
    int m_ticksWaited = 0, m_ticksSinceClick = 0;
    std::string m_caption, m_text;
};
