// A host that ends its process with ExitProcess while the module is loaded with a projection open, and
// while a thread of RuntimeProbe.dll (the module's runtime support, built as the module is) waits inside
// the runtime's lock, forever. Every free of either module from then on is printed as "freed". It exits
// with 29 once the modules are told; a hang, or anything else, is the module's doing. ModuleRuntime_test
// runs it.
#include "ImportSwap.h"
#include "TestHost.h"

#include <windows.h>

#include <cstdio>
#include <string>

namespace {

constexpr UINT kExitCode = 29;
constexpr int kMostThreads = 64;

using FreeFunction = void(__cdecl*)(void*);

struct State {
    HANDLE blocked = nullptr; // set when a thread of the probe is held inside its allocation
    volatile LONG exiting = 0;
    FreeFunction moduleFree = nullptr;
    FreeFunction probeFree = nullptr;
} state;

void Say(const char* text) {
    DWORD written = 0;
    ::WriteFile(::GetStdHandle(STD_OUTPUT_HANDLE), text, static_cast<DWORD>(std::char_traits<char>::length(text)),
                &written, nullptr);
}

// The probe's allocations, once its threads' records outgrow the image: the thread waits there, in
// the table's lock, until the process ends.
void* __cdecl AllocationThatNeverReturns(std::size_t) {
    ::SetEvent(state.blocked);
    ::Sleep(INFINITE);
    return nullptr;
}

void __cdecl ModuleFree(void* block) {
    if (state.exiting)
        Say("freed by the module as the process exited\n");
    state.moduleFree(block);
}

void __cdecl ProbeFree(void* block) {
    if (state.exiting)
        Say("freed by the runtime probe as the process exited\n");
    state.probeFree(block);
}

DWORD WINAPI UseTheProbe(void* place) {
    const auto alignedPlace = reinterpret_cast<std::uintptr_t (*)()>(place);
    alignedPlace();
    ::Sleep(INFINITE);
    return 0;
}

std::string BesideThisProgram(const char* name) {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path, length);
    return program.substr(0, program.find_last_of("\\/") + 1) + name;
}

int Fail(const char* why) {
    Say(why);
    Say("\n");
    return 1;
}

} // namespace

int main() {
    TestHost host;
    host.LoadAndInitialize();
    host.Select(Planet("Alpha", "17"));
    host.Command("Alpha");
    if (host.Projections().size() != 1)
        return Fail("no projection opened");

    const HMODULE probe = ::LoadLibraryA(BesideThisProgram("RuntimeProbe.dll").c_str());
    if (!probe)
        return Fail("cannot load RuntimeProbe.dll");
    const auto alignedPlace = ::GetProcAddress(probe, "ProbeAlignedPlace");
    state.blocked = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    SwapImport(probe, "msvcrt.dll", "malloc", reinterpret_cast<void*>(&AllocationThatNeverReturns));
    // Threads take the image's records, until one needs a record from the heap.
    for (int i = 0; i < kMostThreads && ::WaitForSingleObject(state.blocked, 0) != WAIT_OBJECT_0; ++i) {
        const HANDLE thread =
            ::CreateThread(nullptr, 0, &UseTheProbe, reinterpret_cast<void*>(alignedPlace), 0, nullptr);
        ::CloseHandle(thread);
        ::Sleep(20);
    }
    if (::WaitForSingleObject(state.blocked, 10000) != WAIT_OBJECT_0)
        return Fail("no thread of the probe got inside its allocation");

    state.moduleFree = reinterpret_cast<FreeFunction>(
        SwapImport(::GetModuleHandleA("Zentharo.dll"), "msvcrt.dll", "free", reinterpret_cast<void*>(&ModuleFree)));
    state.probeFree =
        reinterpret_cast<FreeFunction>(SwapImport(probe, "msvcrt.dll", "free", reinterpret_cast<void*>(&ProbeFree)));
    if (!state.moduleFree || !state.probeFree)
        return Fail("the modules do not free through msvcrt's free");
    Say("exiting with a projection open and a thread inside the runtime's lock\n");
    state.exiting = 1;
    ::ExitProcess(kExitCode);
}
