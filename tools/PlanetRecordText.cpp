// Parsing Key=Value records.
#include "PlanetRecordText.h"

namespace PlanetRecordText {

CMapStringToString Parse(std::string_view text) {
    return Parse(text, [](int, std::string_view) {});
}

CMapStringToString Parse(std::string_view text, const std::function<void(int line, std::string_view key)>& keySeen) {
    CMapStringToString record;
    int lineNumber = 0;
    while (!text.empty()) {
        const std::size_t newline = text.find('\n');
        std::string_view line = text.substr(0, newline);
        text.remove_prefix(newline == std::string_view::npos ? text.size() : newline + 1);
        ++lineNumber;
        if (!line.empty() && line.back() == '\r')
            line.remove_suffix(1);
        if (line.empty())
            continue;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos)
            throw ParseError(lineNumber, "expected Key=Value, found no '='");
        if (equals == 0)
            throw ParseError(lineNumber, "the key before '=' is empty");
        keySeen(lineNumber, line.substr(0, equals));
        record.SetAt(CString(line.substr(0, equals)), CString(line.substr(equals + 1)));
    }
    return record;
}

} // namespace PlanetRecordText
