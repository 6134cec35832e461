// The window system refusing windows part-way through opening a projection, as in a process that has
// run out of window handles: nothing half-built stays, the user is told once, and projections open
// again as soon as windows can be made.
#include "CreationRefusal.h"
#include "ImportSwap.h"
#include "MessageBoxWatcher.h"
#include "TestHost.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>

namespace {

BOOL CALLBACK CountWindow(HWND, LPARAM counted) {
    ++*reinterpret_cast<int*>(counted);
    return TRUE;
}

BOOL CALLBACK CountTopWindowAndChildren(HWND top, LPARAM counted) {
    ++*reinterpret_cast<int*>(counted);
    ::EnumChildWindows(top, &CountWindow, counted);
    return TRUE;
}

// Every window of the thread, children included.
int CountThreadWindows() {
    int count = 0;
    ::EnumThreadWindows(::GetCurrentThreadId(), &CountTopWindowAndChildren, reinterpret_cast<LPARAM>(&count));
    return count;
}

TEST(RefusedWindows, AProjectionOpensWholeOrNotAtAll) {
    TestHost host;
    host.LoadAndInitialize();
    const CMapStringToString planet = Planet("Alpha", "17");
    host.Select(planet);

    int windowsOfAProjection = 0;
    {
        CreationRefusal counting(host.mdiClient, INT_MAX);
        host.Command("Alpha");
        windowsOfAProjection = counting.Asked();
    }
    ASSERT_EQ(1u, host.Projections().size());
    host.GamesList({});
    EXPECT_GE(windowsOfAProjection, 381); // frame, view and form items, 340 cells, 20 choosers and their lists

    // The message box of the first refusal is kept as a picture when asked for.
    const char* picture = std::getenv("ZENTHARO_REFUSAL_SCREENSHOT");
    MessageBoxWatcher boxes([&](HWND) {
        if (picture && boxes.Shown().size() == 1)
            host.SaveScreenshot(picture);
    });
    const int before = CountThreadWindows();
    const int n = windowsOfAProjection;
    for (int refusedFrom : {1, 2, 3, 4, 20, 178, n / 2, n - 41, n - 20, n - 1, n}) {
        SCOPED_TRACE("windows refused from the " + std::to_string(refusedFrom) + "th on");
        {
            CreationRefusal refusal(host.mdiClient, refusedFrom);
            host.Command("Alpha");
            EXPECT_GT(refusal.Refused(), 0);
        }
        host.Settle();
        EXPECT_TRUE(host.Projections().empty());
        EXPECT_EQ(nullptr, ::GetWindow(host.mdiClient, GW_CHILD)) << "a half-built window stayed";
        EXPECT_EQ(before, CountThreadWindows());
        ASSERT_EQ(1u, boxes.Shown().size());
        const ShownMessage& message = boxes.Shown()[0];
        EXPECT_EQ("Zentharo", message.caption);
        EXPECT_NE(std::string::npos, message.text.find("No more projection windows can be opened"));
        EXPECT_NE(std::string::npos, message.text.find("Close some windows and try again"));
        EXPECT_EQ(host.mainWindow, message.owner);
        boxes.Clear();
    }

    // Windows can be made again: the projection opens whole.
    host.Command("Alpha");
    host.Settle();
    ASSERT_EQ(1u, host.Projections().size());
    EXPECT_TRUE(host.Projections()[0].visible);
    EXPECT_EQ(ExpectedGrid(planet), ShownGrid(host.Projections()[0].frame));
    EXPECT_TRUE(boxes.Shown().empty());
}

// As Wine answers when it has no memory left to list the windows: nothing listed, and no error.
BOOL WINAPI ListNoWindows(DWORD, WNDENUMPROC, LPARAM) { return TRUE; }

// The host's MDI client cannot be found, because the system cannot list the windows or because the
// host has none: nothing opens, and the user is told why.
TEST(RefusedWindows, AnOpeningWithoutTheHostsWindowTellsTheUser) {
    const struct {
        const char* name;
        bool listFails; // else the host's MDI client is gone
    } cases[] = {{"the windows cannot be listed", true}, {"the host has no MDI client", false}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        TestHost host;
        host.LoadAndInitialize();
        host.Select(Planet("Alpha", "17"));
        MessageBoxWatcher boxes;
        const HMODULE module = ::GetModuleHandleA("Zentharo.dll");
        void* listing = nullptr;
        if (c.listFails)
            listing = SwapImport(module, "user32.dll", "EnumThreadWindows", reinterpret_cast<void*>(&ListNoWindows));
        else
            ::DestroyWindow(host.mdiClient);
        host.Command("Alpha");
        host.Settle();
        EXPECT_TRUE(host.Projections().empty());
        ASSERT_EQ(1u, boxes.Shown().size()) << "nothing opened and the user was not told";
        EXPECT_NE(std::string::npos, boxes.Shown()[0].text.find("cannot find the host's window"));
        if (!c.listFails)
            continue;
        // The windows can be listed again: the projection opens.
        SwapImport(module, "user32.dll", "EnumThreadWindows", listing);
        host.Command("Alpha");
        EXPECT_EQ(1u, host.Projections().size());
        EXPECT_EQ(1u, boxes.Shown().size());
    }
}

} // namespace
