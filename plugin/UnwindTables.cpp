// The module's unwind tables and its own unwinder.
#include "UnwindTables.h"

#include "framework/ModuleInstance.h"

#include <atomic>
#include <cstdint>

extern "C" {
// The unwinder linked into the module (the compiler's static runtime), by the names it gives itself.
void __register_frame_info(const void* tables, void* record);
void* __deregister_frame_info(const void* tables);
const void* _Unwind_Find_FDE(void* pc, void* bases);
// The unwinder's own __deregister_frame_info: the module links with --wrap=__deregister_frame_info.
void* __real___deregister_frame_info(const void* tables);
}

namespace {

std::atomic<bool> processEnding{false};

// A mark of the module's own inside its unwind tables. The linker gathers every object's tables into
// one section, and this object's share (the mark, then this file's own tables) lies within it. The
// section's name cannot be relied on: a stripped image calls it ".eh_fram" (eight characters), one
// that keeps its symbols gives it a long name that only its symbol table, which is not loaded, spells.
// Empty, so that nothing the unwinder reads changes (the start-up code marks the section's start the
// same way).
#pragma GCC diagnostic push
#pragma GCC diagnostic ignored "-Wpedantic"
__attribute__((used, section(".eh_frame"), aligned(4))) const unsigned char kInsideUnwindTables[0] = {};
#pragma GCC diagnostic pop

// The start of the section that holds the mark: the tables of every object linked into the module,
// the start-up code's first and the end code's terminating zero last.
const void* ModuleUnwindSection() noexcept {
    const auto* base = reinterpret_cast<const unsigned char*>(ModuleInstance());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const auto mark = static_cast<std::uintptr_t>(kInsideUnwindTables - base);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section)
        if (mark >= section->VirtualAddress && mark < section->VirtualAddress + section->Misc.VirtualSize)
            return base + section->VirtualAddress;
    return nullptr;
}

// True when the module's own unwinder can find the frame of a function of the module.
bool OwnUnwinderKnowsTheModule() noexcept {
    void* bases[3] = {}; // the unwinder's text, data and function bases of the frame found
    auto* code = reinterpret_cast<unsigned char*>(&OwnUnwinderKnowsTheModule);
    return _Unwind_Find_FDE(code + 1, bases) != nullptr;
}

} // namespace

bool UnwindTables::EnsureRegistered() noexcept {
    if (OwnUnwinderKnowsTheModule())
        return true;
    const void* tables = ModuleUnwindSection();
    if (!tables)
        return false;
    __register_frame_info(tables, m_record);
    m_registered = tables;
    return OwnUnwinderKnowsTheModule();
}

void UnwindTables::Unregister() noexcept {
    if (!m_registered)
        return;
    __deregister_frame_info(m_registered);
    m_registered = nullptr;
}

void UnwindTables::LeaveToProcessEnd() noexcept { processEnding.store(true, std::memory_order_relaxed); }

// Every taking back of tables from the module's own unwinder comes here: ours, and the start-up code's
// from its exit code, when it registered them there (when the process held no shared unwinder).
extern "C" void* __wrap___deregister_frame_info(const void* tables) {
    if (processEnding.load(std::memory_order_relaxed))
        return nullptr;
    return __real___deregister_frame_info(tables);
}
