// The module's allocation functions, swapped in its import address table.
#include "AllocationFaults.h"

#include <cstdlib>
#include <cstring>
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

// The import address table slot through which the module calls msvcrt's function `name`.
void** ImportSlot(HMODULE module, const char* name) {
    auto* base = reinterpret_cast<BYTE*>(module);
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_DATA_DIRECTORY& imports = nt->OptionalHeader.DataDirectory[IMAGE_DIRECTORY_ENTRY_IMPORT];
    for (auto* library = reinterpret_cast<const IMAGE_IMPORT_DESCRIPTOR*>(base + imports.VirtualAddress);
         library->Name; ++library) {
        if (_stricmp(reinterpret_cast<const char*>(base + library->Name), "msvcrt.dll") != 0)
            continue;
        auto* names = reinterpret_cast<const IMAGE_THUNK_DATA*>(base + library->OriginalFirstThunk);
        auto* slots = reinterpret_cast<IMAGE_THUNK_DATA*>(base + library->FirstThunk);
        for (; names->u1.AddressOfData; ++names, ++slots) {
            if (IMAGE_SNAP_BY_ORDINAL(names->u1.Ordinal))
                continue;
            const auto* byName = reinterpret_cast<const IMAGE_IMPORT_BY_NAME*>(base + names->u1.AddressOfData);
            if (std::strcmp(reinterpret_cast<const char*>(byName->Name), name) == 0)
                return reinterpret_cast<void**>(&slots->u1.Function);
        }
    }
    return nullptr;
}

// Writes function into the slot and returns what it held; nullptr when the module does not import it.
void* Swap(HMODULE module, const char* name, void* function) {
    void** slot = ImportSlot(module, name);
    if (!slot)
        return nullptr;
    DWORD protection = 0;
    ::VirtualProtect(slot, sizeof *slot, PAGE_READWRITE, &protection);
    void* previous = *slot;
    *slot = function;
    ::VirtualProtect(slot, sizeof *slot, protection, &protection);
    return previous;
}

} // namespace

AllocationFaults::AllocationFaults(HMODULE module) : m_module(module) {
    g_faults = FaultState{};
    if (!ImportSlot(module, "malloc") || !ImportSlot(module, "calloc") || !ImportSlot(module, "realloc"))
        throw std::runtime_error("the module does not allocate through msvcrt's malloc, calloc and realloc");
    g_faults.realMalloc = reinterpret_cast<MallocFunction>(Swap(module, "malloc", reinterpret_cast<void*>(&FaultyMalloc)));
    g_faults.realCalloc = reinterpret_cast<CallocFunction>(Swap(module, "calloc", reinterpret_cast<void*>(&FaultyCalloc)));
    g_faults.realRealloc =
        reinterpret_cast<ReallocFunction>(Swap(module, "realloc", reinterpret_cast<void*>(&FaultyRealloc)));
    g_faults.realStrdup = reinterpret_cast<StrdupFunction>(Swap(module, "_strdup", reinterpret_cast<void*>(&FaultyStrdup)));
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
