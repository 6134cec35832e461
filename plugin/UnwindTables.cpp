// The module's unwind tables and its own unwinder.
#include "UnwindTables.h"

#include "framework/ModuleInstance.h"

#include <cstring>

extern "C" {
// The unwinder linked into the module (the compiler's static runtime), by the names it gives itself.
void __register_frame_info(const void* tables, void* record);
void* __deregister_frame_info(const void* tables);
const void* _Unwind_Find_FDE(void* pc, void* bases);
}

namespace {

// The section the linker gathers every object's unwind tables into: ".eh_frame", a name the image's
// eight-character section names keep as ".eh_fram". The start-up code's own marker sits at its start,
// and the end code's terminating zero at its end.
const void* ModuleUnwindSection() noexcept {
    const auto* base = reinterpret_cast<const unsigned char*>(ModuleInstance());
    const auto* dos = reinterpret_cast<const IMAGE_DOS_HEADER*>(base);
    const auto* nt = reinterpret_cast<const IMAGE_NT_HEADERS*>(base + dos->e_lfanew);
    const IMAGE_SECTION_HEADER* section = IMAGE_FIRST_SECTION(nt);
    for (WORD i = 0; i < nt->FileHeader.NumberOfSections; ++i, ++section) {
        static constexpr char kName[] = ".eh_fram";
        if (std::memcmp(section->Name, kName, sizeof kName - 1) == 0 && section->Misc.VirtualSize > 0)
            return base + section->VirtualAddress;
    }
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
