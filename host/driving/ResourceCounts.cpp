// Counting windows, GDI objects, accelerator tables and heap bytes without GetGuiResources, which
// Wine answers with 0.
#include "ResourceCounts.h"

#include "framework/Win32.h"

#include <vector>

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM count) {
    ++*reinterpret_cast<int*>(count);
    return TRUE;
}

BOOL CALLBACK CountWindowAndDescendants(HWND window, LPARAM count) {
    CountWindow(window, count);
    // EnumChildWindows walks the whole tree below the window, not just its direct children.
    ::EnumChildWindows(window, &CountWindow, count);
    return TRUE;
}

// Both handle tables are indexed by a handle's low word: 16 bits.
constexpr unsigned kHandleIndices = 0x10000;
// USER handles start at 0x20 and step by 2: (index << 1) + 0x20 in the low word.
constexpr unsigned kFirstUserHandle = 0x20;
// Thread-local-storage slots of a process: 64 in its first block, 1,024 in the expansion.
constexpr int kProcessTlsSlots = 1088;

} // namespace

ResourceCounts ResourceCounts::Take() {
    ResourceCounts counts;
    counts.windows = CountThreadWindows();
    counts.gdiObjects = CountGdiObjects();
    counts.accelerators = CountAccelerators();
    counts.heapBytes = CountHeapBytes();
    counts.tlsSlots = CountTlsSlots();
    return counts;
}

std::string ResourceCounts::Describe() const {
    return "windows=" + std::to_string(windows) + " gdi=" + std::to_string(gdiObjects) +
           " accelerators=" + std::to_string(accelerators) + " heap=" + std::to_string(heapBytes) +
           " tls=" + std::to_string(tlsSlots);
}

int ResourceCounts::CountThreadWindows() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountWindowAndDescendants, reinterpret_cast<LPARAM>(&count));
    return count;
}

// GetGuiResources answers where it works (Windows). Wine answers 0, so there the handle table is walked:
// a GDI handle is its table index in the low word and a reuse count in the high word, and Wine takes a
// handle whose high word is 0 as naming whatever lives at that index (a font's low word alone gives
// OBJ_FONT). Asking GetObjectType about every low word finds every live object, stock objects and DCs
// included, in about 0.4 ms.
int ResourceCounts::CountGdiObjects() {
    if (const DWORD reported = ::GetGuiResources(::GetCurrentProcess(), GR_GDIOBJECTS))
        return static_cast<int>(reported);
    int count = 0;
    for (unsigned index = 1; index < kHandleIndices; ++index)
        if (::GetObjectType(reinterpret_cast<HGDIOBJ>(static_cast<UINT_PTR>(index))) != 0)
            ++count;
    return count;
}

// USER handles are matched by their low word the same way when the high word is 0. CopyAcceleratorTable
// with no buffer gives an accelerator table's entry count, and 0 for any other kind of handle (a table
// has at least one entry). Scanning every index takes about 2 ms under Wine.
int ResourceCounts::CountAccelerators() {
    int count = 0;
    for (unsigned handle = kFirstUserHandle; handle < kHandleIndices; handle += 2)
        if (::CopyAcceleratorTableA(reinterpret_cast<HACCEL>(static_cast<UINT_PTR>(handle)), nullptr, 0) > 0)
            ++count;
    return count;
}

// Every heap of the process, not just GetProcessHeap: under Wine msvcrt's malloc, and so operator new
// of the host and of the module alike, allocates from a private heap of msvcrt's own (HeapCreate), while
// the system's DLLs allocate from the process heap.
std::size_t ResourceCounts::CountHeapBytes() {
    std::vector<HANDLE> heaps(16);
    for (;;) {
        const DWORD count = ::GetProcessHeaps(static_cast<DWORD>(heaps.size()), heaps.data());
        if (count <= heaps.size()) {
            heaps.resize(count);
            break;
        }
        heaps.resize(count + 16); // a heap or more appeared meanwhile: ask again
    }
    std::size_t bytes = 0;
    for (HANDLE heap : heaps) {
        if (!::HeapLock(heap))
            continue;
        PROCESS_HEAP_ENTRY entry{};
        while (::HeapWalk(heap, &entry))
            if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY)
                bytes += entry.cbData;
        ::HeapUnlock(heap);
    }
    return bytes;
}

// No call tells how many slots are free: take every free one, count, and give them all back.
int ResourceCounts::CountTlsSlots() {
    std::vector<DWORD> taken;
    taken.reserve(kProcessTlsSlots);
    for (DWORD slot; (slot = ::TlsAlloc()) != TLS_OUT_OF_INDEXES;)
        taken.push_back(slot);
    for (DWORD slot : taken)
        ::TlsFree(slot);
    return kProcessTlsSlots - static_cast<int>(taken.size());
}
