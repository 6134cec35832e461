// The grid's layout: which column lies under a point, and every header of the form's template found
// over the column it names, whatever the order of the template's lines.
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
