// A host that answers the module by calling it back. While a projection opens, each message the host's
// own windows get (the MDI client's creation request and notifications, the game window losing the
// activation and the focus) is in turn the moment at which the host discards the game, asks for the
// same planet again, switches games, or closes or destroys the new window. Whatever happens, nothing
// is left behind (windows, GDI objects, accelerator tables, the module's heap blocks), no freed block
// is touched (the module's blocks are guarded), and the planet can be projected again.
#include "GuardedAllocations.h"
#include "MessageBoxWatcher.h"
#include "ModuleNotices.h"
#include "TestHost.h"
#include "host/HostRecords.h"
#include "host/driving/ResourceCounts.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>

namespace {

constexpr int kMostMessages = 500; // an opening that never ends without the reaction is a runaway

// The host's window procedures, subclassed: after a window has handled a message, the host may react.
struct HostileState {
    std::map<HWND, WNDPROC> procedures;
    int reactAfter = 0; // messages to let pass before reacting; 0 while disarmed
    int seen = 0;
    bool reacted = false;
    std::function<void()> reaction;
} g_hostile;

LRESULT CALLBACK HostileProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    const LRESULT result = ::CallWindowProcA(g_hostile.procedures[window], window, message, wParam, lParam);
    if (g_hostile.reactAfter && !g_hostile.reacted && ++g_hostile.seen == g_hostile.reactAfter) {
        g_hostile.reacted = true;
        g_hostile.reaction();
    }
    return result;
}

void Subclass(HWND window) {
    g_hostile.procedures[window] = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&HostileProcedure)));
}

HWND AnyProjectionFrame(HWND mdiClient) {
    for (HWND child = ::GetWindow(mdiClient, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
        if (ProjectionWindows::IsProjection(child))
            return child;
    return nullptr;
}

class HostileHost : public ::testing::Test {
protected:
    void SetUp() override {
        host.LoadAndInitialize();
        for (HWND window : {host.mainWindow, host.mdiClient, host.OpenGameWindow()})
            Subclass(window);
        host.Select(planet);
        // The first window makes what stays for the module's life: its window class and keyboard hook.
        host.Command("Alpha");
        host.GamesList({});
        guarded = std::make_unique<GuardedAllocations>(module);
        notices = std::make_unique<ModuleNotices>(module);
    }
    void TearDown() override {
        notices.reset();
        guarded.reset();
        g_hostile = HostileState{}; // the windows go with the host
    }

    // Opens the planet with the host reacting after its nth message, for n = 1, 2, ... until an opening
    // runs to its end before the host reacts. After each, checks and cleans up.
    void Sweep(const std::function<void()>& reaction) {
        for (int n = 1; n < kMostMessages; ++n) {
            SCOPED_TRACE("the host reacts after its message " + std::to_string(n));
            const ResourceCounts before = ResourceCounts::Take();
            const std::size_t liveBefore = guarded->Live();
            g_hostile.seen = 0;
            g_hostile.reacted = false;
            g_hostile.reaction = reaction;
            g_hostile.reactAfter = n;
            CMapStringToString command = HostRecords::UserCommand("Alpha", "40", ModuleContract::kMenuCommand);
            host.plugin.OnUserCommand(command);
            host.Settle();
            g_hostile.reactAfter = 0;
            const bool reacted = g_hostile.reacted;

            // Whatever stayed open is whole.
            const bool stayedOpen = !host.Projections().empty();
            for (const ProjectionWindow& window : host.Projections())
                EXPECT_TRUE(IsWhole(window.frame)) << "a projection window is not whole";
            host.GamesList({});
            EXPECT_EQ(nullptr, AnyProjectionFrame(host.mdiClient)) << "a frame without its document stayed";

            // The planet opens again: no document of it was left behind.
            if (!stayedOpen) {
                host.Command("Alpha");
                const auto windows = host.Projections();
                EXPECT_EQ(1u, windows.size()) << "the planet can no longer be projected";
                if (windows.size() == 1u) {
                    EXPECT_TRUE(IsWhole(windows[0].frame));
                }
                host.GamesList({});
            }
            host.Settle();

            const ResourceCounts after = ResourceCounts::Take();
            EXPECT_EQ(before.windows, after.windows);
            EXPECT_EQ(before.gdiObjects, after.gdiObjects);
            EXPECT_EQ(before.accelerators, after.accelerators);
            EXPECT_EQ(liveBefore, guarded->Live()) << guarded->LiveBytes() << " bytes of the module's heap left behind";
            EXPECT_EQ(0, notices->MessageBoxesAsked()) << "an opening the host ended was reported as refused";
            if (::testing::Test::HasFailure() || !reacted)
                return;
        }
        ADD_FAILURE() << "the opening never ran to its end";
    }

    // The frame holds its view, which shows the planet's projection.
    bool IsWhole(HWND frame) const { return ::GetWindow(frame, GW_CHILD) && ShownGrid(frame) == expected; }

    TestHost host;
    MessageBoxWatcher boxes;
    const HMODULE module = ::GetModuleHandleA("Zentharo.dll");
    const CMapStringToString planet = Planet("Alpha", "17");
    const std::string expected = ExpectedGrid(planet);
    std::unique_ptr<GuardedAllocations> guarded;
    std::unique_ptr<ModuleNotices> notices;
};

TEST_F(HostileHost, DiscardsTheGameWhileItsProjectionOpens) {
    Sweep([&] {
        CMapStringToString games = HostRecords::GamesList({"Beta"});
        host.plugin.OnGamesListModified(games);
    });
}

TEST_F(HostileHost, AsksForTheSamePlanetWhileItOpens) {
    Sweep([&] {
        CMapStringToString command = HostRecords::UserCommand("Alpha", "40", ModuleContract::kMenuCommand);
        host.plugin.OnUserCommand(command);
    });
}

TEST_F(HostileHost, SwitchesGamesWhileAProjectionOpens) {
    Sweep([&] {
        CMapStringToString activate = HostRecords::Activate("Beta");
        host.plugin.OnActivate(activate);
    });
}

TEST_F(HostileHost, ClosesTheNewWindowWhileItOpens) {
    Sweep([&] {
        if (const HWND frame = AnyProjectionFrame(host.mdiClient))
            ::SendMessageA(frame, WM_CLOSE, 0, 0);
    });
}

TEST_F(HostileHost, DestroysTheNewWindowWhileItOpens) {
    Sweep([&] {
        if (const HWND frame = AnyProjectionFrame(host.mdiClient))
            ::SendMessageA(host.mdiClient, WM_MDIDESTROY, reinterpret_cast<WPARAM>(frame), 0);
    });
}

// Only the view goes, which takes the document with it: no empty frame may stay.
TEST_F(HostileHost, DestroysTheNewWindowsViewWhileItOpens) {
    Sweep([&] {
        if (const HWND frame = AnyProjectionFrame(host.mdiClient))
            ::DestroyWindow(::GetWindow(frame, GW_CHILD));
    });
}

} // namespace
