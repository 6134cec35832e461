// The module's runtime support under Wine, looked into through RuntimeProbe.dll (the same sources,
// built and told of the loader's notices as the module is): threads ended without notice, records
// beyond the image's, exception headers that are not the runtime's, and a host that exits with the
// module loaded, a projection open and a thread inside the runtime's lock (ExitingHost).
#include "AllocationFaults.h"
#include "host/HostRecords.h"
#include "host/PluginLibrary.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

std::string BesideThisProgram(const std::string& name) {
    char path[MAX_PATH];
    const DWORD length = ::GetModuleFileNameA(nullptr, path, MAX_PATH);
    const std::string program(path, length);
    return program.substr(0, program.find_last_of("\\/") + 1) + name;
}

class Handle {
public:
    explicit Handle(HANDLE handle = nullptr) : m_handle(handle) {}
    Handle(Handle&& other) noexcept : m_handle(other.m_handle) { other.m_handle = nullptr; }
    Handle(const Handle&) = delete;
    Handle& operator=(const Handle&) = delete;
    ~Handle() {
        if (m_handle)
            ::CloseHandle(m_handle);
    }
    HANDLE get() const { return m_handle; }

private:
    HANDLE m_handle;
};

Handle NewEvent() { return Handle(::CreateEventA(nullptr, TRUE, FALSE, nullptr)); }

DWORD WINAPI Run(void* work) {
    (*static_cast<std::function<void()>*>(work))();
    return 0;
}

// A thread running `work`; the caller waits for it, or ends it.
Handle StartThread(std::function<void()>* work) { return Handle(::CreateThread(nullptr, 0, &Run, work, 0, nullptr)); }

void RunInThread(std::function<void()> work) {
    const Handle thread = StartThread(&work);
    ::WaitForSingleObject(thread.get(), INFINITE);
}

// RuntimeProbe.dll (or a variant) loaded, its exports resolved.
class Probe {
public:
    explicit Probe(const char* name = "RuntimeProbe.dll") : module(::LoadLibraryA(BesideThisProgram(name).c_str())) {}
    Probe(const Probe&) = delete;
    Probe& operator=(const Probe&) = delete;
    ~Probe() {
        if (module)
            ::FreeLibrary(module);
    }

    template <typename Function>
    Function Export(const char* name) const {
        return reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(module, name)));
    }
    std::uintptr_t AlignedPlace() const { return Export<std::uintptr_t (*)()>("ProbeAlignedPlace")(); }
    void HandleAndWait(HANDLE handling, HANDLE release) const {
        Export<void (*)(HANDLE, HANDLE)>("ProbeHandleAndWait")(handling, release);
    }
    bool IsHandling() const { return Export<int (*)()>("ProbeIsHandling")() != 0; }
    int Uncaught() const { return Export<int (*)()>("ProbeUncaught")(); }
    unsigned RecordsInUse() const { return Export<unsigned (*)()>("ProbeRecordsInUse")(); }
    unsigned ReserveSlotsTaken() const { return Export<unsigned (*)()>("ProbeReserveSlotsTaken")(); }

    const HMODULE module;
};

// Wine gives a thread's id to a new thread only once a few hundred others have been freed.
constexpr int kMostThreadsForAnId = 4000;

TEST(ThreadSlot, AThreadEndedWithoutNoticeLeavesNothingToTheThreadThatGetsItsId) {
    const Probe probe;
    ASSERT_TRUE(probe.module);
    const unsigned records = probe.RecordsInUse();

    // A thread handling an exception that came from the reserve (the heap refused it), ended there.
    const Handle handling = NewEvent(), never = NewEvent();
    std::function<void()> handle = [&] { probe.HandleAndWait(handling.get(), never.get()); };
    DWORD endedId = 0;
    {
        AllocationFaults faults(probe.module);
        faults.FailFrom(1, true);
        const Handle thread = StartThread(&handle);
        ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(handling.get(), 10000));
        faults.Disarm();
        ASSERT_EQ(1u, probe.ReserveSlotsTaken()) << "the exception being handled is in the reserve";
        endedId = ::GetThreadId(thread.get());
        ASSERT_TRUE(::TerminateThread(thread.get(), 0));
        ::WaitForSingleObject(thread.get(), INFINITE);
    }
    ASSERT_EQ(records + 1, probe.RecordsInUse()) << "the module heard nothing of the thread's end";

    bool reused = false;
    for (int started = 0; started < kMostThreadsForAnId && !reused; ++started)
        RunInThread([&] {
            if (::GetCurrentThreadId() != endedId)
                return;
            reused = true;
            EXPECT_FALSE(probe.IsHandling()) << "a new thread with the ended thread's id handles nothing";
            EXPECT_EQ(0, probe.Uncaught());
        });
    ASSERT_TRUE(reused) << "no thread got id " << endedId << " again";
    EXPECT_EQ(0u, probe.ReserveSlotsTaken()) << "the ended thread's exception went with its record";
    EXPECT_EQ(records, probe.RecordsInUse());
}

