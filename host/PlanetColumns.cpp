// The planet list's columns and their orders.
#include "PlanetColumns.h"

#include "framework/NumberText.h"

#include <algorithm>
#include <cassert>

namespace {

constexpr PlanetColumn kColumns[PlanetColumns::kCount] = {
    {"Name", "Name", false, 150},
    {"Num", "Num", true, 50},
    {"Size", "Size", true, 70},
    {"Resources", "Resource", true, 75},
    {"Population", "Population", true, 85},
    {"Industry", "Industry", true, 75},
    {"COL", "COL", true, 60},
    {"CAP", "CAP", true, 60},
    {"MAT", "MAT", true, 60},
    {"Production", "Production", false, 120},
};

CString ValueOf(const CMapStringToString& planet, const char* key) {
    CString value;
    planet.Lookup(key, value);
    return value;
}

char FoldAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

int CompareText(std::string_view a, std::string_view b) {
    const auto [endA, endB] = std::mismatch(a.begin(), a.end(), b.begin(), b.end(),
                                            [](char x, char y) { return FoldAscii(x) == FoldAscii(y); });
    if (endA == a.end() || endB == b.end())
        return (endA == a.end() ? 0 : 1) - (endB == b.end() ? 0 : 1);
    return static_cast<unsigned char>(FoldAscii(*endA)) < static_cast<unsigned char>(FoldAscii(*endB)) ? -1 : 1;
}

int CompareNumbers(std::string_view a, std::string_view b) {
    const double x = NumberText::Read(a);
    const double y = NumberText::Read(b);
    return x < y ? -1 : (y < x ? 1 : 0);
}

} // namespace

const PlanetColumn& PlanetColumns::At(std::size_t column) {
    assert(column < kCount);
    return kColumns[column];
}

int PlanetColumns::Compare(const CMapStringToString& a, const CMapStringToString& b, std::size_t column) {
    const PlanetColumn& shown = At(column);
    const CString x = ValueOf(a, shown.key);
    const CString y = ValueOf(b, shown.key);
    if (x.IsEmpty() || y.IsEmpty())
        return (x.IsEmpty() ? 0 : 1) - (y.IsEmpty() ? 0 : 1);
    return shown.numeric ? CompareNumbers(x.View(), y.View()) : CompareText(x.View(), y.View());
}
