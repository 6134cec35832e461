// Makes allocations of the module fail on purpose, to prove that it survives running out of memory.
// The module under test is the one that ships: the switch replaces the C runtime's allocation
// functions in its import table (malloc, calloc, realloc, _strdup; operator new and every container
// of the module come down to these), so the host's own allocations are not touched.
#pragma once

#include <windows.h>

class AllocationFaults {
public:
    // Takes over the allocations of the loaded module; they succeed until told otherwise.
    explicit AllocationFaults(HMODULE module);
    ~AllocationFaults(); // gives them back
    AllocationFaults(const AllocationFaults&) = delete;
    AllocationFaults& operator=(const AllocationFaults&) = delete;

    // Counting starts again at 0: the nth allocation from now fails (n >= 1), and with persistent
    // every later one too, as when the address space is full.
    void FailFrom(long nth, bool persistent = false);
    // Counting starts again at 0 and nothing fails.
    void Disarm();
    // Allocations the module asked for since the last FailFrom or Disarm, failed ones included.
    long Count() const;
    // Whether an allocation was failed since the last FailFrom.
    bool Failed() const;

private:
    HMODULE m_module;
};
