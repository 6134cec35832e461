// Planet records as text: one Key=Value pair a line, split at the first '='.
#pragma once

#include "framework/CMapStringToString.h"

#include <functional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace PlanetRecordText {

struct ParseError : std::runtime_error {
    ParseError(int line, const std::string& what) : std::runtime_error(what), line(line) {}
    int line;
};

// Values are kept as bytes, a trailing CR removed; empty lines are skipped. A line without '=' or with
// an empty key throws ParseError naming the line.
CMapStringToString Parse(std::string_view text);

// The same, telling keySeen the line number and key of every Key=Value line, in file order.
CMapStringToString Parse(std::string_view text, const std::function<void(int line, std::string_view key)>& keySeen);

} // namespace PlanetRecordText