TEST(ThreadSlot, RecordsBeyondTheImagesAreAlignedAsDeclared) {
    // What makes it matter: this heap gives blocks 8 bytes off a 16-byte boundary.
    std::vector<void*> blocks;
    int offBoundary = 0;
    for (int i = 0; i < 16; ++i) {
        blocks.push_back(std::malloc(160 + i));
        offBoundary += reinterpret_cast<std::uintptr_t>(blocks.back()) % 16 != 0 ? 1 : 0;
    }
    for (void* block : blocks)
        std::free(block);
    ASSERT_GT(offBoundary, 0);

    const Probe probe;
    ASSERT_TRUE(probe.module);
    constexpr int kThreads = 28; // more than the image's 16 records
    const Handle placed = NewEvent(), release = NewEvent();
    std::vector<std::uintptr_t> places(kThreads);
    LONG remaining = kThreads;
    std::vector<std::function<void()>> works;
    for (int i = 0; i < kThreads; ++i)
        works.emplace_back([&, i] {
            places[i] = probe.AlignedPlace();
            if (::InterlockedDecrement(&remaining) == 0)
                ::SetEvent(placed.get());
            ::WaitForSingleObject(release.get(), INFINITE);
        });
    std::vector<Handle> threads;
    for (auto& work : works)
        threads.push_back(StartThread(&work));
    ASSERT_EQ(WAIT_OBJECT_0, ::WaitForSingleObject(placed.get(), 20000));
    EXPECT_GE(probe.RecordsInUse(), static_cast<unsigned>(kThreads));
    ::SetEvent(release.get());
    for (const Handle& thread : threads)
        ::WaitForSingleObject(thread.get(), INFINITE);
    for (int i = 0; i < kThreads; ++i)
        EXPECT_EQ(0u, places[i] % 16) << "thread " << i << "'s place";
}

// Every thread-local-storage slot the process has, taken for the time of a test.
class AllSlotsTaken {
public:
    AllSlotsTaken() {
        for (DWORD slot; (slot = ::TlsAlloc()) != TLS_OUT_OF_INDEXES;)
            m_slots.push_back(slot);
    }
    AllSlotsTaken(const AllSlotsTaken&) = delete;
    AllSlotsTaken& operator=(const AllSlotsTaken&) = delete;
    ~AllSlotsTaken() {
        for (DWORD slot : m_slots)
            ::TlsFree(slot);
    }
    void GiveOneBack() {
        ::TlsFree(m_slots.back());
        m_slots.pop_back();
    }
    bool TakeOneMore() {
        const DWORD slot = ::TlsAlloc();
        if (slot != TLS_OUT_OF_INDEXES)
            m_slots.push_back(slot);
        return slot != TLS_OUT_OF_INDEXES;
    }

private:
    std::vector<DWORD> m_slots;
};

TEST(ThreadSlot, TheRuntimeLoadsOnlyWithASlotOfItsOwnAndGivesItBackAtUnload) {
    AllSlotsTaken slots;
    EXPECT_FALSE(Probe().module) << "loaded without a slot";
    slots.GiveOneBack();
    {
        const Probe probe;
        ASSERT_TRUE(probe.module);
        EXPECT_FALSE(probe.IsHandling());
        EXPECT_EQ(0u, probe.AlignedPlace() % 16);
    }
    EXPECT_TRUE(slots.TakeOneMore()) << "the slot was not given back at unload";
}

TEST(ThreadSlot, TheModuleIsRefusedCleanlyWhileTheProcessHasNoSlotsAndWorksOnceItHas) {
    AllSlotsTaken slots;
    PluginLibrary module;
    EXPECT_FALSE(module.Load(BesideThisProgram("Zentharo.dll")));
    // The module's slot, and what the system takes for the module's windows (one slot under Wine).
    for (int given = 0; given < 4 && !module.IsLoaded(); ++given) {
        slots.GiveOneBack();
        module.Load(BesideThisProgram("Zentharo.dll"));
    }
    ASSERT_TRUE(module.IsLoaded()) << module.Error();
    module.OnLoad();
    CMapStringToString record = HostRecords::Initialize(0, 0, 0, 0);
    module.OnInitialize(record);
    CString menuItem;
    EXPECT_TRUE(record.Lookup("MenuItem", menuItem));
}

