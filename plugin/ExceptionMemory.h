// Memory for the exceptions the module throws, with a reserve inside the module's image (the runtime's
// allocation functions are defined in ExceptionMemory.cpp), and what the module's runtime asks of it.
#pragma once

#include <cstddef>

class ExceptionMemory {
public:
    // Throws and catches once, then rethrows what was caught and catches it again, and checks that the
    // runtime found each exception's header exactly where this memory put it. False when it did not:
    // the runtime was built with other headers, every throw would write outside the memory given for
    // it, and the module must not load. Allocates nothing (both exceptions come from the reserve).
    static bool MatchesRuntime() noexcept;
    // Ends every handler in the calling thread's exception state, freeing the exceptions only they
    // held: for a thread that ended inside a handler, or was ended without notice.
    static void EndCatches() noexcept;
    // Slots of the reserve holding an exception (for tests).
    static std::size_t ReserveSlotsTaken() noexcept;
};
