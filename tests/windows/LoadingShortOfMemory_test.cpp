// Loading the module while memory really runs out, not only the module's own allocations: the address
// space is taken, every heap is filled, and memory comes back one block at a time, with a load of the
// module after each. Each load either is refused cleanly (LoadLibrary answers NULL) or gives a module
// that works; the host never ends.
#include "TestHost.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

// Under exhaustion nothing of this test may allocate: what the sweep keeps lives in the program's image.
constexpr std::size_t kMostBlocks = 1 << 16;
constexpr std::size_t kMostReservations = 1 << 12;
constexpr std::size_t kLargestBlock = 1 << 20;
constexpr std::size_t kSmallestBlock = 8;

enum class Heap { CRuntime, Process };

struct Block {
    Heap heap;
    void* memory;
};

struct Exhaustion {
    Block blocks[kMostBlocks];
    std::size_t blockCount = 0;
    void* reservations[kMostReservations];
    std::size_t reservationCount = 0;
};

Exhaustion exhaustion;

void Reserve(std::uintptr_t start, std::uintptr_t end) {
    start = (start + 0xFFFF) & ~std::uintptr_t{0xFFFF}; // reservations start on the 64 KB granularity
    if (end <= start || exhaustion.reservationCount == kMostReservations)
        return;
    if (void* taken = ::VirtualAlloc(reinterpret_cast<void*>(start), end - start, MEM_RESERVE, PAGE_NOACCESS))
        exhaustion.reservations[exhaustion.reservationCount++] = taken;
}

// Reserves every free range of the address space but the one the module's image takes, so that no heap
// can grow and the module can still be mapped where it was.
void ReserveAddressSpace(const void* imageStart, std::size_t imageSize) {
    const std::uintptr_t imageBegin = reinterpret_cast<std::uintptr_t>(imageStart);
    const std::uintptr_t imageEnd = imageBegin + imageSize;
    MEMORY_BASIC_INFORMATION range;
    for (const char* at = nullptr; ::VirtualQuery(at, &range, sizeof range) == sizeof range;
         at = static_cast<const char*>(range.BaseAddress) + range.RegionSize) {
        if (range.State != MEM_FREE)
            continue;
        const std::uintptr_t begin = reinterpret_cast<std::uintptr_t>(range.BaseAddress);
        const std::uintptr_t end = begin + range.RegionSize;
        Reserve(begin, std::min(end, imageBegin));
        Reserve(std::max(begin, imageEnd), end);
    }
}

void* Allocate(Heap heap, std::size_t size) {
    return heap == Heap::CRuntime ? std::malloc(size) : ::HeapAlloc(::GetProcessHeap(), 0, size);
}

void Free(const Block& block) {
    if (block.heap == Heap::CRuntime)
        std::free(block.memory);
    else
        ::HeapFree(::GetProcessHeap(), 0, block.memory);
}

// Fills the heap from large blocks down to the smallest, until not even that fits.
void Fill(Heap heap) {
    for (std::size_t size = kLargestBlock; size >= kSmallestBlock; size /= 2)
        while (exhaustion.blockCount < kMostBlocks) {
            void* memory = Allocate(heap, size);
            if (!memory)
                break;
            exhaustion.blocks[exhaustion.blockCount++] = {heap, memory};
        }
}

void GiveEverythingBack() {
    while (exhaustion.blockCount > 0)
        Free(exhaustion.blocks[--exhaustion.blockCount]);
    while (exhaustion.reservationCount > 0)
        ::VirtualFree(exhaustion.reservations[--exhaustion.reservationCount], 0, MEM_RELEASE);
}

enum class Outcome { Refused, Working, Broken };

// A load under exhaustion, used without a record (making one would need memory) and unloaded.
Outcome LoadOnce(const std::string& path) {
    const HMODULE module = ::LoadLibraryA(path.c_str());
    if (!module)
        return Outcome::Refused;
    bool complete = true;
    for (const char* entry :
         {"OnLoad", "OnInitialize", "OnGamesListModified", "OnUserCommand", "OnPlanetChanged", "OnAbout", "OnActivate"})
        complete &= ::GetProcAddress(module, entry) != nullptr;
    if (complete)
        reinterpret_cast<void (*)()>(reinterpret_cast<void*>(::GetProcAddress(module, "OnLoad")))();
    ::FreeLibrary(module);
    return complete ? Outcome::Working : Outcome::Broken;
}

struct ImageRange {
    const void* start;
    std::size_t size;
};

ImageRange ModuleImage(const std::string& path) {
    const HMODULE module = ::LoadLibraryA(path.c_str());
    if (!module)
        return {nullptr, 0};
    const auto* base = reinterpret_cast<const unsigned char*>(module);
    const auto* nt =
        reinterpret_cast<const IMAGE_NT_HEADERS*>(base + reinterpret_cast<const IMAGE_DOS_HEADER*>(base)->e_lfanew);
    const ImageRange range{base, nt->OptionalHeader.SizeOfImage};
    ::FreeLibrary(module);
    return range;
}

TEST(LoadingShortOfMemory, EveryLoadIsRefusedCleanlyOrWorks) {
    const std::string path = TestHost::ModulePath();
    const ImageRange image = ModuleImage(path);
    ASSERT_NE(nullptr, image.start);

    ReserveAddressSpace(image.start, image.size);
    Fill(Heap::CRuntime);
    Fill(Heap::Process);
    const std::size_t filled = exhaustion.blockCount;
    std::size_t refused = 0, working = 0, broken = 0, firstWorking = 0;
    // Memory comes back one block at a time, the smallest and latest first.
    for (std::size_t step = 0; exhaustion.blockCount > 0; ++step) {
        switch (LoadOnce(path)) {
        case Outcome::Refused:
            ++refused;
            break;
        case Outcome::Working:
            firstWorking = working++ == 0 ? step : firstWorking;
            break;
        case Outcome::Broken:
            ++broken;
            break;
        }
        Free(exhaustion.blocks[--exhaustion.blockCount]);
    }
    GiveEverythingBack();

    std::printf("%zu blocks filled; loads refused %zu, working %zu (from step %zu), broken %zu\n", filled, refused,
                working, firstWorking, broken);
    EXPECT_GT(filled, 0u);
    EXPECT_GT(refused, 0u) << "the sweep began with a load that memory allowed";
    EXPECT_GT(working, 0u) << "the sweep never gave back enough memory to load";
    EXPECT_EQ(0u, broken);

    TestHost host; // and the module works as ever once memory is back
    host.LoadAndInitialize();
    host.Select(Planet("Alpha", "17"));
    host.Command("Alpha");
    EXPECT_EQ(1u, host.Projections().size());
}

} // namespace
