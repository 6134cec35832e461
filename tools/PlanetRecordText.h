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

// The text of a record file as UTF-8: a leading byte order mark dropped, then each line kept as it is
// when it is well-formed UTF-8 and read as Windows-1251 otherwise (the code page of the game's files),
// so that a record saved in either encoding, or pieced together from both, keeps its names.
std::string ToUtf8(std::string_view fileText);

// Values are kept as bytes, a trailing CR removed; empty lines are skipped. A line without '=' or with
// an empty key throws ParseError naming the line.
CMapStringToString Parse(std::string_view text);

// The same, telling keySeen the line number and key of every Key=Value line, in file order.
CMapStringToString Parse(std::string_view text, const std::function<void(int line, std::string_view key)>& keySeen);

} // namespace PlanetRecordText
