// The window classes the module registers, unregistered together when the module goes, with the
// icons they were given: a class does not own its icons, so they would outlive it otherwise.
#pragma once

#include "Win32.h"

#include <string>
#include <vector>

class WindowClasses {
public:
    WindowClasses() = default;
    WindowClasses(const WindowClasses&) = delete;
    WindowClasses& operator=(const WindowClasses&) = delete;
    ~WindowClasses() { UnregisterAll(); }

    // Registers the class on the module's instance unless it is registered already. The class takes
    // over the icons: they are destroyed when it is unregistered, or at once when registering fails.
    bool Register(const WNDCLASSEXA& windowClass);
    void UnregisterAll();

private:
    struct Registered {
        std::string name;
        HICON icon;
        HICON smallIcon;
    };
    std::vector<Registered> m_registered;
};
