// The planet list's columns: each shows a planet key, and sorts as its kind of value should.
#include "host/GameFile.h"
#include "host/PlanetColumns.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <iterator>

namespace {

CMapStringToString Planet(const char* key, const char* value) {
    CMapStringToString planet;
    if (value)
        planet.SetAt(key, value);
    return planet;
}

std::size_t ColumnOf(std::string_view key) {
    for (std::size_t column = 0; column < PlanetColumns::kCount; ++column)
        if (key == PlanetColumns::At(column).key)
            return column;
    ADD_FAILURE() << "no column shows " << key;
    return 0;
}

TEST(PlanetColumns, EachShowsAKeyOfThePlanetRecord) {
    for (std::size_t column = 0; column < PlanetColumns::kCount; ++column) {
        const char* key = PlanetColumns::At(column).key;
        SCOPED_TRACE(key);
        EXPECT_NE(std::end(GameFile::kPlanetKeys),
                  std::find_if(std::begin(GameFile::kPlanetKeys), std::end(GameFile::kPlanetKeys),
                               [key](const char* known) { return std::string_view(key) == known; }));
    }
}

TEST(PlanetColumns, OrderPlanetsByTheColumnsKindOfValue) {
    const struct {
        const char* key;
        const char *a, *b;
        int sign; // of Compare(a, b)
    } cases[] = {
        {"Num", "9", "17", -1}, // by value, not by letters
        {"Size", "1000.00", "999.5", 1},
        {"Resource", "0.10", "0.1", 0},
        {"Population", "-5", "0", -1},
        {"COL", "", "0.00", -1},      // empty first
        {"CAP", nullptr, "0.00", -1}, // missing first
        {"MAT", nullptr, "", 0},
        {"Name", "kestrel", "Kestrel", 0}, // letters regardless of ASCII case
        {"Name", "Ardent", "dusk", -1},
        {"Name", "Terra", "Terra Nova", -1},          // a prefix first
        {"Name", "Zeta", "\xcd\xee\xe2\xfb\xe9", -1}, // Windows-1251 letters after ASCII
        {"Production", "_TerraForming", "Capital", -1},
        {"Production", "Ship", nullptr, 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.key) + ": " + (c.a ? c.a : "(missing)") + " vs " + (c.b ? c.b : "(missing)"));
        const std::size_t column = ColumnOf(c.key);
        const int order = PlanetColumns::Compare(Planet(c.key, c.a), Planet(c.key, c.b), column);
        const int reverse = PlanetColumns::Compare(Planet(c.key, c.b), Planet(c.key, c.a), column);
        EXPECT_EQ(c.sign, (order > 0) - (order < 0));
        EXPECT_EQ(-c.sign, (reverse > 0) - (reverse < 0));
    }
}

} // namespace
