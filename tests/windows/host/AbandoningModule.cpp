// A module that leaves the host's MDI client naming a window that is gone: whenever a planet is selected
// it opens an MDI child and destroys it with DestroyWindow, which activates nothing in its place.
#include "framework/CMapStringToString.h"

#include <windows.h>

extern "C" IMAGE_DOS_HEADER __ImageBase;

namespace {

constexpr const char* kClassName = "AbandonedChild";

HINSTANCE Instance() { return reinterpret_cast<HINSTANCE>(&__ImageBase); }

LRESULT CALLBACK ChildProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return ::DefMDIChildProcA(window, message, wParam, lParam);
}

BOOL CALLBACK FindMdiClient(HWND window, LPARAM found) {
    *reinterpret_cast<HWND*>(found) = ::FindWindowExA(window, nullptr, "MDICLIENT", nullptr);
    return *reinterpret_cast<HWND*>(found) == nullptr;
}

} // namespace

extern "C" {

__declspec(dllexport) void OnLoad() {
    WNDCLASSA childClass{};
    childClass.lpfnWndProc = &ChildProc;
    childClass.hInstance = Instance();
    childClass.lpszClassName = kClassName;
    ::RegisterClassA(&childClass);
}
__declspec(dllexport) void OnInitialize(CMapStringToString&) {}
__declspec(dllexport) void OnGamesListModified(CMapStringToString&) {}
__declspec(dllexport) void OnUserCommand(CMapStringToString&) {}
__declspec(dllexport) void OnAbout(CMapStringToString&) {}
__declspec(dllexport) void OnActivate(CMapStringToString&) {}

__declspec(dllexport) void OnPlanetChanged(CMapStringToString&) {
    HWND client = nullptr;
    ::EnumThreadWindows(::GetCurrentThreadId(), &FindMdiClient, reinterpret_cast<LPARAM>(&client));
    if (const HWND child = ::CreateMDIWindowA(kClassName, "abandoned", 0, 0, 0, 200, 100, client, Instance(), 0))
        ::DestroyWindow(child);
}

} // extern "C"
