// The seven entry points the host calls, and the module's one application object.
#include "CZentharoApp.h"

#include "framework/Win32.h"

namespace {

CZentharoApp theApp; // built when the module is loaded

} // namespace

extern "C" {

void OnLoad() { theApp.OnLoad(); }
void OnInitialize(CMapStringToString& record) { theApp.OnInitialize(record); }
void OnGamesListModified(CMapStringToString& record) { theApp.OnGamesListModified(record); }
void OnUserCommand(CMapStringToString& record) { theApp.OnUserCommand(record); }
void OnPlanetChanged(CMapStringToString& record) { theApp.OnPlanetChanged(record); }
void OnAbout(CMapStringToString& record) { theApp.OnAbout(record); }
void OnActivate(CMapStringToString& record) { theApp.OnActivate(record); }

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return theApp.InitInstance();
    case DLL_PROCESS_DETACH:
        // Unloaded by the host while it runs: take our windows, hook and window class with us, since
        // their code is about to go. At process exit the windows are already gone with the host.
        if (reserved == nullptr)
            theApp.ExitInstance();
        return TRUE;
    default:
        return TRUE;
    }
}

} // extern "C"
