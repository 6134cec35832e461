// Copy table as a user meets it: Ctrl+Shift+C and the system menu put the table the window shows on the
// clipboard in both text formats, Ctrl+C in a cell still copies the cell's selection, and a copy that
// cannot be made leaves the host, the window and the clipboard in order.
#include "AllocationFaults.h"
#include "ImportSwap.h"
#include "TestHost.h"
#include "framework/Cp1251.h"
#include "framework/UniqueHandle.h"
#include "framework/WindowText.h"
#include "host/driving/RealInput.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <tuple>

namespace {

constexpr UINT kCopyTable = ModuleContract::kCopyTableCommandId;
constexpr const char* kHeader = "Turn\tCol\tCap\tMat\tBombing\tUpgrade\tPop\tInd\tCol\tCap\tSize\tRes\tMat\tL\tNeed "
                                "Col\tNeed Cap\tMass\tProduction";

// The bytes of a text format, without the terminating zero; "(none)" when the clipboard has none.
template <typename Char>
std::basic_string<Char> ClipboardText(HWND owner, UINT format) {
    std::basic_string<Char> text;
    if (!::OpenClipboard(owner))
        return text;
    if (const HANDLE data = ::IsClipboardFormatAvailable(format) ? ::GetClipboardData(format) : nullptr) {
        text = static_cast<const Char*>(::GlobalLock(data));
        ::GlobalUnlock(data);
    } else {
        for (char c : std::string("(none)"))
            text += static_cast<Char>(c);
    }
    ::CloseClipboard();
    return text;
}

std::wstring Widened(const std::string& ascii) { return std::wstring(ascii.begin(), ascii.end()); }

// What the window shows, as the clipboard must hold it: the header and the rows read from the grid's
// controls, each line ended by CR LF.
std::string ShownTable(HWND frame) {
    std::string table = std::string(kHeader) + "\r\n";
    for (char c : ShownGrid(frame) + "\n")
        table += c == '\n' ? std::string("\r\n") : std::string(1, c);
    return table;
}

// Calls the module makes to the clipboard's memory and to MessageBeep, counted, and made to fail when asked.
struct Interception {
    int allocations = 0, frees = 0, handed = 0, beeps = 0;
    int allocationCalls = 0, handCalls = 0;
    int failAllocation = 0, failHand = 0; // the nth call fails; 0: none
    decltype(&::GlobalAlloc) realAlloc = nullptr;
    decltype(&::GlobalFree) realFree = nullptr;
    decltype(&::SetClipboardData) realHand = nullptr;
    decltype(&::MessageBeep) realBeep = nullptr;
} g_calls;

// The nth call (counted in calls) fails with a null handle; a call the real function answers with a
// handle is counted in succeeded.
template <typename Real, typename... Args>
auto FailingOnRequest(int& calls, int failAt, int& succeeded, Real real, Args... args) -> decltype(real(args...)) {
    if (++calls == failAt)
        return nullptr;
    const auto result = real(args...);
    succeeded += result != nullptr;
    return result;
}

HGLOBAL WINAPI CountedGlobalAlloc(UINT flags, SIZE_T bytes) {
    return FailingOnRequest(g_calls.allocationCalls, g_calls.failAllocation, g_calls.allocations, g_calls.realAlloc,
                            flags, bytes);
}
HGLOBAL WINAPI CountedGlobalFree(HGLOBAL memory) {
    ++g_calls.frees;
    return g_calls.realFree(memory);
}
HANDLE WINAPI CountedSetClipboardData(UINT format, HANDLE memory) {
    return FailingOnRequest(g_calls.handCalls, g_calls.failHand, g_calls.handed, g_calls.realHand, format, memory);
}
BOOL WINAPI CountedMessageBeep(UINT) {
    ++g_calls.beeps;
    return TRUE;
}

// Counting starts again, the real functions kept; the nth call from now fails (0: none).
void ResetCounts(int failAllocation, int failHand) {
    Interception fresh;
    fresh.realAlloc = g_calls.realAlloc, fresh.realFree = g_calls.realFree;
    fresh.realHand = g_calls.realHand, fresh.realBeep = g_calls.realBeep;
    fresh.failAllocation = failAllocation;
    fresh.failHand = failHand;
    g_calls = fresh;
}

class CopyTableTest : public ::testing::Test {
protected:
    void SetUp() override {
        ::RegDeleteKeyA(HKEY_CURRENT_USER, ModuleContract::kPlacementKey);
        host.LoadAndInitialize();
        host.Select(Planet("Alpha", "17", "Terra", {{"Production", "Capital"}}));
        host.Command("Alpha");
        ASSERT_EQ(1u, host.Projections().size());
        frame = host.Projections().front().frame;
        view = ::GetWindow(frame, GW_CHILD);
        module = ::GetModuleHandleA("Zentharo.dll");
        g_calls = Interception{};
        g_calls.realAlloc =
            reinterpret_cast<decltype(&::GlobalAlloc)>(Swap("kernel32.dll", "GlobalAlloc", &CountedGlobalAlloc));
        g_calls.realFree =
            reinterpret_cast<decltype(&::GlobalFree)>(Swap("kernel32.dll", "GlobalFree", &CountedGlobalFree));
        g_calls.realHand = reinterpret_cast<decltype(&::SetClipboardData)>(
            Swap("user32.dll", "SetClipboardData", &CountedSetClipboardData));
        g_calls.realBeep =
            reinterpret_cast<decltype(&::MessageBeep)>(Swap("user32.dll", "MessageBeep", &CountedMessageBeep));
        ASSERT_TRUE(g_calls.realAlloc && g_calls.realFree && g_calls.realHand && g_calls.realBeep);
    }
    void TearDown() override {
        faults.reset();
        Swap("kernel32.dll", "GlobalAlloc", g_calls.realAlloc);
        Swap("kernel32.dll", "GlobalFree", g_calls.realFree);
        Swap("user32.dll", "SetClipboardData", g_calls.realHand);
        Swap("user32.dll", "MessageBeep", g_calls.realBeep);
    }
    template <typename Function>
    void* Swap(const char* library, const char* name, Function function) {
        return SwapImport(module, library, name, reinterpret_cast<void*>(function));
    }

