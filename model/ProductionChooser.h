// The production chooser's list and which entry it shows for a production text. The window and the
// command-line tool both show the production through this rule.
#pragma once

#include <array>
#include <string_view>

namespace ProductionChooser {

// In the order they are added to the sorted list.
constexpr std::array<const char*, 4> kEntriesAdded = {"Capital", "Materials", "Ship", "_TerraForming"};
// As the sorted list shows them: the underscore sorts before letters.
constexpr std::array<const char*, 4> kEntries = {"_TerraForming", "Capital", "Materials", "Ship"};
constexpr int kShipPosition = 3;

// Position of the first entry, from the top, that begins with the text (ignoring letter case);
// "Ship" when none does. An empty text selects "Ship" too: it builds as Ship, and a chooser showing
// anything else would have a copied table, pasted back, change what the planet builds.
int SelectedPosition(std::string_view production);

inline const char* SelectedEntry(std::string_view production) { return kEntries[SelectedPosition(production)]; }

} // namespace ProductionChooser
