// Projection windows open where the last one was closed; the registry is set up and read back with
// the registry API itself.
#include "TestHost.h"
#include "host/driving/ProjectionDriver.h"

#include <gtest/gtest.h>

#include <functional>
#include <optional>

namespace {

constexpr const char* kKey = ModuleContract::kPlacementKey;
constexpr const auto& kNames = ModuleContract::kPlacementValues;

struct StoredValue {
    DWORD type;
    std::string data;
};

void DeleteKey() { ::RegDeleteKeyA(HKEY_CURRENT_USER, kKey); }

bool KeyExists() {
    HKEY key;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, kKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    ::RegCloseKey(key);
    return true;
}

std::optional<StoredValue> Stored(const char* name) {
    char data[256];
    DWORD type = 0, size = sizeof data;
    if (::RegGetValueA(HKEY_CURRENT_USER, kKey, name, RRF_RT_ANY, &type, data, &size) != ERROR_SUCCESS)
        return std::nullopt;
    return StoredValue{type, std::string(data, size)};
}

std::optional<LONG> StoredDword(const char* name) {
    const auto value = Stored(name);
    if (!value || value->type != REG_DWORD || value->data.size() != 4)
        return std::nullopt;
    LONG number;
    memcpy(&number, value->data.data(), 4);
    return number;
}

// Stores a value under the placement key as another program would leave it.
void StoreValue(const char* name, DWORD type, const void* data, DWORD size) {
    HKEY key = nullptr;
    ASSERT_EQ(ERROR_SUCCESS,
              ::RegCreateKeyExA(HKEY_CURRENT_USER, kKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key, nullptr));
    EXPECT_EQ(ERROR_SUCCESS, ::RegSetValueExA(key, name, 0, type, static_cast<const BYTE*>(data), size));
    ::RegCloseKey(key);
}

void Store(const char* name, LONG value) { StoreValue(name, REG_DWORD, &value, sizeof value); }

void StoreText(const char* name, const char* text) {
    StoreValue(name, REG_SZ, text, static_cast<DWORD>(strlen(text) + 1));
}

void StorePlacement(LONG x, LONG y, LONG cx, LONG cy) {
    Store("x", x);
    Store("y", y);
    Store("cx", cx);
    Store("cy", cy);
}

RECT Rect(LONG x, LONG y, LONG cx, LONG cy) { return {x, y, x + cx, y + cy}; }

void ExpectRect(const RECT& expected, const RECT& actual) {
    EXPECT_EQ(expected.left, actual.left);
    EXPECT_EQ(expected.top, actual.top);
    EXPECT_EQ(expected.right, actual.right);
    EXPECT_EQ(expected.bottom, actual.bottom);
}

void ExpectStored(const RECT& rect) {
    EXPECT_EQ(rect.left, StoredDword("x"));
    EXPECT_EQ(rect.top, StoredDword("y"));
    EXPECT_EQ(rect.right - rect.left, StoredDword("cx"));
    EXPECT_EQ(rect.bottom - rect.top, StoredDword("cy"));
}

class PlacementTest : public ::testing::Test {
protected:
    void SetUp() override {
        DeleteKey();
        host.LoadAndInitialize();
    }
    void TearDown() override { DeleteKey(); }

    ProjectionWindow Open(const char* num) {
        host.Select(Planet("Alpha", num));
        host.Command("Alpha");
        for (const ProjectionWindow& window : host.Projections())
            if (const auto parts = ModuleContract::ParseTitle(window.title); parts && parts->num == num)
                return window;
        ADD_FAILURE() << "no window for " << num;
        return {};
    }
    void Close(const ProjectionWindow& window) {
        ::SendMessageA(::GetDlgItem(::GetWindow(window.frame, GW_CHILD), ModuleContract::kCloseCommandId), BM_CLICK, 0,
                       0);
        host.Pump();
    }

