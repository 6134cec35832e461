// The module's allocation functions, swapped for ones that give each block pages of its own.
#include "GuardedAllocations.h"

#include "ImportSwap.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <map>
#include <stdexcept>

namespace {

using MallocFunction = void*(__cdecl*)(std::size_t);
using CallocFunction = void*(__cdecl*)(std::size_t, std::size_t);
using ReallocFunction = void*(__cdecl*)(void*, std::size_t);
using FreeFunction = void(__cdecl*)(void*);

constexpr std::size_t kPage = 4096;
constexpr std::size_t kRegionBytes = 512u << 20; // address space for the guarded blocks, reused when all are free
constexpr std::size_t kAlignment = 8;            // what malloc promises on 32-bit Windows

// The guarded blocks live in one reserved region, handed out page by page from its start; a block's
// pages are committed when it is made and decommitted when it is freed, and the page after it is never
// committed. The region and the functions outlive any GuardedAllocations object: the module may free
// a guarded block at any time until it unloads.
struct GuardState {
    bool guarding = false;
    BYTE* region = nullptr;
    std::size_t used = 0;              // bytes of the region handed out
    std::map<void*, std::size_t> live; // block and size
    MallocFunction realMalloc = nullptr;
    CallocFunction realCalloc = nullptr;
    ReallocFunction realRealloc = nullptr;
    FreeFunction realFree = nullptr;
} g_guard;

bool IsGuarded(void* block) {
    auto* byte = static_cast<BYTE*>(block);
    return g_guard.region && byte >= g_guard.region && byte < g_guard.region + kRegionBytes;
}

void* GuardedBlock(std::size_t size) {
    if (g_guard.live.empty())
        g_guard.used = 0; // nothing guarded is live: the region is handed out again from its start
    const std::size_t rounded = (std::max<std::size_t>(size, 1) + kAlignment - 1) / kAlignment * kAlignment;
    const std::size_t pages = (rounded + kPage - 1) / kPage;
    if (g_guard.used + (pages + 1) * kPage > kRegionBytes)
        return nullptr; // as a heap that is full answers
    BYTE* first = g_guard.region + g_guard.used;
    if (!::VirtualAlloc(first, pages * kPage, MEM_COMMIT, PAGE_READWRITE))
        return nullptr;
    g_guard.used += (pages + 1) * kPage; // and one page left out, which faults
    void* block = first + pages * kPage - rounded;
    g_guard.live[block] = size;
    return block;
}

void ReleaseGuarded(void* block) {
    const auto found = g_guard.live.find(block);
    if (found == g_guard.live.end()) {
        // No exception can cross back into the module: the test ends here, loudly.
        std::fputs("GuardedAllocations: the module freed a block twice, or a pointer into one\n", stderr);
        std::abort();
    }
    const auto start = reinterpret_cast<std::uintptr_t>(block) / kPage * kPage;
    const auto end = reinterpret_cast<std::uintptr_t>(block) + std::max<std::size_t>(found->second, 1);
    ::VirtualFree(reinterpret_cast<void*>(start), (end - start + kPage - 1) / kPage * kPage, MEM_DECOMMIT);
    g_guard.live.erase(found);
}

void* __cdecl GuardedMalloc(std::size_t size) {
    return g_guard.guarding ? GuardedBlock(size) : g_guard.realMalloc(size);
}

void* __cdecl GuardedCalloc(std::size_t count, std::size_t size) {
    if (!g_guard.guarding)
        return g_guard.realCalloc(count, size);
    if (size && count > SIZE_MAX / size)
        return nullptr;
    return GuardedBlock(count * size); // fresh pages are zero
}

void __cdecl GuardedFree(void* block) {
    if (IsGuarded(block))
        ReleaseGuarded(block);
    else
        g_guard.realFree(block);
}

void* __cdecl GuardedRealloc(void* block, std::size_t size) {
    if (!block)
        return GuardedMalloc(size);
    if (size == 0) {
        GuardedFree(block);
        return nullptr;
    }
    if (!IsGuarded(block))
        return g_guard.realRealloc(block, size); // a block from before guarding: the runtime's
    // A guarded block always moves, so that a pointer kept to the old one faults.
    void* moved = g_guard.guarding ? GuardedBlock(size) : g_guard.realMalloc(size);
    if (!moved)
        return nullptr;
    std::memcpy(moved, block, std::min(g_guard.live[block], size));
    ReleaseGuarded(block);
    return moved;
}

void* Swap(HMODULE module, const char* name, void* function) {
    return SwapImport(module, "msvcrt.dll", name, function);
}

} // namespace

GuardedAllocations::GuardedAllocations(HMODULE module) {
    if (!g_guard.region)
        g_guard.region = static_cast<BYTE*>(::VirtualAlloc(nullptr, kRegionBytes, MEM_RESERVE, PAGE_NOACCESS));
    if (!g_guard.region)
        throw std::runtime_error("no address space for the guarded blocks");
    void* malloc = Swap(module, "malloc", reinterpret_cast<void*>(&GuardedMalloc));
    void* calloc = Swap(module, "calloc", reinterpret_cast<void*>(&GuardedCalloc));
    void* realloc = Swap(module, "realloc", reinterpret_cast<void*>(&GuardedRealloc));
    void* free = Swap(module, "free", reinterpret_cast<void*>(&GuardedFree));
    if (!malloc || !calloc || !realloc || !free)
        throw std::runtime_error("the module does not allocate through msvcrt's malloc, calloc, realloc and free");
    // A module loaded again has its import table filled anew: the real functions are what it holds.
    if (malloc != reinterpret_cast<void*>(&GuardedMalloc)) {
        g_guard.realMalloc = reinterpret_cast<MallocFunction>(malloc);
        g_guard.realCalloc = reinterpret_cast<CallocFunction>(calloc);
        g_guard.realRealloc = reinterpret_cast<ReallocFunction>(realloc);
        g_guard.realFree = reinterpret_cast<FreeFunction>(free);
    }
    g_guard.guarding = true;
}

GuardedAllocations::~GuardedAllocations() { g_guard.guarding = false; }

std::size_t GuardedAllocations::Live() const { return g_guard.live.size(); }

std::size_t GuardedAllocations::LiveBytes() const {
    std::size_t bytes = 0;
    for (const auto& [block, size] : g_guard.live)
        bytes += size;
    return bytes;
}