    HWND Cell(int column, int row) const { return ::GetDlgItem(view, ModuleContract::CellId(column, row)); }
    HWND Chooser(int row) const { return ::GetDlgItem(view, ModuleContract::ChooserId(row)); }
    void PressInside(HWND target, WORD key, bool shift, bool control) {
        RealInput::Focus(host.mainWindow, target);
        host.Settle();
        RealInput::PressKey(key, shift, control);
        host.Settle();
    }
    void TypeAndTab(HWND cell, const std::string& text) {
        RealInput::Focus(host.mainWindow, cell);
        host.Settle();
        ::SendMessageA(cell, EM_SETSEL, 0, -1);
        RealInput::TypeText(text);
        RealInput::PressKey(VK_TAB);
        host.Settle();
    }
    void ExpectClipboardHoldsTheShownTable() {
        const std::string table = ShownTable(frame);
        EXPECT_EQ(table, ClipboardText<char>(host.mainWindow, CF_TEXT));
        EXPECT_EQ(Widened(table), ClipboardText<wchar_t>(host.mainWindow, CF_UNICODETEXT));
    }

    TestHost host;
    HWND frame = nullptr;
    HWND view = nullptr;
    HMODULE module = nullptr;
    std::unique_ptr<AllocationFaults> faults;
};

TEST_F(CopyTableTest, CtrlShiftCCopiesTheShownTableFromAnywhereInTheWindow) {
    TypeAndTab(Cell(1, 3), "500");    // colonists delivered in turn 43
    TypeAndTab(Cell(5, 0), "100000"); // an upgrade capped to L
    const struct {
        const char* where;
        HWND target;
    } places[] = {
        {"an input cell", Cell(2, 9)},
        {"a read-only cell", Cell(13, 5)},
        {"a chooser", Chooser(7)},
        {"the Close button", ::GetDlgItem(view, ModuleContract::kCloseCommandId)},
    };
    for (const auto& place : places) {
        SCOPED_TRACE(place.where);
        PutClipboardText(host.mainWindow, "before");
        PressInside(place.target, 'C', true, true);
        ExpectClipboardHoldsTheShownTable();
        EXPECT_EQ(place.target, ::GetFocus());
    }
    const std::string copied = ClipboardText<char>(host.mainWindow, CF_TEXT);
    EXPECT_EQ(0u, copied.find(std::string(kHeader) + "\r\n40\t\t\t\t\t557.50\t800.00\t")) << copied.substr(0, 200);
    EXPECT_NE(std::string::npos, copied.find("\r\n43\t500.00\t")); // the typed delivery, as shown
    EXPECT_EQ(0, g_calls.beeps);
    EXPECT_EQ(g_calls.allocations, g_calls.frees + g_calls.handed); // the clipboard owns what it took
    EXPECT_EQ(1u, host.Projections().size());
}

TEST_F(CopyTableTest, CtrlCInACellStillCopiesItsSelection) {
    RealInput::Focus(host.mainWindow, Cell(13, 0)); // L: 557.50
    host.Settle();
    ::SendMessageA(Cell(13, 0), EM_SETSEL, 0, 3);
    RealInput::PressKey('C', false, true);
    host.Settle();
    EXPECT_EQ("557", ClipboardText<char>(host.mainWindow, CF_TEXT));
}

// Opens the frame's system menu as a user does, by clicking the icon at the left of its caption.
POINT SystemMenuIcon(HWND frame) {
    RECT rect;
    ::GetWindowRect(frame, &rect);
    for (int y = rect.top; y < rect.top + 40; ++y)
        for (int x = rect.left; x < rect.left + 40; ++x)
            if (::SendMessageA(frame, WM_NCHITTEST, 0, MAKELPARAM(x, y)) == HTSYSMENU)
                return {x + 4, y + 4};
    return {-1, -1};
}

// Runs inside the menu's own message loop: pictures the open menu, then picks its last entry by keyboard.
// A menu that will not close is ended after a while, so that a failure cannot hang the test.
struct MenuVisit {
    bool seen = false;
    bool pictured = false;
    int ticksSinceSeen = 0;
    int upPresses = 1; // from no selection, the first Up selects the last entry
    TestHost* host = nullptr;
} g_menu;

void CALLBACK WhileTheMenuIsOpen(HWND, UINT, UINT_PTR, DWORD) {
    const HWND popup = ::FindWindowA("#32768", nullptr);
    if (!popup || !::IsWindowVisible(popup))
        return;
    if (g_menu.seen) {
        if (++g_menu.ticksSinceSeen > 30)
            ::EndMenu();
        return;
    }
    g_menu.seen = true;
    const char* path = std::getenv("ZENTHARO_MENU_SCREENSHOT");
    g_menu.pictured = g_menu.host->SaveScreenshot(path ? path : "system-menu.bmp");
    for (int i = 0; i < g_menu.upPresses; ++i)
        RealInput::PressKey(VK_UP);
    RealInput::PressKey(VK_RETURN);
}

TEST_F(CopyTableTest, TheSystemMenuOffersTheWindowsCommands) {
    const HMENU menu = ::GetSystemMenu(frame, FALSE);
    const int count = ::GetMenuItemCount(menu);
    ASSERT_GE(count, 5);
    const struct {
        int fromEnd;
        const char* text;
        UINT id;
    } items[] = {{1, "Best plan for production...", static_cast<UINT>(ModuleContract::kPlanProductionCommandId)},
                 {2, "Best plan for ship mass...", static_cast<UINT>(ModuleContract::kPlanShipsCommandId)},
                 {3, "Copy table\tCtrl+Shift+C", kCopyTable},
                 {4, "Chart\tCtrl+Shift+G", static_cast<UINT>(ModuleContract::kChartCommandId)},
                 {5, "Clear all inputs", static_cast<UINT>(ModuleContract::kClearInputsCommandId)}};
    for (const auto& item : items) {
        char text[64] = {};
        ::GetMenuStringA(menu, count - item.fromEnd, text, sizeof text, MF_BYPOSITION);
        EXPECT_STREQ(item.text, text);
        EXPECT_EQ(item.id, ::GetMenuItemID(menu, count - item.fromEnd));
    }
    EXPECT_TRUE(::GetMenuState(menu, count - 6, MF_BYPOSITION) & MF_SEPARATOR);

    TypeAndTab(Cell(3, 2), "250");
    PutClipboardText(host.mainWindow, "before");
    POINT icon = SystemMenuIcon(frame);
    ASSERT_NE(-1, icon.x);
    ::ScreenToClient(frame, &icon);
    g_menu = MenuVisit{};
    g_menu.host = &host;
    g_menu.upPresses = 3; // Copy table
    const UINT_PTR timer = ::SetTimer(nullptr, 0, 100, &WhileTheMenuIsOpen);
    RealInput::Click(frame, icon);
    host.Settle();
    ::KillTimer(nullptr, timer);
    ASSERT_TRUE(g_menu.seen) << "the system menu did not open";
    EXPECT_TRUE(g_menu.pictured);
    ExpectClipboardHoldsTheShownTable();
}

// Blocks the clipboard from another thread, as another program holding it open does.
class ClipboardHolder {
public:
    ClipboardHolder() {
        m_held = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
        m_thread = ::CreateThread(nullptr, 0, &Hold, this, 0, nullptr);
        ::WaitForSingleObject(m_held, 5000);
    }
    ~ClipboardHolder() {
        ::SetEvent(m_release);
        ::WaitForSingleObject(m_thread, 5000);
        for (HANDLE handle : {m_thread, m_release, m_held})
            ::CloseHandle(handle);
    }
    ClipboardHolder(const ClipboardHolder&) = delete;
    ClipboardHolder& operator=(const ClipboardHolder&) = delete;

private:
    static DWORD WINAPI Hold(void* self) {
        auto* holder = static_cast<ClipboardHolder*>(self);
        const BOOL opened = ::OpenClipboard(nullptr);
        ::SetEvent(holder->m_held);
        ::WaitForSingleObject(holder->m_release, INFINITE);
        if (opened)
            ::CloseClipboard();
        return 0;
    }
    HANDLE m_held, m_release, m_thread;
};

TEST_F(CopyTableTest, ACopyThatCannotBeMadeIsHeardAndLeavesNoHalfCopyNorMemoryBehind) {
    const struct {
        const char* what;
        int failAllocation, failHand;
        bool holdClipboard, outOfMemory;
        const char* clipboardAfter; // "(none)": emptied, since the system had taken part of the copy
    } cases[] = {
        {"another program holds the clipboard", 0, 0, true, false, "kept"},
        {"no memory for CF_TEXT", 1, 0, false, false, "kept"},
        {"no memory for CF_UNICODETEXT", 2, 0, false, false, "kept"},
        {"the system refuses CF_TEXT", 0, 1, false, false, "(none)"},
        {"the system refuses CF_UNICODETEXT", 0, 2, false, false, "(none)"},
        {"no memory for the text itself", 0, 0, false, true, "kept"},
    };
    faults = std::make_unique<AllocationFaults>(module);
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        PutClipboardText(host.mainWindow, "kept");
        RealInput::Focus(host.mainWindow, Cell(2, 4));
        host.Settle();
        ResetCounts(c.failAllocation, c.failHand);
        {
            std::unique_ptr<ClipboardHolder> holder(c.holdClipboard ? new ClipboardHolder : nullptr);
            if (c.outOfMemory)
                faults->FailFrom(1, true);
            RealInput::PressKey('C', true, true);
            host.Settle();
            EXPECT_EQ(c.outOfMemory, faults->Failed());
            faults->Disarm();
        }
        EXPECT_EQ(1, g_calls.beeps);
        EXPECT_EQ(g_calls.allocations, g_calls.frees + g_calls.handed);
        EXPECT_EQ(c.clipboardAfter, ClipboardText<char>(host.mainWindow, CF_TEXT));
        EXPECT_EQ(Widened(c.clipboardAfter), ClipboardText<wchar_t>(host.mainWindow, CF_UNICODETEXT));
        ASSERT_EQ(1u, host.Projections().size());
        EXPECT_EQ(Cell(2, 4), ::GetFocus());

        ResetCounts(0, 0);
        PressInside(Cell(2, 4), 'C', true, true); // and the next copy works
        ExpectClipboardHoldsTheShownTable();
    }
}

