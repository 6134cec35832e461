// Makes the module's heap blocks observable from outside, where no sanitizer reaches: each block the
// module allocates gets pages of its own, ending where the block ends and followed by a page that is
// never committed, and freeing it takes its pages away. A read or write past a block's end, or of a
// block already freed, then faults at once instead of passing unseen, and the blocks still live can be
// counted. The module's malloc, calloc, realloc and free are swapped in its import table, so the
// test's own allocations are not touched.
#pragma once

#include <windows.h>

#include <cstddef>

class GuardedAllocations {
public:
    // Guards the allocations the loaded module makes from now on.
    explicit GuardedAllocations(HMODULE module);
    // New allocations go to the C runtime again. The swapped functions stay in the module's import
    // table: they still take back the guarded blocks the module frees later, until it unloads.
    ~GuardedAllocations();
    GuardedAllocations(const GuardedAllocations&) = delete;
    GuardedAllocations& operator=(const GuardedAllocations&) = delete;

    // Guarded blocks allocated and not freed yet.
    std::size_t Live() const;
    // Their bytes.
    std::size_t LiveBytes() const;
};
