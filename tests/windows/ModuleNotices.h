// What the module tells the user, seen from outside: its beeps are counted, and its message boxes can
// be refused, as when the system has no memory left to make one. Both go through the module's own
// import table, so the test's beeps and boxes are not touched.
#pragma once

#include <windows.h>

class ModuleNotices {
public:
    explicit ModuleNotices(HMODULE module);
    ~ModuleNotices(); // gives the imports back
    ModuleNotices(const ModuleNotices&) = delete;
    ModuleNotices& operator=(const ModuleNotices&) = delete;

    // Beeps since the last Clear.
    int Beeps() const;
    // Message boxes the module asked for since the last Clear, refused ones included.
    int MessageBoxesAsked() const;
    void Clear();
    // From now on every message box of the module fails, as MessageBoxA does when it cannot be made.
    void RefuseMessageBoxes(bool refuse);

private:
    HMODULE m_module;
};
