// Opening a projection asks the window system for no more than the window needs: each control gets
// its font once and its first text at creation, the controls are made while the view is hidden, and
// the window is drawn by the time the module returns. Under Wine every extra call is a server round
// trip; these tests keep the calls from coming back unseen, the timing harness says what they cost.
#include "TestHost.h"

#include <gtest/gtest.h>

#include <map>
#include <string>

namespace {

struct Observed {
    std::map<HWND, std::string> controls;          // the grid's edits and choosers, by class
    std::map<std::pair<HWND, UINT>, int> messages; // WM_SETFONT and WM_SETTEXT received, per control
    int madeInShownView = 0;
} g_observed; // the hook procedures are plain functions

std::string ClassOf(HWND window) {
    char name[32] = {};
    ::GetClassNameA(window, name, sizeof name);
    return name;
}

LRESULT CALLBACK WatchCreations(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        const auto* creation = reinterpret_cast<const CBT_CREATEWNDA*>(lParam);
        const HWND parent = creation->lpcs->hwndParent;
        const std::string name = ClassOf(reinterpret_cast<HWND>(wParam));
        if (parent && ClassOf(parent) == "#32770" && (name == "Edit" || name == "ComboBox")) {
            g_observed.controls[reinterpret_cast<HWND>(wParam)] = name;
            if (::GetWindowLongA(parent, GWL_STYLE) & WS_VISIBLE)
                ++g_observed.madeInShownView;
        }
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

LRESULT CALLBACK WatchMessages(int code, WPARAM wParam, LPARAM lParam) {
    const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && (sent->message == WM_SETFONT || sent->message == WM_SETTEXT) &&
        g_observed.controls.count(sent->hwnd))
        ++g_observed.messages[{sent->hwnd, sent->message}];
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

class ThreadHook {
public:
    ThreadHook(int type, HOOKPROC procedure)
        : m_hook(::SetWindowsHookExA(type, procedure, nullptr, ::GetCurrentThreadId())) {}
    ~ThreadHook() {
        if (m_hook)
            ::UnhookWindowsHookEx(m_hook);
    }
    ThreadHook(const ThreadHook&) = delete;
    ThreadHook& operator=(const ThreadHook&) = delete;

private:
    HHOOK m_hook;
};

// Opens a projection through the module's command entry point alone, no message loop after it.
class OpeningCost : public ::testing::Test {
protected:
    void SetUp() override {
        host.LoadAndInitialize();
        host.Select(Planet("Alpha", "17"));
        g_observed = Observed{};
        {
            ThreadHook creations(WH_CBT, &WatchCreations), messages(WH_CALLWNDPROC, &WatchMessages);
            CMapStringToString command;
            command["GameName"] = "Alpha";
            command["Turn"] = "40";
            command["Command"] = ModuleContract::kMenuCommand;
            host.plugin.OnUserCommand(command);
        }
        const auto windows = host.Projections();
        ASSERT_EQ(1u, windows.size());
        frame = windows[0].frame;
    }

    TestHost host;
    HWND frame = nullptr;
};

TEST_F(OpeningCost, EachControlGetsItsFontOnceAndItsFirstTextAtCreation) {
    const struct {
        const char* className;
        int count, fonts, texts;
    } expected[] = {{"Edit", 340, 1, 0}, {"ComboBox", 20, 1, 0}};
    for (const auto& kind : expected) {
        SCOPED_TRACE(kind.className);
        int count = 0;
        for (const auto& [control, name] : g_observed.controls) {
            if (name != kind.className)
                continue;
            ++count;
            EXPECT_EQ(kind.fonts, (g_observed.messages[{control, WM_SETFONT}])) << control;
            EXPECT_EQ(kind.texts, (g_observed.messages[{control, WM_SETTEXT}])) << control;
        }
        EXPECT_EQ(kind.count, count);
    }
}

TEST_F(OpeningCost, ControlsAreMadeWhileTheViewIsHidden) {
    EXPECT_EQ(360u, g_observed.controls.size());
    EXPECT_EQ(0, g_observed.madeInShownView);
    EXPECT_TRUE(::IsWindowVisible(::GetWindow(frame, GW_CHILD)));
}

TEST_F(OpeningCost, TheWindowIsDrawnWhenTheModuleReturns) {
    EXPECT_FALSE(::GetUpdateRect(frame, nullptr, FALSE));
    for (HWND window = ::GetWindow(::GetWindow(frame, GW_CHILD), GW_CHILD); window;
         window = ::GetWindow(window, GW_HWNDNEXT))
        EXPECT_FALSE(::GetUpdateRect(window, nullptr, FALSE)) << ClassOf(window) << " " << window;
}

} // namespace
