// Refuses window creations inside the host's MDI client from the nth one on, as a process that has
// run out of window handles would: a CBT hook on the test's thread answers "no" to each creation.
// Windows elsewhere (a message box owned by the main window, say) are still made.
#pragma once

#include <windows.h>

class CreationRefusal {
public:
    CreationRefusal(HWND mdiClient, int firstRefused);
    ~CreationRefusal();
    CreationRefusal(const CreationRefusal&) = delete;
    CreationRefusal& operator=(const CreationRefusal&) = delete;

    // Creations inside the MDI client asked for so far, refused ones included.
    int Asked() const;
    int Refused() const;

private:
    HHOOK m_hook = nullptr;
};
