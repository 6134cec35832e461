// The module's emulated thread-local storage: where the statically linked C++ runtime keeps what it
// holds per thread (a thread's exception state).
//
// The compiler turns each thread-local variable of the runtime into a call to __emutls_get_address,
// which the runtime's own library answers with a thread-local-storage slot taken at every load and
// never given back (a host reloading the module a thousand times runs out of slots), and with heap
// blocks whose allocation aborts the process when memory is short. The module answers that call
// itself: it takes no slot, and serves the first threads from records inside its own image, so the
// host's thread (the one the module runs on) never needs the heap for it.
#pragma once

#include <cstddef>
#include <cstdint>

class ThreadStorage {
public:
    // The compiler's description of one thread-local variable (its layout is the compiler's).
    struct Variable {
        std::uintptr_t size;
        std::uintptr_t align;
        std::uintptr_t offset;    // 0 until the variable has a place in every thread's record
        const void* initialValue; // nullptr: zero bytes
    };

    static constexpr std::size_t kImageRecords = 16;
    static constexpr std::size_t kRecordBytes = 128;

    // The variable's storage for the calling thread, set up with its initial value at first use.
    // nullptr when the thread cannot get a record (the variables outgrow a record, or a thread beyond
    // the image's records finds the heap empty).
    static void* AddressFor(Variable& variable, std::uint32_t threadId) noexcept;
    // Gives back the thread's record when it ends; and every record when the module unloads.
    static void ReleaseThread(std::uint32_t threadId) noexcept;
    static void ReleaseAll() noexcept;
    // Records in use, in the image and on the heap (for tests).
    static std::size_t RecordsInUse() noexcept;
};
