// The module's runtime support: unwind tables, the first throw, and thread records.
#include "ModuleRuntime.h"

#include "ThreadStorage.h"
#include "framework/Win32.h"

#include <new>

namespace {

// The unwinder sorts a module's tables into a search structure when it first looks something up,
// from the heap, and searches them slowly when that allocation fails. One throw and catch as the
// module loads does that work while memory is still likely to be there.
void ThrowOnce() noexcept {
    try {
        throw std::bad_alloc();
    } catch (const std::bad_alloc&) {
    }
}

} // namespace

bool ModuleRuntime::Start() noexcept {
    if (!m_unwindTables.EnsureRegistered())
        return false;
    ThrowOnce();
    return true;
}

void ModuleRuntime::ThreadEnded() noexcept { ThreadStorage::ReleaseThread(::GetCurrentThreadId()); }

ModuleRuntime::~ModuleRuntime() {
    ThreadStorage::ReleaseAll();
    m_unwindTables.Unregister();
}
