// The module's allocation functions, swapped in its import address table.
#include "AllocationFaults.h"

#include "ImportSwap.h"

#include <cstdlib>
#include <stdexcept>
#include <string>

namespace {

using MallocFunction = void*(__cdecl*)(std::size_t);
using CallocFunction = void*(__cdecl*)(std::size_t, std::size_t);
using ReallocFunction = void*(__cdecl*)(void*, std::size_t);
using StrdupFunction = char*(__cdecl*)(const char*);

// The switch's state: the replacement functions are plain functions the module calls directly.
struct FaultState {
    long seen = 0;
    long failFrom = 0; // 0: nothing fails
    bool persistent = false;
    bool failed = false;
    MallocFunction realMalloc = nullptr;
    CallocFunction realCalloc = nullptr;
    ReallocFunction realRealloc = nullptr;
    StrdupFunction realStrdup = nullptr;
} g_faults;

bool NextFails() {
    ++g_faults.seen;
    const bool fails = g_faults.failFrom > 0 && (g_faults.seen == g_faults.failFrom ||
                                                 (g_faults.persistent && g_faults.seen > g_faults.failFrom));
    g_faults.failed |= fails;
    return fails;
}

void* __cdecl FaultyMalloc(std::size_t size) { return NextFails() ? nullptr : g_faults.realMalloc(size); }
void* __cdecl FaultyCalloc(std::size_t count, std::size_t size) {
    return NextFails() ? nullptr : g_faults.realCalloc(count, size);
}
void* __cdecl FaultyRealloc(void* block, std::size_t size) {
    // A reallocation to nothing frees the block: that cannot fail.
    if (size == 0 || !NextFails())
        return g_faults.realRealloc(block, size);
    return nullptr;
}
char* __cdecl FaultyStrdup(const char* text) { return NextFails() ? nullptr : g_faults.realStrdup(text); }

// Writes function into the module's slot for msvcrt's `name` and returns what it held.
void* Swap(HMODULE module, const char* name, void* function) {
    return SwapImport(module, "msvcrt.dll", name, function);
}

} // namespace

AllocationFaults::AllocationFaults(HMODULE module) : m_module(module) {
    g_faults = FaultState{};
    if (!Imports(module, "msvcrt.dll", "malloc") || !Imports(module, "msvcrt.dll", "calloc") ||
        !Imports(module, "msvcrt.dll", "realloc"))
        throw std::runtime_error("the module does not allocate through msvcrt's malloc, calloc and realloc");
    g_faults.realMalloc =
        reinterpret_cast<MallocFunction>(Swap(module, "malloc", reinterpret_cast<void*>(&FaultyMalloc)));
    g_faults.realCalloc =
        reinterpret_cast<CallocFunction>(Swap(module, "calloc", reinterpret_cast<void*>(&FaultyCalloc)));
    g_faults.realRealloc =
        reinterpret_cast<ReallocFunction>(Swap(module, "realloc", reinterpret_cast<void*>(&FaultyRealloc)));
    g_faults.realStrdup =
        reinterpret_cast<StrdupFunction>(Swap(module, "_strdup", reinterpret_cast<void*>(&FaultyStrdup)));
}

AllocationFaults::~AllocationFaults() {
    Swap(m_module, "malloc", reinterpret_cast<void*>(g_faults.realMalloc));
    Swap(m_module, "calloc", reinterpret_cast<void*>(g_faults.realCalloc));
    Swap(m_module, "realloc", reinterpret_cast<void*>(g_faults.realRealloc));
    if (g_faults.realStrdup) // not every build of the module imports it
        Swap(m_module, "_strdup", reinterpret_cast<void*>(g_faults.realStrdup));
}

void AllocationFaults::FailFrom(long nth, bool persistent) {
    g_faults.seen = 0;
    g_faults.failFrom = nth;
    g_faults.persistent = persistent;
    g_faults.failed = false;
}

void AllocationFaults::Disarm() { FailFrom(0); }

long AllocationFaults::Count() const { return g_faults.seen; }

bool AllocationFaults::Failed() const { return g_faults.failed; }
