// The calling thread's record of the module's thread storage, found through a thread-local-storage
// slot of the module's own: one slot a load, given back at unload.
//
// A thread ended by TerminateThread is never reported to the module, and the system may give its id to
// the next thread it starts. The slot, unlike an id, is empty in every thread that has not yet used
// the module's runtime, so a new thread always starts with a record of its own and inherits nothing. The
// record a thread ended that way leaves is given back when a later thread starts: each record keeps a
// handle to its thread, which tells that the thread has ended.
#pragma once

#include "ThreadStorage.h"

class ThreadSlot {
public:
    // What becomes of a thread's state before its record goes, run as that thread's (see EndState).
    using EndState = void (*)();

    // Takes the module's slot unless it has it already: false when the process has none left.
    static bool Open() noexcept;
    // The calling thread's place for the variable, its record made at the thread's first use. nullptr
    // when the slot or a record cannot be had, or the variables outgrow a record.
    static void* AddressFor(ThreadStorage::Variable& variable) noexcept;
    // The calling thread ends: its record goes.
    static void ThreadEnded(EndState endState) noexcept;
    // The records of threads that ended without notice go.
    static void ReleaseEndedThreads(EndState endState) noexcept;
    // The module unloads: every record goes, and the slot is given back.
    static void Close(EndState endState) noexcept;
};
