// Memory for the exceptions the module throws, with a reserve inside the module's image.
//
// The statically linked C++ runtime takes an emergency pool from the heap as the module loads, for
// exceptions thrown when malloc fails. Freeing it at unload (to leave nothing in the host's heap) left
// the pool's free list pointing into the freed block, and a throw after that with memory short would
// have carved an exception out of the host's heap. Defining the runtime's four allocation functions
// here keeps its pool out of the module altogether: the reserve is a static array, which exists
// exactly as long as the module's code and nothing outside the module can hold a piece of.
//
// The runtime finds an exception's header by stepping back from the object by its own idea of the
// header's size, which this file repeats: a runtime built with other headers would write outside the
// memory given for every exception. The module checks, as it loads, that the two agree.
#include "ExceptionMemory.h"

#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <exception>
#include <new>
#include <typeinfo>
#include <unwind.h>

// How far the header this file puts in front of a thrown object is off the runtime's: 0. Tests build
// modules with other values, to see them refused as they load.
#ifndef ZENTHARO_TEST_HEADER_SKEW
#define ZENTHARO_TEST_HEADER_SKEW 0
#endif

namespace {

// The runtime's header in front of every exception object, laid out as the C++ ABI fixes it.
struct ExceptionHeader {
    std::type_info* exceptionType;
    void (*exceptionDestructor)(void*);
    std::terminate_handler unexpectedHandler;
    std::terminate_handler terminateHandler;
    ExceptionHeader* nextException;
    int handlerCount;
    int handlerSwitchValue;
    const unsigned char* actionRecord;
    const unsigned char* languageSpecificData;
    _Unwind_Ptr catchTemp;
    void* adjustedPtr;
    _Unwind_Exception unwindHeader;
};

struct RefcountedHeader {
    int referenceCount;
    ExceptionHeader exception;
};

struct DependentException {
    void* primaryException;
    void (*padding)(void*);
    std::terminate_handler unexpectedHandler;
    std::terminate_handler terminateHandler;
    ExceptionHeader* nextException;
    int handlerCount;
    int handlerSwitchValue;
    const unsigned char* actionRecord;
    const unsigned char* languageSpecificData;
    _Unwind_Ptr catchTemp;
    void* adjustedPtr;
    _Unwind_Exception unwindHeader;
};

// A thread's exception state: the exceptions being handled, the last caught first, and the number
// thrown and not yet caught.
struct ExceptionGlobals {
    ExceptionHeader* caughtExceptions;
    unsigned int uncaughtExceptions;
};

#if defined(__MINGW32__) && defined(__i386__)
// As measured against the runtime's own allocation on this target.
static_assert(sizeof(RefcountedHeader) == 96 && sizeof(DependentException) == 80);
#endif

// The bytes in front of a thrown object.
constexpr std::size_t kPrimaryHeaderBytes = sizeof(RefcountedHeader) + ZENTHARO_TEST_HEADER_SKEW;

// The class the runtime gives its own exceptions ("GNUCC++"), whose last byte tells a primary
// exception (0) from a dependent one (1); other languages' exceptions have other classes.
constexpr _Unwind_Exception_Class kCxxExceptionClass = 0x474E5543432B2B00;

// Room for a handful of exceptions alive at once (one being thrown while another is handled, and
// nested ones), each as large as any the module throws.
constexpr std::size_t kReserveSlots = 16;
constexpr std::size_t kSlotBytes = 256;

struct Reserve {
    alignas(16) unsigned char slots[kReserveSlots][kSlotBytes];
    std::atomic<bool> taken[kReserveSlots];
    // While the runtime's headers are checked, every exception comes from the reserve, and none from
    // its first slot, which then takes whatever a runtime with larger headers writes in front of the
    // second: a mismatch found costs nothing outside the reserve.
    std::atomic<bool> checking;
} reserve{};

void* TakeFromReserve(std::size_t bytes, std::size_t firstSlot) noexcept {
    if (bytes > kSlotBytes)
        return nullptr;
    for (std::size_t i = firstSlot; i < kReserveSlots; ++i)
        if (!reserve.taken[i].exchange(true, std::memory_order_acquire))
            return reserve.slots[i];
    return nullptr;
}

// Gives a block back to where it came from: the reserve or the heap.
void Release(void* block) noexcept {
    const auto* bytes = static_cast<const unsigned char*>(block);
    const unsigned char* first = &reserve.slots[0][0];
    if (bytes >= first && bytes < first + sizeof reserve.slots) {
        const auto slot = static_cast<std::size_t>(bytes - first) / kSlotBytes;
        reserve.taken[slot].store(false, std::memory_order_release);
        return;
    }
    std::free(block);
}

// The heap first, keeping the reserve for when the heap is empty; a zeroed header in either case.
void* Allocate(std::size_t bytes, std::size_t headerBytes) noexcept {
    void* block = nullptr;
    if (reserve.checking.load(std::memory_order_relaxed))
        block = TakeFromReserve(bytes, 1);
    else if (!(block = std::malloc(bytes)))
        block = TakeFromReserve(bytes, 0);
    if (!block)
        std::terminate(); // as the runtime does: there is no way to report the failure to throw
    std::memset(block, 0, headerBytes);
    return block;
}

ExceptionGlobals& Globals() noexcept { return *reinterpret_cast<ExceptionGlobals*>(__cxxabiv1::__cxa_get_globals()); }

// The runtime handles the exception through the header this memory put in front of the object, and
// counts its references where that header keeps them (one: the exception thrown).
bool HandledAsAllocated(const void* caught) noexcept {
    const auto* header =
        reinterpret_cast<const RefcountedHeader*>(static_cast<const unsigned char*>(caught) - kPrimaryHeaderBytes);
    return Globals().caughtExceptions == &header->exception && header->referenceCount == 1;
}

// A rethrown exception is handled through the dependent header the runtime took from this memory,
// which names the object first thrown where this memory expects it.
bool RethrownAsAllocated(const void* caught) noexcept {
    const auto* dependent = reinterpret_cast<const DependentException*>(Globals().caughtExceptions);
    return dependent->primaryException == caught;
}

bool IsCxxException(const ExceptionHeader& header) noexcept {
    return header.unwindHeader.exception_class >> 8 == kCxxExceptionClass >> 8;
}

} // namespace

