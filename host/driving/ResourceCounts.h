// What a long session uses up: the thread's windows, live GDI objects, live accelerator tables, the
// busy bytes of the process's heaps and its thread-local-storage slots, counted in ways that also work under Wine,
// where GetGuiResources answers 0. Meant for comparing two moments of one process: each figure includes what the system
// itself holds.
#pragma once

#include <cstddef>
#include <string>

struct ResourceCounts {
    int windows = 0;
    int gdiObjects = 0;
    int accelerators = 0;
    std::size_t heapBytes = 0;
    int tlsSlots = 0; // taken, of the process's 1,088

    // Counts now: the calling thread's windows, the process's GDI objects, accelerator tables, heaps
    // and TLS slots.
    static ResourceCounts Take();
    // "windows=N gdi=N accelerators=N heap=N tls=N"
    std::string Describe() const;

    static int CountThreadWindows();
    static int CountGdiObjects();
    static int CountAccelerators();
    static std::size_t CountHeapBytes();
    static int CountTlsSlots();
};
