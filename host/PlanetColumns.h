// The columns of a game's planet list and the order each one sorts planets in.
#pragma once

#include "framework/CMapStringToString.h"

#include <cstddef>

struct PlanetColumn {
    const char* title;
    const char* key; // the record's key shown in the column
    bool numeric;    // sorts and aligns as a number
    int width;       // in pixels at the default font
};

class PlanetColumns {
public:
    static constexpr std::size_t kCount = 10;
    static const PlanetColumn& At(std::size_t column);

    // Orders two planets by one column: numbers by value, text by letters regardless of ASCII case.
    // A missing or empty value comes first. Returns <0, 0 or >0.
    static int Compare(const CMapStringToString& a, const CMapStringToString& b, std::size_t column);
};