bool ExceptionMemory::MatchesRuntime() noexcept {
    reserve.checking.store(true, std::memory_order_relaxed);
    bool matches = false;
    try {
        throw std::bad_alloc();
    } catch (const std::bad_alloc& caught) {
        matches = HandledAsAllocated(&caught);
        if (matches) {
            try {
                std::rethrow_exception(std::current_exception());
            } catch (const std::bad_alloc& again) {
                matches = RethrownAsAllocated(&again);
            }
        }
    } catch (...) {
    }
    reserve.checking.store(false, std::memory_order_relaxed);
    return matches;
}

void ExceptionMemory::EndCatches() noexcept {
    ExceptionGlobals& globals = Globals();
    while (ExceptionHeader* caught = globals.caughtExceptions) {
        // However many handlers held it, or a rethrow under way: the thread that ran them is gone.
        if (IsCxxException(*caught))
            caught->handlerCount = 1;
        __cxxabiv1::__cxa_end_catch();
    }
    globals.uncaughtExceptions = 0;
}

std::size_t ExceptionMemory::ReserveSlotsTaken() noexcept {
    std::size_t taken = 0;
    for (const auto& slot : reserve.taken)
        taken += slot.load(std::memory_order_relaxed) ? 1 : 0;
    return taken;
}

extern "C" {

void* __cxxabiv1::__cxa_allocate_exception(std::size_t thrownSize) noexcept {
    auto* block = static_cast<unsigned char*>(Allocate(thrownSize + kPrimaryHeaderBytes, kPrimaryHeaderBytes));
    return block + kPrimaryHeaderBytes;
}

void __cxxabiv1::__cxa_free_exception(void* thrown) noexcept {
    Release(static_cast<unsigned char*>(thrown) - kPrimaryHeaderBytes);
}

__cxxabiv1::__cxa_dependent_exception* __cxxabiv1::__cxa_allocate_dependent_exception() noexcept {
    return static_cast<__cxa_dependent_exception*>(Allocate(sizeof(DependentException), sizeof(DependentException)));
}

void __cxxabiv1::__cxa_free_dependent_exception(__cxa_dependent_exception* exception) noexcept { Release(exception); }

} // extern "C"
