// Memory for the exceptions the module throws, with a reserve inside the module's image.
//
// The statically linked C++ runtime takes an emergency pool from the heap as the module loads, for
// exceptions thrown when malloc fails. Freeing it at unload (to leave nothing in the host's heap) left
// the pool's free list pointing into the freed block, and a throw after that with memory short would
// have carved an exception out of the host's heap. Defining the runtime's four allocation functions
// here keeps its pool out of the module altogether: the reserve is a static array, which exists
// exactly as long as the module's code and nothing outside the module can hold a piece of.
#include <atomic>
#include <cstddef>
#include <cstdlib>
#include <cstring>
#include <cxxabi.h>
#include <exception>
#include <typeinfo>
#include <unwind.h>

namespace {

// The runtime's header in front of every exception object, laid out as the C++ ABI fixes it. Only its
// size matters here: the runtime finds the header by stepping back that far from the object.
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

#if defined(__MINGW32__) && defined(__i386__)
// As measured against the runtime's own allocation on this target.
static_assert(sizeof(RefcountedHeader) == 96 && sizeof(DependentException) == 80);
#endif

// Room for a handful of exceptions alive at once (one being thrown while another is handled, and
// nested ones), each as large as any the module throws.
constexpr std::size_t kReserveSlots = 16;
constexpr std::size_t kSlotBytes = 256;

struct Reserve {
    alignas(16) unsigned char slots[kReserveSlots][kSlotBytes];
    std::atomic<bool> taken[kReserveSlots];
} reserve{};

void* TakeFromReserve(std::size_t bytes) noexcept {
    if (bytes > kSlotBytes)
        return nullptr;
    for (std::size_t i = 0; i < kReserveSlots; ++i)
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
    void* block = std::malloc(bytes);
    if (!block)
        block = TakeFromReserve(bytes);
    if (!block)
        std::terminate(); // as the runtime does: there is no way to report the failure to throw
    std::memset(block, 0, headerBytes);
    return block;
}

} // namespace

extern "C" {

void* __cxxabiv1::__cxa_allocate_exception(std::size_t thrownSize) noexcept {
    auto* block =
        static_cast<unsigned char*>(Allocate(thrownSize + sizeof(RefcountedHeader), sizeof(RefcountedHeader)));
    return block + sizeof(RefcountedHeader);
}

void __cxxabiv1::__cxa_free_exception(void* thrown) noexcept {
    Release(static_cast<unsigned char*>(thrown) - sizeof(RefcountedHeader));
}

__cxxabiv1::__cxa_dependent_exception* __cxxabiv1::__cxa_allocate_dependent_exception() noexcept {
    return static_cast<__cxa_dependent_exception*>(Allocate(sizeof(DependentException), sizeof(DependentException)));
}

void __cxxabiv1::__cxa_free_dependent_exception(__cxa_dependent_exception* exception) noexcept { Release(exception); }

} // extern "C"
