// The grid's layout: the controls' places at every screen scale, which column lies under a point, and
// every header of the form's template found over the column it names, whatever the order of the
// template's lines.
#include "window/GridLayout.h"

#include <gtest/gtest.h>

#include <fstream>
#include <regex>
#include <string>
#include <vector>

namespace {

constexpr int kColumns = 17;

TEST(GridLayout, ColumnUnderAPixel) {
    const struct {
        double x;
        int column;
    } cases[] = {
        {0, 0},
        {14.9, 0},
        {15, 0},
        {62.9, 0},
        {63, 1},
        {62 + 48 * 15, 15},
        {15 + 48 * 16, 16},
        {830.9, 16},
        {831, GridLayout::kChoosers},
        {5000, GridLayout::kChoosers},
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.column, GridLayout::ColumnUnder(c.x, kColumns)) << "x = " << c.x;
    // Fewer columns than there is room for: the last one takes the rest.
    EXPECT_EQ(2, GridLayout::ColumnUnder(800, 3));
}

using GridLayout::Box;

TEST(ScreenScale, TakesALengthToTheNearestPixelTiesAwayFromZero) {
    const struct {
        int dpi, standard, pixels;
    } cases[] = {
        {96, 47, 47},   {120, 5, 6},   // 6.25
        {144, 5, 8},    {144, -5, -8}, // 7.5 either way
        {120, 6, 8},    {120, -6, -8}, // 7.5
        {192, 85, 170}, {72, 15, 11},  // 11.25
        {0, 15, 15},    {-1, 15, 15},  // a screen that does not say is a standard one
    };
    for (const auto& c : cases)
        EXPECT_EQ(c.pixels, ScreenScale(c.dpi).Pixels(c.standard)) << c.standard << " at " << c.dpi;
}

// The standard screen keeps the window's places pixel for pixel.
TEST(GridLayout, StandardScreenPlacesEverythingAsEver) {
    const ScreenScale standard;
    const struct {
        const char* what;
        Box box, expected;
    } cases[] = {
        {"first cell", GridLayout::Cell(standard, 0, 0), {15, 30, 62, 50}},
        {"last cell", GridLayout::Cell(standard, 16, 19), {783, 429, 830, 449}},
        {"first chooser", GridLayout::Chooser(standard, 0), {831, 30, 916, 130}},
        {"last chooser", GridLayout::Chooser(standard, 19), {831, 429, 916, 529}},
        {"Close", GridLayout::Close(standard), {938, 39, 1013, 62}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(c.expected.left, c.box.left);
        EXPECT_EQ(c.expected.top, c.box.top);
        EXPECT_EQ(c.expected.right, c.box.right);
        EXPECT_EQ(c.expected.bottom, c.box.bottom);
    }
    EXPECT_EQ(1020, GridLayout::Form(standard).cx);
    EXPECT_EQ(510, GridLayout::Form(standard).cy);
    EXPECT_EQ(26, GridLayout::HeaderBottom(standard));
}

// At any scale the cells are all alike and one pixel apart, the choosers follow the last column, the
// Close button stands right of them near the top, and the form covers all of it.
TEST(GridLayout, EveryScaleKeepsTheGridWholeAndTheFormAroundIt) {
    for (int dpi : {72, 96, 110, 120, 144, 168, 192, 240, 288, 480}) {
        SCOPED_TRACE("dpi " + std::to_string(dpi));
        const ScreenScale scale(dpi);
        const double factor = dpi / 96.0;
        // The steps scale; the pixel between two cells stays one pixel.
        const Box first = GridLayout::Cell(scale, 0, 0);
        EXPECT_NEAR(48 * factor, first.Width() + 1, 0.5);
        EXPECT_NEAR(21 * factor, first.Height() + 1, 0.5);
        for (int column = 0; column < kColumns; ++column) {
            for (int row = 0; row < 20; ++row) {
                const Box cell = GridLayout::Cell(scale, column, row);
                ASSERT_EQ(first.Width(), cell.Width());
                ASSERT_EQ(first.Height(), cell.Height());
                if (column + 1 < kColumns) {
                    ASSERT_EQ(cell.right + 1, GridLayout::Cell(scale, column + 1, row).left);
                }
                if (row + 1 < 20) {
                    ASSERT_EQ(cell.bottom + 1, GridLayout::Cell(scale, column, row + 1).top);
                }
            }
        }
        const Box lastCell = GridLayout::Cell(scale, kColumns - 1, 19);
        const Box chooser = GridLayout::Chooser(scale, 19);
        EXPECT_EQ(lastCell.right + 1, chooser.left);
        EXPECT_EQ(lastCell.top, chooser.top);
        EXPECT_NEAR(85 * factor, chooser.Width(), 0.5);
        EXPECT_NEAR(100 * factor, chooser.Height(), 0.5);

        const Box close = GridLayout::Close(scale);
        EXPECT_GT(close.left, chooser.right);
        EXPECT_LT(close.top, GridLayout::Cell(scale, 0, 2).top);
        EXPECT_LE(GridLayout::HeaderBottom(scale), first.top - 2);
        const GridLayout::Extent form = GridLayout::Form(scale);
        EXPECT_GE(form.cx, close.right);
        EXPECT_GE(form.cy, lastCell.bottom);
        EXPECT_NEAR(1020 * factor, form.cx, 10.0);
    }
}

struct TemplateHeader {
    std::string text;
    int x, width;
};

// The static texts of the projection form, as its template lists them.
std::vector<TemplateHeader> FormHeaders() {
    std::ifstream rc(ZENTHARO_SOURCE_DIR "/resources/Zentharo.rc");
    const std::regex header(R"re(^\s*[LCR]TEXT\s+"([^"]*)"\s*,\s*IDC_HEADER\s*,\s*(\d+)\s*,\s*\d+\s*,\s*(\d+)\s*,)re");
    std::vector<TemplateHeader> headers;
    for (std::string line; std::getline(rc, line);) {
        std::smatch match;
        if (std::regex_search(line, match, header))
            headers.push_back({match[1], std::stoi(match[2]), std::stoi(match[3])});
    }
    return headers;
}

TEST(GridLayout, EveryHeaderOfTheFormStandsOverTheColumnItNames) {
    const char* const byColumn[kColumns] = {"Turn", "Col", "Cap",      "Mat",      "Bombing", "Upgrade",
                                            "Pop",  "Ind", "Col",      "Cap",      "Size",    "Res",
                                            "Mat",  "L",   "Need Col", "Need Cap", "Mass"};
    const std::vector<TemplateHeader> headers = FormHeaders();
    ASSERT_EQ(18u, headers.size());
    std::vector<int> found(kColumns, 0);
    int choosers = 0;
    for (const TemplateHeader& header : headers) {
        SCOPED_TRACE(header.text);
        const int column = GridLayout::ColumnUnderUnits(header.x + header.width / 2.0, kColumns);
        if (column == GridLayout::kChoosers) {
            EXPECT_EQ("Production", header.text);
            ++choosers;
            continue;
        }
        EXPECT_EQ(byColumn[column], header.text) << "over column " << column;
        ++found[column];
    }
    EXPECT_EQ(1, choosers);
    for (int column = 0; column < kColumns; ++column)
        EXPECT_EQ(1, found[column]) << "headers over column " << column;
}

} // namespace
