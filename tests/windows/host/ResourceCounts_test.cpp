// The counters behind the host's stats command, under Wine where GetGuiResources answers 0: each sees
// what is made and what is given back.
#include "framework/Win32.h"
#include "host/driving/ResourceCounts.h"
#include "resources/resource.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
#include <vector>

namespace {

// Makes something and returns what gives it back.
using Make = std::function<std::function<void()>()>;

struct Case {
    const char* what;
    Make make;
    int windows, gdiObjects, accelerators, tlsSlots;
    std::size_t heapBytes; // at least this much more, and at most a few KB beyond it; 0: not looked at
};

std::function<void()> LoadModuleAccelerators(int count) {
    const HMODULE module = ::LoadLibraryExA("Zentharo.dll", nullptr, LOAD_LIBRARY_AS_DATAFILE);
    std::vector<HACCEL> tables;
    // The module's own table, loaded as its frames load it: every call makes a new table.
    for (int i = 0; i < count; ++i)
        tables.push_back(::LoadAcceleratorsA(module, MAKEINTRESOURCEA(IDR_ZENTHARO)));
    return [module, tables] {
        for (HACCEL table : tables)
            ::DestroyAcceleratorTable(table);
        ::FreeLibrary(module);
    };
}

std::function<void()> CreateFonts(int count) {
    std::vector<HFONT> fonts;
    for (int i = 0; i < count; ++i)
        fonts.push_back(::CreateFontA(10 + i, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Arial"));
    return [fonts] {
        for (HFONT font : fonts)
            ::DeleteObject(font);
    };
}

// A hidden top-level window, two children and a grandchild.
std::function<void()> CreateWindowTree() {
    const HWND top =
        ::CreateWindowExA(0, "STATIC", "top", WS_OVERLAPPED, 0, 0, 100, 100, nullptr, nullptr, nullptr, nullptr);
    const HWND child = ::CreateWindowExA(0, "STATIC", "a", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
    ::CreateWindowExA(0, "STATIC", "b", WS_CHILD, 0, 0, 10, 10, top, nullptr, nullptr, nullptr);
    ::CreateWindowExA(0, "EDIT", "c", WS_CHILD, 0, 0, 10, 10, child, nullptr, nullptr, nullptr);
    return [top] { ::DestroyWindow(top); };
}

std::function<void()> Malloc(std::size_t bytes) {
    void* block = std::malloc(bytes);
    return [block] { std::free(block); };
}

std::function<void()> TakeTlsSlots(int count) {
    std::vector<DWORD> slots;
    for (int i = 0; i < count; ++i)
        slots.push_back(::TlsAlloc());
    return [slots] {
        for (DWORD slot : slots)
            ::TlsFree(slot);
    };
}

std::function<void()> ProcessHeapAlloc(std::size_t bytes) {
    void* block = ::HeapAlloc(::GetProcessHeap(), 0, bytes);
    return [block] { ::HeapFree(::GetProcessHeap(), 0, block); };
}

std::function<void()> PrivateHeapAlloc(std::size_t bytes) {
    const HANDLE heap = ::HeapCreate(0, 0, 0);
    ::HeapAlloc(heap, 0, bytes);
    return [heap] { ::HeapDestroy(heap); };
}

TEST(ResourceCountsTest, CountsWhatIsMadeAndGivenBack) {
    const Case cases[] = {
        {"10 accelerator tables", [] { return LoadModuleAccelerators(10); }, 0, 0, 10, 0, 0},
        {"100 fonts", [] { return CreateFonts(100); }, 0, 100, 0, 0, 0},
        {"a window with three descendants", [] { return CreateWindowTree(); }, 4, 0, 0, 0, 0},
        {"70 TLS slots, past the first block", [] { return TakeTlsSlots(70); }, 0, 0, 0, 70, 0},
        {"malloc", [] { return Malloc(100000); }, 0, 0, 0, 0, 100000},
        {"HeapAlloc on the process heap", [] { return ProcessHeapAlloc(100000); }, 0, 0, 0, 0, 100000},
        {"HeapAlloc on a heap of its own", [] { return PrivateHeapAlloc(100000); }, 0, 0, 0, 0, 100000},
    };
    // Wine gives the thread a default IME window while it has a top-level window: one stays open
    // throughout, as the host's frame does. A second window tree warms Wine's cache of window DCs.
    const std::function<void()> closeAnchor = CreateWindowTree();
    CreateWindowTree()();
    for (const Case& row : cases) {
        SCOPED_TRACE(row.what);
        const ResourceCounts before = ResourceCounts::Take();
        const std::function<void()> giveBack = row.make();
        const ResourceCounts during = ResourceCounts::Take();
        giveBack();
        const ResourceCounts after = ResourceCounts::Take();

        EXPECT_EQ(row.windows, during.windows - before.windows);
        EXPECT_EQ(row.gdiObjects, during.gdiObjects - before.gdiObjects);
        EXPECT_EQ(row.accelerators, during.accelerators - before.accelerators);
        EXPECT_EQ(row.tlsSlots, during.tlsSlots - before.tlsSlots);
        if (row.heapBytes) {
            EXPECT_GE(during.heapBytes, before.heapBytes + row.heapBytes);
            EXPECT_LT(during.heapBytes, before.heapBytes + row.heapBytes + 4096);
        }

        EXPECT_EQ(before.windows, after.windows);
        EXPECT_EQ(before.gdiObjects, after.gdiObjects);
        EXPECT_EQ(before.accelerators, after.accelerators);
        EXPECT_EQ(before.tlsSlots, after.tlsSlots);
    }
    closeAnchor();
}

TEST(ResourceCountsTest, DescribesAllFiveOnOneLine) {
    const ResourceCounts counts{12, 345, 6, 78901, 23};
    EXPECT_EQ("windows=12 gdi=345 accelerators=6 heap=78901 tls=23", counts.Describe());
}

} // namespace
