// What the module's statically linked C++ runtime needs from the module itself, from the moment the
// module is loaded until the last of its code has run: its unwind tables registered with its own
// unwinder, a thread-local-storage slot and its thread records, and exception headers as the runtime
// lays them out. The module's DllMain passes each of the loader's notices on to it.
#pragma once

#include "UnwindTables.h"

class ModuleRuntime {
public:
    ModuleRuntime() = default;
    ModuleRuntime(const ModuleRuntime&) = delete;
    ModuleRuntime& operator=(const ModuleRuntime&) = delete;
    // Runs after every other static object of the module is gone (see its definition). When the module
    // is unloaded, it gives back everything the runtime took; at process exit, nothing (see
    // ProcessEnding).
    ~ModuleRuntime();

    // As the module is attached to the process, before anything may throw: false when the module
    // cannot throw safely in this process, and must not load.
    bool Start() noexcept;
    // A thread has started: the records of threads that were ended without notice go.
    static void ThreadStarted() noexcept;
    // A thread that may have called into the module is ending.
    static void ThreadEnded() noexcept;
    // The process is ending (DLL_PROCESS_DETACH with a non-null reserved argument). Its end takes
    // everything the runtime holds, and the threads it has already stopped may hold the locks that
    // giving things back would wait for: from here on the runtime gives nothing back.
    void ProcessEnding() noexcept;

private:
    UnwindTables m_unwindTables;
    bool m_processEnding = false;
};
