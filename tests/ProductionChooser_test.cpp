// Which chooser entry a production text selects.
#include "model/ProductionChooser.h"

#include <gtest/gtest.h>

namespace {

TEST(ProductionChooser, SelectsTheFirstEntryBeginningWithTheText) {
    const struct {
        const char* production;
        const char* shown;
    } cases[] = {
        {"Capital", "Capital"},
        {"cap", "Capital"},
        {"CAPITAL", "Capital"},
        {"S", "Ship"},
        {"MAT", "Materials"},
        {"_", "_TerraForming"},
        {"_terraforming", "_TerraForming"},
        {"t", "Ship"},
        {"Cruiser Mk2", "Ship"},
        {"Capitalism", "Ship"},
        {"Ship ", "Ship"},
        {"", "Ship"},
        {"\xD1\xF2", "Ship"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.production);
        EXPECT_STREQ(c.shown, ProductionChooser::SelectedEntry(c.production));
    }
}

} // namespace
