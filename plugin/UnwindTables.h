// Makes sure the module's own unwinder knows the module's unwind tables, whatever other C++ runtimes
// the process holds.
//
// The module links the C++ runtime statically, so its throws are unwound by its own copy of the
// unwinder, which finds a function's frame only in the tables registered with it. The start-up code
// the linker adds registers the module's tables with the first unwinder it finds, and when the
// process already holds MinGW's shared runtime (libgcc_s_dw2-1.dll, loaded by a host or another
// plug-in built with the compiler's default flags) that is the shared one: the module's own unwinder
// would then know no frame at all, and the first exception the module throws would end the host.
#pragma once

class UnwindTables {
public:
    UnwindTables() = default;
    UnwindTables(const UnwindTables&) = delete;
    UnwindTables& operator=(const UnwindTables&) = delete;
    // Takes back a registration this object made: its records live in the module's own unwinder.
    ~UnwindTables() { Unregister(); }

    // Registers the module's tables with its own unwinder unless the start-up code did. False when the
    // module has no tables to register (a module built without them cannot throw safely).
    bool EnsureRegistered() noexcept;
    void Unregister() noexcept;
    // The process is ending: from now on no registration of the module's tables is taken back, neither
    // this object's nor the start-up code's (see the unwinder's wrapped __deregister_frame_info). The
    // process's end takes the unwinder with it, and a thread the end stopped in the middle of a throw
    // may hold the unwinder's lock.
    static void LeaveToProcessEnd() noexcept;

private:
    const void* m_registered = nullptr; // the tables this object registered, or none
    // The unwinder's bookkeeping of one registration: an opaque record of a few pointers that it links
    // into its own lists; it must stay put until the registration is taken back.
    alignas(8) unsigned char m_record[64] = {};
};