    TestHost host;
};

TEST_F(PlacementTest, FirstUseCreatesTheKeyAndClosingWritesAllFour) {
    ASSERT_FALSE(KeyExists());
    const ProjectionWindow window = Open("1");
    EXPECT_TRUE(KeyExists());
    for (const char* name : kNames)
        EXPECT_FALSE(Stored(name)) << name;
    EXPECT_GT(window.rect.right - window.rect.left, 100); // the default size: a usable window
    EXPECT_GT(window.rect.bottom - window.rect.top, 100);
    Close(window);
    ExpectStored(window.rect);
}

TEST_F(PlacementTest, TheNextWindowOpensExactlyThereWhileTheRegistryHoldsZeros) {
    StorePlacement(40, 30, 700, 450);
    const ProjectionWindow window = Open("1");
    ExpectRect(Rect(40, 30, 700, 450), window.rect);
    for (const char* name : kNames)
        EXPECT_EQ(0, StoredDword(name)) << name;

    // A second window meanwhile takes the zeros: position (0, 0) and, instead of an invisible
    // window, the default size.
    const ProjectionWindow second = Open("2");
    EXPECT_EQ(0, second.rect.left);
    EXPECT_EQ(0, second.rect.top);
    EXPECT_GT(second.rect.right, 100);
    EXPECT_GT(second.rect.bottom, 100);

    Close(second);
    Close(window); // the last closed wins
    ExpectStored(window.rect);
    const ProjectionWindow reopened = Open("3");
    ExpectRect(window.rect, reopened.rect);
}

TEST_F(PlacementTest, TakesWhatCanBeReadAndLeavesTheRest) {
    Store("x", -10);
    Store("y", -10);
    StoreText("cx", "123456789"); // longer than four bytes: cannot be read
    Store("cy", 333);
    const ProjectionWindow window = Open("1");
    EXPECT_EQ(-10, window.rect.left); // negative positions come back exactly
    EXPECT_EQ(-10, window.rect.top);
    EXPECT_EQ(333, window.rect.bottom - window.rect.top);
    EXPECT_GT(window.rect.right - window.rect.left, 100); // the default width
    EXPECT_EQ(0, StoredDword("x"));
    EXPECT_EQ(0, StoredDword("cy"));
    const auto text = Stored("cx");
    ASSERT_TRUE(text);
    EXPECT_EQ(static_cast<DWORD>(REG_SZ), text->type);
    EXPECT_EQ(std::string("123456789", 10), text->data);
    Close(window);
    ExpectStored(window.rect);
    EXPECT_EQ(-10, StoredDword("x"));
}

TEST_F(PlacementTest, OnlyAPositionStoredKeepsTheDefaultSize) {
    Store("x", 120);
    Store("y", 80);
    const ProjectionWindow window = Open("1");
    EXPECT_EQ(120, window.rect.left);
    EXPECT_EQ(80, window.rect.top);
    EXPECT_GT(window.rect.right - window.rect.left, 100);
    EXPECT_EQ(0, StoredDword("x"));
    EXPECT_EQ(0, StoredDword("y"));
    EXPECT_FALSE(Stored("cx"));
    EXPECT_FALSE(Stored("cy"));
}

TEST_F(PlacementTest, AMinimisedFrameStoresTheRectangleItHas) {
    const ProjectionWindow window = Open("1");
    ::ShowWindow(window.frame, SW_MINIMIZE);
    host.Pump();
    const ProjectionWindow minimised = host.Projections().at(0);
    Close(minimised);
    ExpectStored(minimised.rect);
    const ProjectionWindow next = Open("2");
    EXPECT_FALSE(::IsIconic(next.frame));
    EXPECT_EQ(minimised.rect.left, next.rect.left);
    EXPECT_EQ(minimised.rect.top, next.rect.top);
    EXPECT_EQ(minimised.rect.right, next.rect.right);
    // A minimised frame is lower than a normal window may be: the platform adds what it lacks.
    EXPECT_GE(next.rect.bottom, minimised.rect.bottom);
    EXPECT_LE(next.rect.bottom - minimised.rect.bottom, ::GetSystemMetrics(SM_CYMINTRACK));
}

// A menu bar for the host's main window: a maximised child's system menu and buttons go there.
void GiveTheHostAMenuBar(TestHost& host) {
    const HMENU bar = ::CreateMenu();
    ::AppendMenuA(bar, MF_POPUP, reinterpret_cast<UINT_PTR>(::CreatePopupMenu()), "&Window");
    ::SetMenu(host.mainWindow, bar);
}

// Every way a projection closes saves the rectangle the user left it with, normal or maximised, also
// where the MDI client restores a maximised window on its way out (another child is there).
TEST(ClosingAProjection, EveryWaySavesTheRectangleAsTheUserLeftIt) {
    // The ways a user closes it, through real input; then the ways the host does.
    const auto byUser = [](const char* way) {
        return [way](TestHost& host, HWND frame) {
            std::string error;
            const ProjectionDriver driver(host.mainWindow, host.mdiClient, [&host] { host.Settle(); });
            EXPECT_TRUE(driver.Close(frame, way, error)) << error;
        };
    };
    const struct {
        const char* name;
        std::function<void(TestHost&, HWND frame)> close;
    } closes[] = {
        {"Escape", byUser("Escape")},
        {"the Close button", byUser("Button")},
        {"the close box", byUser("CloseBox")},
        {"Ctrl+F4", byUser("Ctrl+F4")},
        {"the system menu's Close", byUser("SystemMenu")},
        {"its game closed", [](TestHost& host, HWND) { host.GamesList({"Beta"}); }},
        {"the module unloaded",
         [](TestHost& host, HWND) {
             host.plugin.Unload();
             host.Settle();
         }},
    };
    for (const auto& close : closes)
        for (bool maximised : {false, true}) {
            SCOPED_TRACE(std::string(close.name) + (maximised ? ", maximised" : ", normal"));
            DeleteKey();
            TestHost host;
            host.LoadAndInitialize();
            GiveTheHostAMenuBar(host);
            host.OpenGameWindow();
            StorePlacement(30, 20, 1100, 650);
            host.Select(Planet("Alpha", "1"));
            host.Command("Alpha");
            ASSERT_EQ(1u, host.Projections().size());
            const HWND frame = host.Projections()[0].frame;
            if (maximised) {
                std::string error;
                const ProjectionDriver driver(host.mainWindow, host.mdiClient, [&host] { host.Settle(); });
                ASSERT_TRUE(driver.Maximize(frame, error)) << error;
            }
            host.Settle();
            const RECT left = host.Projections()[0].rect;

            close.close(host, frame);
            ASSERT_FALSE(::IsWindow(frame)) << "the window did not close";
            ASSERT_TRUE(::IsWindow(host.mainWindow)) << "the host closed instead";
            // A maximised frame's caption lies above the client: it is saved brought down to the
            // client's top edge, where the next window's title bar can be reached.
            ExpectStored({left.left, maximised ? 0 : left.top, left.right, left.bottom - (maximised ? left.top : 0)});
            if (!maximised)
                ExpectRect(Rect(30, 20, 1100, 650), left);
        }
    DeleteKey();
}

TEST_F(PlacementTest, DiscardedWindowsSaveTooTheLastOneWinning) {
    StorePlacement(10, 10, 600, 400);
    const ProjectionWindow first = Open("1");
    StorePlacement(200, 150, 500, 300);
    const ProjectionWindow second = Open("2");
    host.GamesList({"Beta"});
    EXPECT_TRUE(host.Projections().empty());
    const LONG x = StoredDword("x").value_or(-1);
    EXPECT_TRUE(x == first.rect.left || x == second.rect.left);
    const RECT& last = x == first.rect.left ? first.rect : second.rect;
    ExpectStored(last);
}

TEST_F(PlacementTest, ShuttingTheHostDownSavesTheWindowsInTurn) {
    StorePlacement(30, 20, 640, 420);
    const ProjectionWindow window = Open("1");
    ::DestroyWindow(host.mainWindow);
    host.Pump();
    ExpectStored(window.rect);
}

} // namespace
