// Parsing Key=Value records.
#include "PlanetRecordText.h"

#include "framework/Cp1251.h"
#include "framework/Utf8.h"

#include <algorithm>

namespace PlanetRecordText {

std::string ToUtf8(std::string_view fileText) {
    constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";
    if (fileText.substr(0, kByteOrderMark.size()) == kByteOrderMark)
        fileText.remove_prefix(kByteOrderMark.size());
    std::string utf8;
    utf8.reserve(fileText.size());
    while (!fileText.empty()) {
        // A line break is the same byte in both encodings, and no part of a longer UTF-8 sequence.
        const std::size_t end = std::min(fileText.find('\n'), fileText.size() - 1) + 1;
        const std::string_view line = fileText.substr(0, end);
        if (Utf8::IsValid(line))
            utf8.append(line);
        else
            utf8 += Cp1251::ToUtf8(line);
        fileText.remove_prefix(end);
    }
    return utf8;
}

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
