// The module's runtime support: unwind tables, the thread slot and records, and the check of the
// runtime's exception headers.
#include "ModuleRuntime.h"

#include "ExceptionMemory.h"
#include "ThreadSlot.h"

bool ModuleRuntime::Start() noexcept {
    // The check throws twice, which also has the unwinder sort the module's tables into its search
    // structure now, while memory is still likely to be there (when that allocation fails later, it
    // searches them slowly).
    return ThreadSlot::Open() && m_unwindTables.EnsureRegistered() && ExceptionMemory::MatchesRuntime();
}

void ModuleRuntime::ThreadStarted() noexcept { ThreadSlot::ReleaseEndedThreads(&ExceptionMemory::EndCatches); }

void ModuleRuntime::ThreadEnded() noexcept { ThreadSlot::ThreadEnded(&ExceptionMemory::EndCatches); }

void ModuleRuntime::ProcessEnding() noexcept {
    m_processEnding = true;
    UnwindTables::LeaveToProcessEnd();
}

ModuleRuntime::~ModuleRuntime() {
    if (!m_processEnding)
        ThreadSlot::Close(&ExceptionMemory::EndCatches);
}
