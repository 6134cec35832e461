// Closing a projection keeps the host's MDI client right: its active child is a live window (or none),
// the next child is activated as the host would see it, and Ctrl+F6 goes on switching.
#include "TestHost.h"
#include "host/driving/RealInput.h"

#include <gtest/gtest.h>

#include <functional>

namespace {

// A window of the host's own in the MDI client, as a game window is; it counts its activations.
class HostChild {
public:
    explicit HostChild(TestHost& host) : hwnd(host.OpenGameWindow()) {
        s_gameProc = reinterpret_cast<WNDPROC>(
            ::SetWindowLongPtrA(hwnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&CountingProc)));
        activations = 0;
    }

    HWND hwnd;
    static int activations;

private:
    static LRESULT CALLBACK CountingProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
        if (message == WM_MDIACTIVATE && reinterpret_cast<HWND>(lParam) == window)
            ++activations;
        return ::CallWindowProcA(s_gameProc, window, message, wParam, lParam);
    }
    static WNDPROC s_gameProc;
};
WNDPROC HostChild::s_gameProc = nullptr;
int HostChild::activations = 0;

HWND ActiveChild(const TestHost& host) {
    return reinterpret_cast<HWND>(::SendMessageA(host.mdiClient, WM_MDIGETACTIVE, 0, 0));
}

void PressEscapeIn(TestHost& host, HWND frame) {
    RealInput::Focus(host.mainWindow, ::GetDlgItem(::GetWindow(frame, GW_CHILD), ModuleContract::CellId(0, 0)));
    host.Settle();
    RealInput::PressKey(VK_ESCAPE);
    host.Settle();
}

TEST(ClosingAProjection, LeavesTheClientALiveActiveChild) {
    const struct {
        const char* name;
        std::function<void(TestHost&, HWND frame)> close;
    } closes[] = {
        {"Escape", [](TestHost& host, HWND frame) { PressEscapeIn(host, frame); }},
        {"Close button",
         [](TestHost& host, HWND frame) {
             ::SendMessageA(::GetDlgItem(::GetWindow(frame, GW_CHILD), ModuleContract::kCloseCommandId), BM_CLICK, 0,
                            0);
             host.Settle();
         }},
        {"Escape while maximised",
         [](TestHost& host, HWND frame) {
             ::SendMessageA(host.mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(frame), 0);
             host.Settle();
             PressEscapeIn(host, frame);
         }},
        {"its game discarded", [](TestHost& host, HWND) { host.GamesList({"Beta"}); }},
    };
    for (const auto& close : closes) {
        SCOPED_TRACE(close.name);
        TestHost host;
        host.LoadAndInitialize();
        HostChild game(host);
        host.Select(Planet("Beta", "1"));
        host.Command("Beta");
        host.Select(Planet("Alpha", "2"));
        host.Command("Alpha");
        host.Settle();
        const auto windows = host.Projections();
        ASSERT_EQ(2u, windows.size());
        ASSERT_EQ(windows[1].frame, ActiveChild(host));
        HostChild::activations = 0;

        close.close(host, windows[1].frame);
        ASSERT_EQ(1u, host.Projections().size());
        const HWND active = ActiveChild(host);
        ASSERT_TRUE(active == nullptr || ::IsWindow(active)) << "the client names a destroyed window";
        EXPECT_NE(nullptr, active);

        // Ctrl+F6 moves on, as the host's MDI keys do, and each child in turn sees its activation.
        RealInput::Focus(host.mainWindow, host.mainWindow);
        for (int press = 0; press < 2; ++press) {
            const HWND before = ActiveChild(host);
            RealInput::PressKey(VK_F6, false, true);
            host.Settle();
            EXPECT_NE(before, ActiveChild(host));
            EXPECT_TRUE(::IsWindow(ActiveChild(host)));
        }
        EXPECT_GE(HostChild::activations, 1) << "the host never saw its window activated";
    }
}

TEST(ClosingAProjection, ThatWasTheLastLeavesTheHostsWindowActive) {
    TestHost host;
    host.LoadAndInitialize();
    HostChild game(host);
    host.Select(Planet("Alpha", "2"));
    host.Command("Alpha");
    host.Settle();
    HostChild::activations = 0;
    PressEscapeIn(host, host.Projections().at(0).frame);
    EXPECT_TRUE(host.Projections().empty());
    EXPECT_EQ(game.hwnd, ActiveChild(host));
    EXPECT_EQ(1, HostChild::activations);
}

} // namespace
