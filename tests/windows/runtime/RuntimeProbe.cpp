// A module made of the module's runtime support alone, built with the module's toolchain and flags and
// told of the loader's notices exactly as the module is, for tests that look into the runtime under
// Wine: thread records and their alignment, a thread's exception state, the exception reserve, and
// what the runtime does as the process exits.
#include "framework/Win32.h"
#include "plugin/ExceptionMemory.h"
#include "plugin/ModuleRuntime.h"
#include "plugin/ThreadStorage.h"

#include <cstdint>
#include <exception>
#include <new>

namespace {

ModuleRuntime theRuntime __attribute__((init_priority(101)));

// As aligned as a thread's record allows: where each thread finds it shows how its record lies.
alignas(ThreadStorage::kRecordAlignment) thread_local unsigned char alignedVariable[16];

} // namespace

extern "C" {

// The calling thread's place of a variable aligned to 16; the thread gets a record if it has none.
__declspec(dllexport) std::uintptr_t ProbeAlignedPlace() { return reinterpret_cast<std::uintptr_t>(alignedVariable); }

// Throws and catches; inside the handler, signals `handling` and waits for `release` (forever, for a
// thread that is to be ended there).
__declspec(dllexport) void ProbeHandleAndWait(HANDLE handling, HANDLE release) {
    try {
        throw std::bad_alloc();
    } catch (const std::bad_alloc&) {
        ::SetEvent(handling);
        ::WaitForSingleObject(release, INFINITE);
    }
}

// The calling thread's exception state: 1 when it handles an exception; and how many it has thrown
// that are not caught yet.
__declspec(dllexport) int ProbeIsHandling() { return std::current_exception() ? 1 : 0; }
__declspec(dllexport) int ProbeUncaught() { return std::uncaught_exceptions(); }

__declspec(dllexport) unsigned ProbeRecordsInUse() { return static_cast<unsigned>(ThreadStorage::RecordsInUse()); }
__declspec(dllexport) unsigned ProbeReserveSlotsTaken() {
    return static_cast<unsigned>(ExceptionMemory::ReserveSlotsTaken());
}

BOOL WINAPI DllMain(HINSTANCE, DWORD reason, LPVOID reserved) {
    switch (reason) {
    case DLL_PROCESS_ATTACH:
        return theRuntime.Start();
    case DLL_THREAD_ATTACH:
        ModuleRuntime::ThreadStarted();
        return TRUE;
    case DLL_THREAD_DETACH:
        ModuleRuntime::ThreadEnded();
        return TRUE;
    case DLL_PROCESS_DETACH:
        if (reserved != nullptr)
            theRuntime.ProcessEnding();
        return TRUE;
    default:
        return TRUE;
    }
}

} // extern "C"
