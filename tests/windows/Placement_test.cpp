// Projection windows open where the last one was closed; the registry is set up and read back with
// the registry API itself.
#include "TestHost.h"

#include <gtest/gtest.h>

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
    static RECT Rect(LONG x, LONG y, LONG cx, LONG cy) { return {x, y, x + cx, y + cy}; }
    static void ExpectRect(const RECT& expected, const RECT& actual) {
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
    Store("x", -50);
    Store("y", -20);
    StoreText("cx", "123456789"); // longer than four bytes: cannot be read
    Store("cy", 333);
    const ProjectionWindow window = Open("1");
    EXPECT_EQ(-50, window.rect.left); // negative positions come back exactly
    EXPECT_EQ(-20, window.rect.top);
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
    EXPECT_EQ(-50, StoredDword("x"));
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

TEST_F(PlacementTest, MaximisedAndMinimisedFramesStoreTheRectangleTheyHave) {
    for (const UINT message : {static_cast<UINT>(WM_MDIMAXIMIZE), static_cast<UINT>(0)}) {
        SCOPED_TRACE(message ? "maximised" : "minimised");
        const ProjectionWindow window = Open("1");
        if (message)
            ::SendMessageA(host.mdiClient, WM_MDIMAXIMIZE, reinterpret_cast<WPARAM>(window.frame), 0);
        else
            ::ShowWindow(window.frame, SW_MINIMIZE);
        host.Pump();
        const ProjectionWindow changed = host.Projections().at(0);
        Close(changed);
        ExpectStored(changed.rect);
        const ProjectionWindow next = Open("2");
        EXPECT_FALSE(::IsZoomed(next.frame));
        EXPECT_FALSE(::IsIconic(next.frame));
        EXPECT_EQ(changed.rect.left, next.rect.left);
        EXPECT_EQ(changed.rect.top, next.rect.top);
        EXPECT_EQ(changed.rect.right, next.rect.right);
        // A minimised frame is lower than a normal window may be: the platform adds what it lacks.
        EXPECT_GE(next.rect.bottom, changed.rect.bottom);
        EXPECT_LE(next.rect.bottom - changed.rect.bottom, ::GetSystemMetrics(SM_CYMINTRACK));
        Close(next);
    }
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
