// Thread-local variables of the module's runtime, in records of the module's image and of the heap.
#include "ThreadStorage.h"

#include <atomic>
#include <cstdlib>
#include <cstring>

#ifdef _WIN32
#include "framework/Win32.h"
#else
#include <sched.h>
#endif

namespace {

constexpr std::size_t kMaxVariables = 16;
constexpr std::size_t kRecordAlignment = 16;

// Threads take the lock only to find or make their record: rarely, briefly, and never while waiting
// for anything else. A lock that needs no setup and allocates nothing suits a table that must work
// before and after everything else of the module.
class SpinLock {
public:
    void Lock() noexcept {
        while (m_flag.test_and_set(std::memory_order_acquire))
            Pause();
    }
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

struct Record {
    std::uint32_t owner; // the thread's id; 0, which no thread has, when free
    alignas(kRecordAlignment) unsigned char data[ThreadStorage::kRecordBytes];
};

struct HeapRecord {
    Record record;
    HeapRecord* next;
};

// Everything lives in the image and starts zeroed: the table works before any constructor has run.
struct Table {
    SpinLock lock;
    std::size_t bytesLaidOut = 0;
    std::size_t variableCount = 0;
    ThreadStorage::Variable* variables[kMaxVariables] = {};
    Record imageRecords[ThreadStorage::kImageRecords] = {};
    HeapRecord* heapRecords = nullptr;
} table;

unsigned char* PlaceOf(const ThreadStorage::Variable& variable, Record& record) {
    return record.data + (variable.offset - 1);
}

void SetInitialValue(const ThreadStorage::Variable& variable, Record& record) {
    if (variable.initialValue)
        std::memcpy(PlaceOf(variable, record), variable.initialValue, variable.size);
    else
        std::memset(PlaceOf(variable, record), 0, variable.size);
}

template <typename Visit>
void ForEachRecordInUse(Visit visit) {
    for (Record& record : table.imageRecords)
        if (record.owner != 0)
            visit(record);
    for (HeapRecord* node = table.heapRecords; node; node = node->next)
        visit(node->record);
}

// Gives the variable its place in every record, at its alignment; false when no record has room.
bool LayOut(ThreadStorage::Variable& variable) {
    const std::size_t align = variable.align == 0 ? 1 : variable.align;
    if (align > kRecordAlignment || table.variableCount == kMaxVariables)
        return false;
    const std::size_t place = (table.bytesLaidOut + align - 1) / align * align;
    if (place + variable.size > ThreadStorage::kRecordBytes)
        return false;
    variable.offset = place + 1;
    table.bytesLaidOut = place + variable.size;
    table.variables[table.variableCount++] = &variable;
    ForEachRecordInUse([&](Record& record) { SetInitialValue(variable, record); });
    return true;
}

Record* FindRecord(std::uint32_t threadId) {
    Record* found = nullptr;
    ForEachRecordInUse([&](Record& record) {
        if (record.owner == threadId)
            found = &record;
    });
    return found;
}

Record* NewRecord(std::uint32_t threadId) {
    Record* record = nullptr;
    for (Record& candidate : table.imageRecords)
        if (candidate.owner == 0) {
            record = &candidate;
            break;
        }
    if (!record) {
        auto* node = static_cast<HeapRecord*>(std::malloc(sizeof(HeapRecord)));
        if (!node)
            return nullptr;
        node->next = table.heapRecords;
        table.heapRecords = node;
        record = &node->record;
    }
    record->owner = threadId;
    for (std::size_t i = 0; i < table.variableCount; ++i)
        SetInitialValue(*table.variables[i], *record);
    return record;
}

} // namespace

void* ThreadStorage::AddressFor(Variable& variable, std::uint32_t threadId) noexcept {
    Locked locked(table.lock);
    if (variable.offset == 0 && !LayOut(variable))
        return nullptr;
    Record* record = FindRecord(threadId);
    if (!record)
        record = NewRecord(threadId);
    return record ? PlaceOf(variable, *record) : nullptr;
}

void ThreadStorage::ReleaseThread(std::uint32_t threadId) noexcept {
    Locked locked(table.lock);
    for (Record& record : table.imageRecords)
        if (record.owner == threadId)
            record.owner = 0;
    for (HeapRecord** link = &table.heapRecords; *link;) {
        HeapRecord* node = *link;
        if (node->record.owner == threadId) {
            *link = node->next;
            std::free(node);
        } else {
            link = &node->next;
        }
    }
}

void ThreadStorage::ReleaseAll() noexcept {
    Locked locked(table.lock);
    for (Record& record : table.imageRecords)
        record.owner = 0;
    while (HeapRecord* node = table.heapRecords) {
        table.heapRecords = node->next;
        std::free(node);
    }
}

std::size_t ThreadStorage::RecordsInUse() noexcept {
    Locked locked(table.lock);
    std::size_t count = 0;
    ForEachRecordInUse([&](Record&) { ++count; });
    return count;
}

#ifdef _WIN32
// The compiler's entry point for every thread-local variable of the module. A thread that can get no
// record has nowhere to keep its exception state; like the runtime's own version, it stops there.
extern "C" void* __emutls_get_address(ThreadStorage::Variable* variable) noexcept {
    void* place = ThreadStorage::AddressFor(*variable, ::GetCurrentThreadId());
    if (!place)
        std::abort();
    return place;
}
#endif
