// Case-insensitive prefix search over the chooser's sorted entries.
#include "ProductionChooser.h"

namespace ProductionChooser {
namespace {

char FoldCase(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

bool BeginsWith(std::string_view entry, std::string_view prefix) {
    if (prefix.size() > entry.size())
        return false;
    for (std::size_t i = 0; i < prefix.size(); ++i)
        if (FoldCase(entry[i]) != FoldCase(prefix[i]))
            return false;
    return true;
}

} // namespace

int SelectedPosition(std::string_view production) {
    if (production.empty())
        return kShipPosition;
    for (std::size_t position = 0; position < kEntries.size(); ++position)
        if (BeginsWith(kEntries[position], production))
            return static_cast<int>(position);
    return kShipPosition;
}

} // namespace ProductionChooser
