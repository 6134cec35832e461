// Registering and unregistering the module's window classes.
#include "WindowClasses.h"

#include "ModuleInstance.h"

#include <algorithm>
#include <utility>

namespace {

void DestroyIcons(HICON icon, HICON smallIcon) {
    if (icon)
        ::DestroyIcon(icon);
    if (smallIcon && smallIcon != icon)
        ::DestroyIcon(smallIcon);
}

} // namespace

bool WindowClasses::Register(const WNDCLASSEXA& windowClass) {
    try {
        std::string name = windowClass.lpszClassName;
        const bool known = std::any_of(m_registered.begin(), m_registered.end(),
                                       [&](const Registered& registered) { return registered.name == name; });
        m_registered.reserve(m_registered.size() + 1); // so that recording it below cannot fail
        if (known || !::RegisterClassExA(&windowClass)) {
            DestroyIcons(windowClass.hIcon, windowClass.hIconSm);
            return known;
        }
        m_registered.push_back({std::move(name), windowClass.hIcon, windowClass.hIconSm}); // moves: no allocation
        return true;
    } catch (...) {
        DestroyIcons(windowClass.hIcon, windowClass.hIconSm);
        throw;
    }
}

void WindowClasses::UnregisterAll() {
    for (const Registered& registered : m_registered) {
        ::UnregisterClassA(registered.name.c_str(), ModuleInstance());
        DestroyIcons(registered.icon, registered.smallIcon);
    }
    m_registered.clear();
}
