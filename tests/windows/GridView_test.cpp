// The projection grid as a user meets it: what it shows, what typing and choosing store, the keyboard.
#include "TestHost.h"

#include <gtest/gtest.h>

#include <cstdlib>

namespace {

constexpr int kRows = 20;

// A host with one projection open and helpers to reach its controls.
class GridTest : public ::testing::Test {
protected:
    void Open(const CMapStringToString& planet) {
        host.LoadAndInitialize();
        host.Select(planet);
        host.Command(planet.Lookup("GameName", scratch) ? scratch.c_str() : "");
        ASSERT_FALSE(host.Projections().empty());
        frame = host.Projections().back().frame;
        view = ::GetWindow(frame, GW_CHILD);
    }
    HWND Cell(int column, int row) const { return ::GetDlgItem(view, 5012 + 20 * column + row); }
    HWND Chooser(int row) const { return ::GetDlgItem(view, 10000 + row); }
    static std::string Text(HWND window) {
        char text[512] = {};
        ::GetWindowTextA(window, text, sizeof text);
        return text;
    }
    std::string Chosen(int row) const {
        const HWND chooser = Chooser(row);
        char text[64] = {};
        ::SendMessageA(chooser, CB_GETLBTEXT, ::SendMessageA(chooser, CB_GETCURSEL, 0, 0), reinterpret_cast<LPARAM>(text));
        return text;
    }

    TestHost host;
    HWND frame = nullptr;
    HWND view = nullptr;
    CString scratch;
};

TEST_F(GridTest, OpensWithTheTableFormatted) {
    Open(Planet("Alpha", "17", "Terra", {{"Size", "1000.00"}, {"Production", "cap"}}));
    const struct {
        int column, row;
        const char* shown;
    } cells[] = {
        {0, 0, "40"}, {0, 19, "59"},       // turns as stored
        {1, 0, ""},   {5, 7, ""},          // inputs of 0 show empty
        {6, 0, "800.00"}, {10, 0, "1000.00"}, {11, 0, "2.00"},
        {13, 0, "557.50"}, {14, 0, ""}, {16, 0, ""}, // row 0 has no Need Col or Mass
    };
    for (const auto& cell : cells) {
        SCOPED_TRACE(std::to_string(cell.column) + "," + std::to_string(cell.row));
        EXPECT_EQ(cell.shown, Text(Cell(cell.column, cell.row)));
    }
    for (int row = 0; row < kRows; ++row)
        EXPECT_EQ("Capital", Chosen(row)); // "cap" is a prefix of Capital
    EXPECT_EQ(4, ::SendMessageA(Chooser(0), CB_GETCOUNT, 0, 0));
}

TEST_F(GridTest, LaysOutCellsAndChoosersOnThePixelGrid) {
    Open(Planet("Alpha", "1"));
    for (int column : {0, 5, 16})
        for (int row : {0, 19}) {
            RECT rect;
            ::GetWindowRect(Cell(column, row), &rect);
            ::MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&rect), 2);
            EXPECT_EQ(15 + 48 * column, rect.left);
            EXPECT_EQ(30 + 21 * row, rect.top);
            EXPECT_EQ(47, rect.right - rect.left);
            EXPECT_EQ(20, rect.bottom - rect.top);
        }
    const LONG readOnly[] = {0, 6, 16};
    for (LONG column : readOnly)
        EXPECT_TRUE(::GetWindowLongA(Cell(column, 3), GWL_STYLE) & ES_READONLY);
    for (int column = 1; column <= 5; ++column)
        EXPECT_FALSE(::GetWindowLongA(Cell(column, 3), GWL_STYLE) & ES_READONLY);
    RECT chooser;
    ::GetWindowRect(Chooser(2), &chooser);
    ::MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&chooser), 2);
    EXPECT_EQ(831, chooser.left);
    EXPECT_EQ(72, chooser.top);
}

TEST_F(GridTest, HeadersStandAboveTheirColumns) {
    Open(Planet("Alpha", "1"));
    const struct {
        const char* header;
        int left, right; // the pixel column below it
    } expected[] = {{"Turn", 15, 62}, {"Bombing", 207, 254}, {"Upgrade", 255, 302}, {"Need Cap", 735, 782},
                    {"Mass", 783, 830}, {"Production", 831, 916}};
    for (const auto& e : expected) {
        SCOPED_TRACE(e.header);
        HWND header = nullptr;
        for (HWND child = ::GetWindow(view, GW_CHILD); child; child = ::GetWindow(child, GW_HWNDNEXT))
            if (Text(child) == e.header && ::GetDlgCtrlID(child) == 0xFFFF)
                header = child;
        ASSERT_NE(nullptr, header);
        RECT rect;
        ::GetWindowRect(header, &rect);
        ::MapWindowPoints(nullptr, view, reinterpret_cast<POINT*>(&rect), 2);
        const int center = (rect.left + rect.right) / 2;
        EXPECT_NEAR((e.left + e.right) / 2, center, 2);
        EXPECT_LE(rect.bottom, 29);
    }
}

TEST_F(GridTest, SavesAScreenshot) {
    Open(Planet("Alpha", "17", "Terra", {{"Production", "Materials"}}));
    host.Select(Planet("Beta", "4", "Luna", {{"Production", "_TerraForming"}, {"Size", "2450"}}));
    host.Command("Beta");
    const char* path = std::getenv("ZENTHARO_SCREENSHOT");
    EXPECT_TRUE(host.SaveScreenshot(path ? path : "grid.bmp"));
}

} // namespace
