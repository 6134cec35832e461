// Number texts through std::from_chars / std::to_chars: exact, fast and locale-free.
#include "NumberText.h"

#include <cassert>
#include <charconv>
#include <cmath>
#include <limits>
#include <system_error>

namespace NumberText {
namespace {

bool IsBlank(char c) { return c == ' ' || (c >= '\t' && c <= '\r'); }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::size_t SkipBlanks(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size() && IsBlank(text[i]))
        ++i;
    return i;
}

std::size_t SkipDigits(std::string_view text, std::size_t i) {
    while (i < text.size() && IsDigit(text[i]))
        ++i;
    return i;
}

// Length of the unsigned decimal number at the start of text, 0 if there is none. Only the grammar
// of a decimal number is accepted, so "inf", "nan" and hexadecimal never reach the converter.
std::size_t DecimalNumberLength(std::string_view text) {
    const std::size_t integerEnd = SkipDigits(text, 0);
    std::size_t end = integerEnd;
    bool hasDigits = integerEnd > 0;
    if (end < text.size() && text[end] == '.') {
        const std::size_t fractionEnd = SkipDigits(text, end + 1);
        hasDigits = hasDigits || fractionEnd > end + 1;
        end = fractionEnd;
    }
    if (!hasDigits)
        return 0;
    if (end < text.size() && (text[end] == 'e' || text[end] == 'E')) {
        std::size_t exponent = end + 1;
        if (exponent < text.size() && (text[exponent] == '+' || text[exponent] == '-'))
            ++exponent;
        const std::size_t exponentEnd = SkipDigits(text, exponent);
        if (exponentEnd > exponent)
            end = exponentEnd;
    }
    return end;
}

// Splits an optional sign off the front; returns true for a minus.
bool TakeSign(std::string_view& text) {
    if (text.empty() || (text.front() != '+' && text.front() != '-'))
        return false;
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
}

} // namespace

double Read(std::string_view text) {
    text.remove_prefix(SkipBlanks(text));
    const bool negative = TakeSign(text);
    const std::size_t length = DecimalNumberLength(text);
    if (length == 0)
        return 0.0;
    double value = 0.0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + length, value, std::chars_format::general);
    if (error != std::errc() || end != text.data() + length)
        return 0.0;
    return negative ? -value : value;
}

std::int32_t ReadInteger(std::string_view text) {
    text.remove_prefix(SkipBlanks(text));
    const bool negative = TakeSign(text);
    constexpr std::int64_t kLimit = std::int64_t{std::numeric_limits<std::int32_t>::max()} + 1;
    std::int64_t magnitude = 0;
    for (std::size_t i = 0; i < text.size() && IsDigit(text[i]) && magnitude <= kLimit; ++i)
        magnitude = magnitude * 10 + (text[i] - '0');
    const std::int64_t value = negative ? -magnitude : magnitude;
    if (value > std::numeric_limits<std::int32_t>::max())
        return std::numeric_limits<std::int32_t>::max();
    if (value < std::numeric_limits<std::int32_t>::min())
        return std::numeric_limits<std::int32_t>::min();
    return static_cast<std::int32_t>(value);
}

char* WriteNumber(double value, char* buffer) {
    if (!std::isfinite(value)) {
        *buffer = '0';
        return buffer + 1;
    }
    const auto [end, error] = std::to_chars(buffer, buffer + kBufferSize, value, std::chars_format::general, 13);
    assert(error == std::errc());
    return end;
}

char* WriteInteger(std::int64_t value, char* buffer) {
    const auto [end, error] = std::to_chars(buffer, buffer + kBufferSize, value);
    assert(error == std::errc());
    return end;
}

CString NumberToText(double value) {
    char buffer[kBufferSize];
    return CString(buffer, static_cast<std::size_t>(WriteNumber(value, buffer) - buffer));
}

CString IntegerToText(std::int64_t value) {
    char buffer[kBufferSize];
    return CString(buffer, static_cast<std::size_t>(WriteInteger(value, buffer) - buffer));
}

CString FormatNumber(std::string_view text) {
    const double value = Read(text);
    if (!(std::fabs(value) >= 0.01))
        return CString();
    // The largest double has 309 integer digits; with sign, point and two decimals this always fits.
    constexpr int kFixedCapacity = std::numeric_limits<double>::max_exponent10 + 1 + 4 + 8;
    char buffer[kFixedCapacity];
    const auto [end, error] = std::to_chars(buffer, buffer + kFixedCapacity, value, std::chars_format::fixed, 2);
    assert(error == std::errc());
    return CString(buffer, static_cast<std::size_t>(end - buffer));
}

} // namespace NumberText
