// An owning accelerator table handle: loaded once from the module's resources, destroyed once.
#pragma once

#include "ModuleInstance.h"

class AcceleratorTable {
public:
    AcceleratorTable() = default;
    explicit AcceleratorTable(UINT resourceId)
        : m_table(::LoadAcceleratorsA(ModuleInstance(), MAKEINTRESOURCEA(resourceId))) {}
    AcceleratorTable(const AcceleratorTable&) = delete;
    AcceleratorTable& operator=(const AcceleratorTable&) = delete;
    ~AcceleratorTable() {
        if (m_table)
            ::DestroyAcceleratorTable(m_table);
    }

    HACCEL Get() const { return m_table; }

private:
    HACCEL m_table = nullptr;
};
