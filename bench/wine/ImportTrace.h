// Watches a loaded module from outside while it works: the entries of its import table for the window
// calls that mark the steps of opening a projection are pointed at recording wrappers, and put back
// when the trace ends. The module itself is not changed on disk and exports nothing new.
//
// What it costs: two reads of the performance counter, a classification and a push per traced call
// (about 1,800 calls when a window opens); no message or server round trip is added. The harness
// times openings with and without the trace, in pairs, and prints what it adds (within the noise).
// Window hooks were the other way, and cost too much to split the time they are part of: under Wine
// 8 a WH_CALLWNDPROC hook that only passed each call on was called 7,557 times in one opening and
// made it 1.47 times as long (median of 9 pairs); a WH_CBT hook, 404 calls, 1.03 times.
#pragma once

#include "OpeningSteps.h"

#include <windows.h>

#include <vector>

class ImportTrace {
public:
    // Starts tracing module; only one trace at a time.
    explicit ImportTrace(HMODULE module);
    ~ImportTrace();
    ImportTrace(const ImportTrace&) = delete;
    ImportTrace& operator=(const ImportTrace&) = delete;

    // Whether every import needed was found and redirected.
    bool Complete() const { return m_complete; }
    const std::vector<TracedEvent>& Events() const;

private:
    struct Patch {
        void** slot;
        void* original;
    };
    bool Redirect(const char* library, const char* function, void* replacement, void** original);

    HMODULE m_module;
    std::vector<Patch> m_patches;
    bool m_complete = true;
};
