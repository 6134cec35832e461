// What the module's statically linked C++ runtime needs from the module itself, from the moment the
// module is loaded until the last of its code has run: its unwind tables registered with its own
// unwinder, and its thread records given back.
#pragma once

#include "UnwindTables.h"

class ModuleRuntime {
public:
    ModuleRuntime() = default;
    ModuleRuntime(const ModuleRuntime&) = delete;
    ModuleRuntime& operator=(const ModuleRuntime&) = delete;
    // Runs after every other static object of the module is gone (see its definition).
    ~ModuleRuntime();

    // As the module is attached to the process, before anything may throw: false when the module
    // cannot throw safely in this process, and must not load.
    bool Start() noexcept;
    // A thread that called into the module has ended.
    static void ThreadEnded() noexcept;

private:
    UnwindTables m_unwindTables;
};