// "Новая Земля" of game "Альфа", building the ship design "Линкор": Windows-1251, as the host sends them.
// The name ends in every byte of the code page's upper half, so that the titles hold the table of the
// code page the tool and the demo host use (framework/Cp1251) against the system's.
const std::string kCyrillicName = [] {
    std::string name = "\xCD\xEE\xE2\xE0\xFF \xC7\xE5\xEC\xEB\xFF ";
    for (int byte = 0x80; byte < 0x100; ++byte)
        name += static_cast<char>(byte);
    return name;
}();
constexpr const char* kCyrillicGame = "\xC0\xEB\xFC\xF4\xE0";
constexpr const char* kCyrillicDesign = "\xCB\xE8\xED\xEA\xEE\xF0";

std::string TemporaryPath() {
    char folder[MAX_PATH], path[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    ::GetTempFileNameA(folder, "ztt", 0, path);
    return path;
}

// What zentharo.exe, beside this program, prints for the arguments (stdout and stderr, as bytes).
std::string ToolOutput(const std::string& arguments) {
    char program[MAX_PATH];
    std::string commandLine(program, ::GetModuleFileNameA(nullptr, program, MAX_PATH));
    commandLine = "\"" + commandLine.substr(0, commandLine.find_last_of("\\/") + 1) + "zentharo.exe\" " + arguments;
    const std::string outputPath = TemporaryPath();
    SECURITY_ATTRIBUTES inherited{sizeof inherited, nullptr, TRUE};
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    startup.dwFlags = STARTF_USESTDHANDLES;
    PROCESS_INFORMATION process{};
    {
        const UniqueHandle<HANDLE, FileDeleter> file(
            ::CreateFileA(outputPath.c_str(), GENERIC_WRITE, FILE_SHARE_READ, &inherited, CREATE_ALWAYS, 0, nullptr));
        startup.hStdOutput = startup.hStdError = file.Get();
        if (::CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup,
                             &process)) {
            ::WaitForSingleObject(process.hProcess, 60000);
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
        }
    }
    std::ifstream file(outputPath, std::ios::binary);
    const std::string output{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    file.close();
    ::DeleteFileA(outputPath.c_str());
    return output;
}

std::wstring TitleShown(HWND window) {
    wchar_t title[256] = {};
    return std::wstring(title, ::GetWindowTextW(window, title, 256));
}

// A player's planet with a Cyrillic name, on a system whose code page is the host's (the test runs
// with WINE_LOCALE=ru_RU.UTF-8): the titles show the names, and zentharo.exe --tsv of the same record
// and edits is byte for byte what Copy table puts on the clipboard.
TEST(CopyTableOfACyrillicPlanet, EqualsTheToolsTsvAndTheTitlesShowTheNames) {
    ASSERT_EQ(1251u, ::GetACP()) << "run with WINE_LOCALE=ru_RU.UTF-8, as ctest does";
    ::RegDeleteKeyA(HKEY_CURRENT_USER, ModuleContract::kPlacementKey);
    TestHost host;
    host.LoadAndInitialize();
    const CMapStringToString planet =
        Planet(kCyrillicGame, "3", kCyrillicName.c_str(), {{"Production", kCyrillicDesign}});
    host.Select(planet);
    host.Command(kCyrillicGame);
    ASSERT_EQ(1u, host.Projections().size());
    const HWND frame = host.Projections().front().frame, view = ::GetWindow(frame, GW_CHILD);
    const auto cell = [view](int column, int row) { return ::GetDlgItem(view, ModuleContract::CellId(column, row)); };
    for (const auto& [column, row, text] : {std::tuple{1, 3, "500"}, std::tuple{5, 0, "100000"}}) {
        RealInput::Focus(host.mainWindow, cell(column, row));
        host.Settle();
        ::SendMessageA(cell(column, row), EM_SETSEL, 0, -1);
        RealInput::TypeText(text);
        RealInput::PressKey(VK_TAB);
        host.Settle();
    }
    RealInput::Focus(host.mainWindow, cell(2, 9));
    host.Settle();
    PutClipboardText(host.mainWindow, "before");
    RealInput::PressKey('C', true, true);
    host.Settle();
    const std::string copied = ClipboardText<char>(host.mainWindow, CF_TEXT);

    const std::string recordPath = TemporaryPath();
    {
        std::ofstream record(recordPath, std::ios::binary);
        for (const auto& [key, value] : planet)
            record << key.Bytes() << '=' << value.Bytes() << "\r\n";
    }
    EXPECT_EQ(copied, ToolOutput("\"" + recordPath + "\" --set Col:t43=500 --set Upgrade:t40=100000 --tsv"));
    EXPECT_EQ(Cp1251::ToWide(copied), ClipboardText<wchar_t>(host.mainWindow, CF_UNICODETEXT));

    const std::string title = "Zentharo  " + kCyrillicName + " (#3)   " + kCyrillicGame + ":40";
    const std::string table = ToolOutput("\"" + recordPath + "\"");
    EXPECT_EQ(title + "\r\n", table.substr(0, table.find('\n') + 1)); // the tool's table, in the host's code page
    ::DeleteFileA(recordPath.c_str());
    EXPECT_EQ(title, WindowText(frame));
    EXPECT_EQ(Cp1251::ToWide(title), TitleShown(frame));
    RealInput::PressKey('G', true, true);
    host.Settle();
    const HWND chart = ProjectionWindows::ChartOf(frame);
    ASSERT_TRUE(chart) << "no chart opened";
    EXPECT_EQ(L"Chart " + Cp1251::ToWide(title), TitleShown(chart));
}

} // namespace
