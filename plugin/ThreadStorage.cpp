// Thread-local variables of the module's runtime, in records of the module's image and of the heap.
#include "ThreadStorage.h"

#include <atomic>
#include <cstdlib>
#include <cstring>
#include <new>

#ifdef _WIN32
#include "framework/Win32.h"
#else
#include <sched.h>
#endif

namespace {

constexpr std::size_t kMaxVariables = 16;

// Threads take the lock only to make, find or give back records and to lay out a variable: rarely,
// briefly, and never while waiting for anything else. A lock that needs no setup and allocates nothing
// suits a table that must work before and after everything else of the module.
class SpinLock {
public:
    void Lock() noexcept {
        while (m_flag.test_and_set(std::memory_order_acquire))
            Pause();
    }
    bool TryLock() noexcept { return !m_flag.test_and_set(std::memory_order_acquire); }
    void Unlock() noexcept { m_flag.clear(std::memory_order_release); }

private:
    static void Pause() noexcept {
#ifdef _WIN32
        ::SwitchToThread();
#else
        ::sched_yield();
#endif
    }
    std::atomic_flag m_flag = ATOMIC_FLAG_INIT;
};

class Locked {
public:
    explicit Locked(SpinLock& lock) noexcept : m_lock(lock) { m_lock.Lock(); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;
    ~Locked() { m_lock.Unlock(); }

private:
    SpinLock& m_lock;
};

} // namespace

struct ThreadStorage::Record {
    Record* next;         // the next record in use
    std::uintptr_t owner; // what the thread's owner gave, to tell later whether the thread has ended
    void* heapBlock;      // the heap block the record was placed in; nullptr for the image's records
    bool inUse;
    bool claimed; // its thread has ended, and a caller is giving it back
    alignas(kRecordAlignment) unsigned char data[kRecordBytes];
};

namespace {

using Record = ThreadStorage::Record;
using Variable = ThreadStorage::Variable;

// Everything lives in the image and starts zeroed: the table works before any constructor has run.
struct Table {
    SpinLock lock;
    std::size_t bytesLaidOut = 0;
    std::size_t variableCount = 0;
    Variable* variables[kMaxVariables] = {};
    Record imageRecords[ThreadStorage::kImageRecords] = {};
    Record* inUse = nullptr; // every record in use, the image's and the heap's
} table;

// A variable's offset is published last, once every record has the variable's first value: a thread
// that sees it can use its place without the lock.
std::uintptr_t OffsetOf(const Variable& variable) { return __atomic_load_n(&variable.offset, __ATOMIC_ACQUIRE); }

unsigned char* PlaceIn(Record& record, std::size_t place) { return record.data + place; }

void SetInitialValue(const Variable& variable, std::size_t place, Record& record) {
    if (variable.initialValue)
        std::memcpy(PlaceIn(record, place), variable.initialValue, variable.size);
    else
        std::memset(PlaceIn(record, place), 0, variable.size);
}

// Gives the variable its place in every record, at its alignment; false when no record has room.
bool LayOut(Variable& variable) {
    const std::size_t align = variable.align == 0 ? 1 : variable.align;
    if (align > ThreadStorage::kRecordAlignment || table.variableCount == kMaxVariables)
        return false;
    const std::size_t place = (table.bytesLaidOut + align - 1) / align * align;
    if (place + variable.size > ThreadStorage::kRecordBytes)
        return false;
    for (Record* record = table.inUse; record; record = record->next)
        SetInitialValue(variable, place, *record);
    table.bytesLaidOut = place + variable.size;
    table.variables[table.variableCount++] = &variable;
    __atomic_store_n(&variable.offset, place + 1, __ATOMIC_RELEASE);
    return true;
}

// A record from the heap, placed at the alignment its variables are laid out for (malloc gives less
// on 32-bit Windows: 8 bytes).
Record* NewHeapRecord() {
    void* block = std::malloc(sizeof(Record) + ThreadStorage::kRecordAlignment - 1);
    if (!block)
        return nullptr;
    const std::uintptr_t aligned = (reinterpret_cast<std::uintptr_t>(block) + ThreadStorage::kRecordAlignment - 1) &
                                   ~std::uintptr_t{ThreadStorage::kRecordAlignment - 1};
    auto* record = new (reinterpret_cast<void*>(aligned)) Record{};
    record->heapBlock = block;
    return record;
}

Record* ClaimFirstEnded(bool (*ended)(std::uintptr_t owner)) {
    for (Record* record = table.inUse; record; record = record->next)
        if (!record->claimed && ended(record->owner)) {
            record->claimed = true;
            return record;
        }
    return nullptr;
}

Record* FreeImageRecord() {
    for (Record& record : table.imageRecords)
        if (!record.inUse)
            return &record;
    return nullptr;
}

} // namespace

Record* ThreadStorage::NewRecord(std::uintptr_t owner) noexcept {
    Locked locked(table.lock);
    Record* record = FreeImageRecord();
    if (record)
        std::memset(record->data, 0, sizeof record->data);
    else if (!(record = NewHeapRecord()))
        return nullptr;
    record->owner = owner;
    record->inUse = true;
    record->claimed = false;
    for (std::size_t i = 0; i < table.variableCount; ++i)
        SetInitialValue(*table.variables[i], table.variables[i]->offset - 1, *record);
    record->next = table.inUse;
    table.inUse = record;
    return record;
}

void* ThreadStorage::PlaceOf(Variable& variable, Record& record) noexcept {
    std::uintptr_t offset = OffsetOf(variable);
    if (offset == 0) {
        Locked locked(table.lock);
        if (variable.offset == 0 && !LayOut(variable))
            return nullptr;
        offset = variable.offset;
    }
    return PlaceIn(record, offset - 1);
}

Record* ThreadStorage::ClaimEnded(bool (*ended)(std::uintptr_t owner)) noexcept {
    Locked locked(table.lock);
    return ClaimFirstEnded(ended);
}

Record* ThreadStorage::TryClaimEnded(bool (*ended)(std::uintptr_t owner)) noexcept {
    if (!table.lock.TryLock())
        return nullptr;
    Record* claimed = ClaimFirstEnded(ended);
    table.lock.Unlock();
    return claimed;
}

std::uintptr_t ThreadStorage::Release(Record& record) noexcept {
    Locked locked(table.lock);
    for (Record** link = &table.inUse; *link; link = &(*link)->next)
        if (*link == &record) {
            *link = record.next;
            break;
        }
    const std::uintptr_t owner = record.owner;
    if (record.heapBlock) {
        std::free(record.heapBlock);
    } else {
        record.inUse = false;
        record.claimed = false;
        record.owner = 0;
    }
    return owner;
}

std::size_t ThreadStorage::RecordsInUse() noexcept {
    Locked locked(table.lock);
    std::size_t count = 0;
    for (const Record* record = table.inUse; record; record = record->next)
        ++count;
    return count;
}
