// The module's emulated thread-local storage: where the statically linked C++ runtime keeps what it
// holds per thread (a thread's exception state).
//
// The compiler turns each thread-local variable of the runtime into a call to __emutls_get_address,
// which the runtime's own library answers with a thread-local-storage slot taken at every load and
// never given back (a host reloading the module a thousand times runs out of slots), and with heap
// blocks whose allocation aborts the process when memory is short. The module answers that call
// itself (ThreadSlot) from the records of this table: the first threads get records inside the
// module's image, so the host's thread (the one the module runs on) never needs the heap for it;
// later ones get records from the heap.
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
    // One thread's variables.
    struct Record;

    static constexpr std::size_t kImageRecords = 16;
    static constexpr std::size_t kRecordBytes = 128;
    // The most alignment a variable may ask for: every record's variables start on it.
    static constexpr std::size_t kRecordAlignment = 16;

    // A record for a thread that has none yet, every variable laid out so far at its first value.
    // `owner` stays with it, for telling later whether its thread has ended. nullptr when the image's
    // records are taken and the heap is empty.
    static Record* NewRecord(std::uintptr_t owner) noexcept;
    // The variable's place in the record; a variable used for the first time gets its place in every
    // record. nullptr when no record has room for it (the variables outgrow a record).
    static void* PlaceOf(Variable& variable, Record& record) noexcept;
    // A record whose owner `ended` says has ended, set aside so that no other caller claims it: it
    // stays in use until it is released. nullptr when there is none.
    static Record* ClaimEnded(bool (*ended)(std::uintptr_t owner)) noexcept;
    // The same, but nullptr at once when another thread holds the table: for callers that must not
    // wait (inside the loader's notices), and leave what is left to the next.
    static Record* TryClaimEnded(bool (*ended)(std::uintptr_t owner)) noexcept;
    // Gives the record back, for a later thread to use, and answers its owner, for the caller to let go.
    static std::uintptr_t Release(Record& record) noexcept;
    // Records in use, in the image and on the heap (for tests).
    static std::size_t RecordsInUse() noexcept;
};
