// Running out of memory inside the module, at every allocation of every operation: the host goes on,
// the operation that failed left nothing half-done, and the module works afterwards.
#include "AllocationFaults.h"
#include "MessageBoxWatcher.h"
#include "ModuleNotices.h"
#include "TestHost.h"
#include "host/HostRecords.h"

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {

constexpr long kMostAllocations = 20000; // a sweep that never runs whole is a runaway

// A host whose module's allocations can be made to fail, and whose message boxes are answered.
struct FaultyHost {
    FaultyHost() {
        host.LoadAndInitialize();
        faults = std::make_unique<AllocationFaults>(::GetModuleHandleA("Zentharo.dll"));
    }
    ~FaultyHost() { faults.reset(); } // before the module goes

    TestHost host;
    MessageBoxWatcher boxes;
    std::unique_ptr<AllocationFaults> faults;
};

// Runs the operation with its nth allocation failing (and, persistent, every later one), for n = 1,
// 2, ... until a run needs fewer than n allocations and so runs whole. check(failed) follows each run,
// with nothing failing. Returns how many allocations the whole run made.
long Sweep(AllocationFaults& faults, bool persistent, const std::function<void()>& operation,
           const std::function<void(bool failed)>& check) {
    for (long n = 1; n < kMostAllocations; ++n) {
        SCOPED_TRACE("allocation " + std::to_string(n));
        faults.FailFrom(n, persistent);
        operation();
        const bool failed = faults.Failed();
        const long made = faults.Count();
        faults.Disarm();
        check(failed);
        if (::testing::Test::HasFatalFailure())
            return made;
        if (!failed)
            return made;
    }
    ADD_FAILURE() << "the operation never ran whole";
    return 0;
}

std::vector<std::string> Titles(TestHost& host) {
    std::vector<std::string> titles;
    for (const ProjectionWindow& window : host.Projections())
        titles.push_back(window.title);
    return titles;
}

// A planet with a value of a megabyte besides the ones the projection reads.
CMapStringToString BigPlanet(const char* game, const char* num) {
    CMapStringToString planet = Planet(game, num);
    planet["Notes"] = std::string(1 << 20, 'n').c_str();
    return planet;
}

TEST(OutOfMemory, EntryPointsWithRecordsLeaveTheModuleWorking) {
    FaultyHost faulty;
    TestHost& host = faulty.host;
    host.Select(Planet("Beta", "5"));
    host.Command("Beta");
    const struct {
        const char* name;
        std::function<void()> call;
    } calls[] = {
        {"OnInitialize",
         [&] {
             CMapStringToString record;
             record["MainFrame"] = "1";
             host.plugin.OnInitialize(record);
         }},
        {"OnPlanetChanged", [&] { host.Select(BigPlanet("Alpha", "17")); }},
        {"OnAbout",
         [&] {
             CMapStringToString about;
             host.plugin.OnAbout(about);
         }},
        {"OnActivate", [&] { host.Activate("Beta"); }},
        {"OnGamesListModified", [&] { host.GamesList({"Beta"}); }},
        {"OnUserCommand for an open planet",
         [&] {
             host.Select(Planet("Beta", "5"));
             host.Command("Beta");
         }},
    };
    for (const auto& call : calls) {
        SCOPED_TRACE(call.name);
        const long made = Sweep(*faulty.faults, false, call.call, [&](bool) {
            EXPECT_EQ((std::vector<std::string>{"Zentharo  Terra (#5)   Beta:40"}), Titles(host));
        });
        EXPECT_GT(made, 0);
    }
    EXPECT_TRUE(faulty.boxes.Shown().empty());

    // The module still works: the Beta window is right, and a new one opens right.
    const auto windows = host.Projections();
    ASSERT_EQ(1u, windows.size());
    EXPECT_EQ(ExpectedGrid(Planet("Beta", "5")), ShownGrid(windows[0].frame));
    host.Select(Planet("Alpha", "17"));
    host.Command("Alpha");
    host.Activate("Alpha");
    ASSERT_EQ(2u, host.Projections().size());
    EXPECT_EQ(ExpectedGrid(Planet("Alpha", "17")), ShownGrid(host.Projections()[1].frame));
}

TEST(OutOfMemory, ASelectionIsTakenWholeOrNotAtAll) {
    FaultyHost faulty;
    TestHost& host = faulty.host;
    host.Select(Planet("Alpha", "1"));
    Sweep(
        *faulty.faults, false, [&] { host.Select(BigPlanet("Alpha", "17")); },
        [&](bool failed) {
            // The command projects the planet just selected, or nothing: never the one before.
            host.Command("Alpha");
            const auto titles = Titles(host);
            if (failed)
                EXPECT_TRUE(titles.empty() || titles == std::vector<std::string>{"Zentharo  Terra (#17)   Alpha:40"});
            else
                EXPECT_EQ(std::vector<std::string>{"Zentharo  Terra (#17)   Alpha:40"}, titles);
            host.GamesList({});
            host.Select(Planet("Alpha", "1"));
        });
}

// Opening a window fails at each allocation in turn, once or for good: either the whole window is
// there and right, or nothing is, and the user was told.
TEST(OutOfMemory, AProjectionOpensWholeOrNotAtAll) {
    for (bool persistent : {false, true}) {
        SCOPED_TRACE(persistent ? "every allocation from the nth on fails" : "the nth allocation fails");
        FaultyHost faulty;
        TestHost& host = faulty.host;
        const CMapStringToString planet = Planet("Alpha", "17");
        const std::string expected = ExpectedGrid(planet);
        int failedOpens = 0;
        const long made = Sweep(
            *faulty.faults, persistent,
            [&] {
                host.Select(planet);
                host.Command("Alpha");
            },
            [&](bool failed) {
                const auto windows = host.Projections();
                const HWND anyChild = ::GetWindow(host.mdiClient, GW_CHILD);
                if (windows.empty()) {
                    EXPECT_TRUE(failed);
                    EXPECT_EQ(nullptr, anyChild) << "a half-built window stayed";
                    ++failedOpens;
                } else {
                    ASSERT_EQ(1u, windows.size());
                    EXPECT_TRUE(windows[0].visible);
                    EXPECT_EQ(expected, ShownGrid(windows[0].frame));
                }
                host.GamesList({});
                EXPECT_EQ(nullptr, ::GetWindow(host.mdiClient, GW_CHILD));
            });
        // Each open that failed for want of memory (not the selection before it) told the user once.
        for (const ShownMessage& message : faulty.boxes.Shown()) {
            EXPECT_EQ("Zentharo", message.caption);
            EXPECT_NE(std::string::npos, message.text.find("No more projection windows can be opened"));
            EXPECT_EQ(host.mainWindow, message.owner);
        }
        EXPECT_LE(static_cast<int>(faulty.boxes.Shown().size()), failedOpens);
        EXPECT_GT(faulty.boxes.Shown().size(), 0u);
        std::printf("opening a window: %ld allocations, %d failed opens\n", made, failedOpens);
    }
}

// The user is told of every opening that fails: with memory gone from the nth allocation on, beside a
// projection already open (so the opening first walks the open ones), each failed opening shows the
// message once, or beeps when not even a message box can be made.
TEST(OutOfMemory, EveryRefusedOpeningTellsTheUser) {
    for (bool boxesFail : {false, true}) {
        SCOPED_TRACE(boxesFail ? "no message box can be made" : "message boxes can be made");
        FaultyHost faulty;
        TestHost& host = faulty.host;
        ModuleNotices notices(::GetModuleHandleA("Zentharo.dll"));
        notices.RefuseMessageBoxes(boxesFail);
        host.Select(Planet("Beta", "5"));
        host.Command("Beta");
        host.Select(Planet("Alpha", "17"));
        int failedOpens = 0;
        Sweep(
            *faulty.faults, true,
            [&] {
                notices.Clear();
                faulty.boxes.Clear();
                host.Command("Alpha");
                host.Settle();
            },
            [&](bool) {
                if (host.Projections().size() == 2u) {
                    EXPECT_EQ(0, notices.MessageBoxesAsked());
                    host.GamesList({"Beta"});
                    return;
                }
                ++failedOpens;
                ASSERT_EQ(1u, host.Projections().size());
                EXPECT_EQ(1, notices.MessageBoxesAsked()) << "a refused opening told the user nothing";
                if (boxesFail) {
                    EXPECT_GE(notices.Beeps(), 1);
                } else {
                    ASSERT_EQ(1u, faulty.boxes.Shown().size());
                    EXPECT_NE(std::string::npos,
                              faulty.boxes.Shown()[0].text.find("No more projection windows can be opened"));
                    EXPECT_EQ(host.mainWindow, faulty.boxes.Shown()[0].owner);
                }
            });
        EXPECT_GT(failedOpens, 1);
    }
}

// OnLoad's template cannot be made, at each of its allocations: the host hears it, and the first command
// that has memory makes the template and opens the projection; one that still has none says so.
TEST(OutOfMemory, AFailedOnLoadIsMadeGoodByTheNextCommand) {
    const CMapStringToString planet = Planet("Alpha", "17");
    for (long n = 1; n < kMostAllocations; ++n) {
        SCOPED_TRACE("OnLoad's allocations failing from number " + std::to_string(n) + " on");
        TestHost host;
        const HMODULE module = ::GetModuleHandleA("Zentharo.dll");
        AllocationFaults faults(module);
        ModuleNotices notices(module);
        MessageBoxWatcher boxes;
        faults.FailFrom(n, true);
        host.plugin.OnLoad();
        const bool failed = faults.Failed();
        faults.Disarm();
        EXPECT_EQ(failed ? 1 : 0, notices.Beeps());
        CMapStringToString initialize =
            HostRecords::Initialize(reinterpret_cast<std::uintptr_t>(host.mainWindow), 0, 0, 0);
        host.plugin.OnInitialize(initialize);
        EXPECT_EQ("Zentharo", initialize["MenuItem"]);
        host.Select(planet);
        if (failed) {
            faults.FailFrom(1, true);
            host.Command("Alpha");
            host.Settle();
            faults.Disarm();
            EXPECT_TRUE(host.Projections().empty());
            ASSERT_EQ(1u, boxes.Shown().size()) << "a command that cannot open told the user nothing";
            EXPECT_NE(std::string::npos, boxes.Shown()[0].text.find("No more projection windows can be opened"));
        }
        host.Command("Alpha");
        const auto windows = host.Projections();
        ASSERT_EQ(1u, windows.size());
        EXPECT_EQ(ExpectedGrid(planet), ShownGrid(windows[0].frame));
        if (!failed)
            return;
    }
    ADD_FAILURE() << "OnLoad never ran whole";
}

// An edit of the grid (a cell left, or a production chosen) with an allocation failing: the grid
// shows the document, which holds the edit whole or not at all, and the next edit works.
class FailingEdit : public ::testing::Test {
protected:
    void SetUp() override {
        host.Select(planet);
        host.Command("Alpha");
        ASSERT_EQ(1u, host.Projections().size());
        frame = host.Projections()[0].frame;
        view = ::GetWindow(frame, GW_CHILD);
    }
    HWND Cell(int column, int row) const { return ::GetDlgItem(view, ModuleContract::CellId(column, row)); }

    // Leaves a cell that holds text, as the user's Tab would.
    void Leave(HWND cell, const char* text) {
        ::SetFocus(cell);
        ::SetWindowTextA(cell, text);
        ::SendMessageA(cell, EM_SETMODIFY, TRUE, 0); // as typing leaves it
        ::SetFocus(Cell(0, 0));
        host.Pump();
    }
    // Runs one of the projection's commands in a cell, as its key or menu item does.
    void Command(HWND cell, int id) {
        ::SetFocus(cell);
        ::SendMessageA(view, WM_COMMAND, MAKEWPARAM(id, 1), 0);
        host.Pump();
    }
    // Sweeps the command, run in cell (1, 3) after prepare, with the table after it as with; Clear all
    // inputs brings the table back between runs. Returns how many allocations the command made.
    long SweepCommand(int id, const std::function<void()>& prepare, const std::string& with) {
        const std::string without = ExpectedGrid(planet);
        const long allocations = Sweep(
            *faulty.faults, false,
            [&] {
                prepare();
                Command(Cell(1, 3), id);
            },
            [&](bool failed) {
                ExpectWholeOrNothing(failed, with, without);
                Command(Cell(1, 3), ModuleContract::kClearInputsCommandId);
                EXPECT_EQ(without, ShownGrid(frame));
            });
        EXPECT_TRUE(faulty.boxes.Shown().empty());
        return allocations;
    }
    // Picks a production for a row, as the chooser reports a pick.
    void Choose(int row, int position) {
        const HWND chooser = ::GetDlgItem(view, ModuleContract::ChooserId(row));
        ::SendMessageA(chooser, CB_SETCURSEL, position, 0);
        ::SendMessageA(view, WM_COMMAND, MAKEWPARAM(ModuleContract::ChooserId(row), CBN_SELCHANGE),
                       reinterpret_cast<LPARAM>(chooser));
        host.Pump();
    }
    // The grid equals what the model shows with or without the edit, and it is what the document holds:
    // leaving a read-only cell recalculates and refreshes without changing it.
    void ExpectWholeOrNothing(bool failed, const std::string& with, const std::string& without) {
        const std::string shown = ShownGrid(frame);
        if (failed)
            EXPECT_TRUE(shown == with || shown == without) << shown;
        else
            EXPECT_EQ(with, shown);
        Leave(Cell(7, 2), "");
        EXPECT_EQ(shown, ShownGrid(frame));
    }

    FaultyHost faulty;
    TestHost& host = faulty.host;
    const CMapStringToString planet = Planet("Alpha", "17");
    HWND frame = nullptr;
    HWND view = nullptr;
};

TEST_F(FailingEdit, ALeftCellIsStoredWholeOrNotAtAll) {
    const std::string without = ExpectedGrid(planet);
    // A text longer than any the cells keep without allocating, and one that moves every row.
    const std::string typed = "500" + std::string(40, ' ');
    const std::string with = ExpectedGrid(planet, {{&CZentharoDoc::m_colIn, 3, typed.c_str()}});
    Sweep(
        *faulty.faults, false, [&] { Leave(Cell(1, 3), typed.c_str()); },
        [&](bool failed) {
            ExpectWholeOrNothing(failed, with, without);
            Leave(Cell(1, 3), "0");
            EXPECT_EQ(without, ShownGrid(frame));
        });
    EXPECT_TRUE(faulty.boxes.Shown().empty());
}

TEST_F(FailingEdit, AProductionIsChosenWholeOrNotAtAll) {
    const std::string without = ExpectedGrid(planet);
    const std::string with = ExpectedGrid(planet, {{&CZentharoDoc::m_production, 2, "_TerraForming"}});
    Sweep(
        *faulty.faults, false, [&] { Choose(2, 0); },
        [&](bool failed) {
            ExpectWholeOrNothing(failed, with, without);
            Choose(2, 3); // back to Ship
            EXPECT_EQ(without, ShownGrid(frame));
        });
}

TEST_F(FailingEdit, AFillIsTakenWholeOrNotAtAll) {
    std::vector<GridEdit> fill;
    for (int row = 3; row < ModuleContract::kRows; ++row)
        fill.push_back({&CZentharoDoc::m_colIn, row, "500"});
    const auto typeIntoTheCell = [&] {
        ::SetFocus(Cell(1, 3));
        ::SetWindowTextA(Cell(1, 3), "500");
        ::SendMessageA(Cell(1, 3), EM_SETMODIFY, TRUE, 0); // as typing leaves it
    };
    // Each allocation failed once.
    EXPECT_GE(SweepCommand(ModuleContract::kFillLaterTurnsCommandId, typeIntoTheCell, ExpectedGrid(planet, fill)), 1);
}

// A typed cell undone, or undone and redone, with each allocation failing once: the grid is the table
// before or after the undo or redo, whole, and Clear all inputs still works.
TEST_F(FailingEdit, AnUndoOrARedoIsTakenWholeOrNotAtAll) {
    const std::string fresh = ExpectedGrid(planet);
    const std::string typed = ExpectedGrid(planet, {{&CZentharoDoc::m_colIn, 3, "500"}});
    for (const int id : {ModuleContract::kUndoCommandId, ModuleContract::kRedoCommandId}) {
        const bool undo = id == ModuleContract::kUndoCommandId;
        const std::string& before = undo ? typed : fresh;
        const std::string& after = undo ? fresh : typed;
        const long allocations = Sweep(
            *faulty.faults, false,
            [&] {
                Leave(Cell(1, 3), "500");
                if (!undo)
                    Command(Cell(1, 3), ModuleContract::kUndoCommandId);
                Command(Cell(1, 3), id);
            },
            [&](bool failed) {
                const std::string shown = ShownGrid(frame);
                if (failed)
                    EXPECT_TRUE(shown == before || shown == after || shown == fresh) << shown;
                else
                    EXPECT_EQ(after, shown);
                Command(Cell(1, 3), ModuleContract::kClearInputsCommandId);
                EXPECT_EQ(fresh, ShownGrid(frame));
            });
        EXPECT_GE(allocations, 1) << (undo ? "undo" : "redo");
    }
}

TEST_F(FailingEdit, APastedBlockIsTakenWholeOrNotAtAll) {
    PutClipboardText(host.mainWindow, "500\t20\r\n" + std::string(16, '\t') + "Materials\r\n");
    std::vector<GridEdit> pasted = {{&CZentharoDoc::m_colIn, 3, "500"},
                                    {&CZentharoDoc::m_capIn, 3, "20"},
                                    {&CZentharoDoc::m_production, 4, "Materials"}};
    for (auto column : {&CZentharoDoc::m_colIn, &CZentharoDoc::m_capIn, &CZentharoDoc::m_matIn,
                        &CZentharoDoc::m_bombing, &CZentharoDoc::m_upgrade})
        pasted.push_back({column, 4, ""});
    EXPECT_GE(SweepCommand(
                  ModuleContract::kPasteBlockCommandId, [] {}, ExpectedGrid(planet, pasted)),
              1);
}

} // namespace
