// The seven entry points the host calls, and the module's one application object.
//
// Each entry point is a door into the module from somebody else's process, so each one stops every
// exception (an operation that fails is abandoned, leaving the module as it was) and refuses a record
// that is not of the module's own type.
#include "CZentharoApp.h"
#include "ModuleRuntime.h"

#include "framework/Win32.h"

#include <new>

namespace {

// Built before, and destroyed after, every other static object of the module: the runtime must work
// for as long as any of the module's code can run. Its constructor does nothing, so it cannot fail.
ModuleRuntime theRuntime __attribute__((init_priority(101)));

// Built when the module is loaded, without allocating: a constructor that failed here would leave the
// host no way to hear of it. What may fail is done in InitInstance, which can refuse the load. It is
// destroyed only when the host unloads the module (see DllMain): at process exit there is nothing to
// give back that the process's end does not take.
alignas(CZentharoApp) unsigned char appStorage[sizeof(CZentharoApp)];
CZentharoApp& theApp = *new (appStorage) CZentharoApp;

template <typename Operation>
void Enter(Operation operation) noexcept {
    try {
        operation();
    } catch (...) {
        ::MessageBeep(MB_ICONHAND);
    }
}

// The host hands a record over by reference, which at the call is its address: the entry points take
// it as the pointer it is, so that a null one can be seen and refused like a record of another type.
void EnterWithRecord(CMapStringToString* record, void (CZentharoApp::*operation)(CMapStringToString&)) noexcept {
    Enter([&] {
        if (record && CMapStringToString::IsOurs(record))
            (theApp.*operation)(*record);
        else
            theApp.RefuseForeignRecord();
    });
}

} // namespace

extern "C" {

void OnLoad() {
    Enter([] { theApp.OnLoad(); });
}
void OnInitialize(CMapStringToString* record) { EnterWithRecord(record, &CZentharoApp::OnInitialize); }
void OnGamesListModified(CMapStringToString* record) { EnterWithRecord(record, &CZentharoApp::OnGamesListModified); }
void OnUserCommand(CMapStringToString* record) { EnterWithRecord(record, &CZentharoApp::OnUserCommand); }
void OnPlanetChanged(CMapStringToString* record) { EnterWithRecord(record, &CZentharoApp::OnPlanetChanged); }
void OnAbout(CMapStringToString* record) { EnterWithRecord(record, &CZentharoApp::OnAbout); }
void OnActivate(CMapStringToString* record) { EnterWithRecord(record, &CZentharoApp::OnActivate); }

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return theRuntime.Start() && theApp.InitInstance();
    case DLL_THREAD_ATTACH:
        ModuleRuntime::ThreadStarted();
        return TRUE;
    case DLL_THREAD_DETACH:
        ModuleRuntime::ThreadEnded();
        return TRUE;
    case DLL_PROCESS_DETACH:
        // At process exit the process's end takes the windows, the memory and everything else: nothing
        // is given back, and no lock is taken (the threads the end has stopped may hold any of them).
        if (reserved != nullptr) {
            theRuntime.ProcessEnding();
            return TRUE;
        }
        // Unloaded by the host while it runs: take our windows, hook and window class with us, since
        // their code is about to go.
        Enter([] { theApp.ExitInstance(); });
        theApp.~CZentharoApp();
        return TRUE;
    default:
        return TRUE;
    }
}

} // extern "C"