// Every heap of the process passes the system's check of its blocks.
bool HeapsAreSound() {
    HANDLE heaps[64];
    const DWORD count = ::GetProcessHeaps(64, heaps);
    for (DWORD i = 0; i < count && i < 64; ++i)
        if (!::HeapValidate(heaps[i], 0, nullptr))
            return false;
    return true;
}

TEST(ExceptionMemory, AModuleWhoseExceptionHeadersAreNotTheRuntimesIsRefusedAsItLoads) {
    const struct {
        const char* probe;
        bool loads;
    } rows[] = {
        {"RuntimeProbe.dll", true},
        {"RuntimeProbeLargerHeader.dll", false},  // the runtime's header would start 16 bytes into it
        {"RuntimeProbeSmallerHeader.dll", false}, // ... 16 bytes before it
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.probe);
        const Probe probe(row.probe);
        EXPECT_EQ(row.loads, probe.module != nullptr);
        if (probe.module) {
            EXPECT_EQ(0u, probe.ReserveSlotsTaken()) << "the exceptions of the check are gone";
            EXPECT_FALSE(probe.IsHandling());
        } else {
            EXPECT_EQ(static_cast<DWORD>(ERROR_DLL_INIT_FAILED), ::GetLastError());
        }
        EXPECT_TRUE(HeapsAreSound());
    }
}

// Runs ExitingHost and waits for it, at most `patience` milliseconds; what it printed, and how it ended.
struct Exit {
    bool inTime = false;
    DWORD code = 0;
    std::string output;
};

int Occurrences(const std::string& text, const std::string& part) {
    int count = 0;
    for (auto at = text.find(part); at != std::string::npos; at = text.find(part, at + 1))
        ++count;
    return count;
}

Exit RunExitingHost(DWORD patience) {
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    HANDLE readEnd = nullptr, writeEnd = nullptr;
    Exit exit;
    if (!::CreatePipe(&readEnd, &writeEnd, &inherited, 1 << 16))
        return exit;
    const Handle reader(readEnd), writer(writeEnd);
    ::SetHandleInformation(readEnd, HANDLE_FLAG_INHERIT, 0);
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    startup.hStdOutput = startup.hStdError = writeEnd;
    startup.hStdInput = ::GetStdHandle(STD_INPUT_HANDLE);
    PROCESS_INFORMATION process{};
    std::string command = "\"" + BesideThisProgram("ExitingHost.exe") + "\"";
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process))
        return exit;
    const Handle processHandle(process.hProcess), threadHandle(process.hThread);
    exit.inTime = ::WaitForSingleObject(process.hProcess, patience) == WAIT_OBJECT_0;
    if (!exit.inTime) {
        ::TerminateProcess(process.hProcess, 99);
        ::WaitForSingleObject(process.hProcess, INFINITE);
    }
    ::GetExitCodeProcess(process.hProcess, &exit.code);
    DWORD available = 0;
    char buffer[4096];
    while (::PeekNamedPipe(readEnd, nullptr, 0, nullptr, &available, nullptr) && available > 0) {
        DWORD read = 0;
        if (!::ReadFile(readEnd, buffer, sizeof buffer, &read, nullptr) || read == 0)
            break;
        exit.output.append(buffer, read);
    }
    return exit;
}

TEST(ProcessExit, AHostExitingWithAProjectionOpenAndTheRuntimeLockedExitsAtOnceFreeingNothing) {
    const Exit exit = RunExitingHost(30000);
    SCOPED_TRACE("ExitingHost printed:\n" + exit.output);
    ASSERT_TRUE(exit.inTime) << "the host did not exit";
    EXPECT_EQ(29u, exit.code);
    EXPECT_NE(std::string::npos, exit.output.find("exiting with a projection open"));
    // Each module's C runtime frees one block of its own as the module is told: the list of exit
    // functions it has just run. Nothing else may go back.
    for (const char* module : {"the module", "the runtime probe"})
        EXPECT_EQ(1, Occurrences(exit.output, std::string("freed by ") + module)) << module;
}

} // namespace
