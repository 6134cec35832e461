// The module's thread-local-storage slot, and the compiler's entry point for thread-local variables.
#include "ThreadSlot.h"

#include "framework/Win32.h"

#include <atomic>
#include <cstdlib>

namespace {

using Record = ThreadStorage::Record;

// Set without a constructor (TLS_OUT_OF_INDEXES while the module has no slot), so the slot can be
// taken at the first thread-local variable used, even by a static constructor.
std::atomic<DWORD> slot{TLS_OUT_OF_INDEXES};

// The thread-local variables are used in the middle of anything (a throw after a failed call, say), and
// TlsGetValue clears the thread's last error: it is put back as it was.
class LastErrorKept {
public:
    LastErrorKept() noexcept : m_error(::GetLastError()) {}
    LastErrorKept(const LastErrorKept&) = delete;
    LastErrorKept& operator=(const LastErrorKept&) = delete;
    ~LastErrorKept() { ::SetLastError(m_error); }

private:
    DWORD m_error;
};

HANDLE AsHandle(std::uintptr_t owner) { return reinterpret_cast<HANDLE>(owner); }

// A handle to the calling thread that stays valid after the thread has ended; 0 when none can be had
// (its record then goes only when the thread ends as usual, or at unload).
std::uintptr_t CallingThreadHandle() {
    HANDLE handle = nullptr;
    const HANDLE process = ::GetCurrentProcess();
    if (!::DuplicateHandle(process, ::GetCurrentThread(), process, &handle, SYNCHRONIZE, FALSE, 0))
        return 0;
    return reinterpret_cast<std::uintptr_t>(handle);
}

bool HasEnded(std::uintptr_t owner) { return owner != 0 && ::WaitForSingleObject(AsHandle(owner), 0) == WAIT_OBJECT_0; }

bool AnyThread(std::uintptr_t) { return true; }

void LetGo(std::uintptr_t owner) {
    if (owner != 0)
        ::CloseHandle(AsHandle(owner));
}

// Ends the state in a record as its own thread would, with the record made the calling thread's for
// that time, then gives the record back.
void EndAndRelease(Record& record, ThreadSlot::EndState endState) {
    const DWORD index = slot.load(std::memory_order_acquire);
    void* own = ::TlsGetValue(index);
    ::TlsSetValue(index, &record);
    endState();
    ::TlsSetValue(index, own == &record ? nullptr : own);
    LetGo(ThreadStorage::Release(record));
}

} // namespace

bool ThreadSlot::Open() noexcept {
    DWORD index = slot.load(std::memory_order_acquire);
    if (index != TLS_OUT_OF_INDEXES)
        return true;
    const DWORD taken = ::TlsAlloc();
    if (taken == TLS_OUT_OF_INDEXES)
        return false;
    if (!slot.compare_exchange_strong(index, taken, std::memory_order_acq_rel))
        ::TlsFree(taken); // another thread took one first
    return true;
}

void* ThreadSlot::AddressFor(ThreadStorage::Variable& variable) noexcept {
    const LastErrorKept lastError;
    if (!Open())
        return nullptr;
    const DWORD index = slot.load(std::memory_order_acquire);
    auto* record = static_cast<Record*>(::TlsGetValue(index));
    if (!record) {
        const std::uintptr_t owner = CallingThreadHandle();
        record = ThreadStorage::NewRecord(owner);
        if (!record) {
            LetGo(owner);
            return nullptr;
        }
        ::TlsSetValue(index, record);
    }
    return ThreadStorage::PlaceOf(variable, *record);
}

void ThreadSlot::ThreadEnded(EndState endState) noexcept {
    const DWORD index = slot.load(std::memory_order_acquire);
    if (index == TLS_OUT_OF_INDEXES)
        return;
    if (auto* record = static_cast<Record*>(::TlsGetValue(index)))
        EndAndRelease(*record, endState);
}

void ThreadSlot::ReleaseEndedThreads(EndState endState) noexcept {
    if (slot.load(std::memory_order_acquire) == TLS_OUT_OF_INDEXES)
        return;
    // Asked as a thread starts, under the loader's lock: never waiting for the table.
    while (Record* record = ThreadStorage::TryClaimEnded(&HasEnded))
        EndAndRelease(*record, endState);
}

void ThreadSlot::Close(EndState endState) noexcept {
    if (slot.load(std::memory_order_acquire) == TLS_OUT_OF_INDEXES)
        return;
    while (Record* record = ThreadStorage::ClaimEnded(&AnyThread))
        EndAndRelease(*record, endState);
    const DWORD index = slot.exchange(TLS_OUT_OF_INDEXES, std::memory_order_acq_rel);
    if (index != TLS_OUT_OF_INDEXES)
        ::TlsFree(index); // and with it every thread's value in it
}

// The compiler's entry point for every thread-local variable of the module. A thread that can get no
// place has nowhere to keep its exception state; like the runtime's own version, it stops there.
extern "C" void* __emutls_get_address(ThreadStorage::Variable* variable) noexcept {
    void* place = ThreadSlot::AddressFor(*variable);
    if (!place)
        std::abort();
    return place;
}
