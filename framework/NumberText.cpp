// Number texts through std::from_chars / std::to_chars: exact, fast and locale-free.
#include "NumberText.h"

#include <cassert>
#include <charconv>
#include <algorithm>
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

// A decimal number as written: its significant digits as an integer, the power of ten that scales
// them, and where the text of the number ends.
struct ScannedDecimal {
    std::uint64_t mantissa = 0;
    int digits = 0;         // significant digits taken into the mantissa
    bool truncated = false; // more significant digits than the mantissa holds
    int exponent = 0;
    std::size_t end = 0; // 0 when the text does not begin with a number
};

// Scans an unsigned decimal number at the start of text: digits with an optional fraction, and an
// exponent only when digits follow it. Only this grammar is accepted, so "inf", "nan" and
// hexadecimal never reach the converter.
ScannedDecimal ScanDecimal(std::string_view text) {
    constexpr int kMantissaDigits = 19;
    ScannedDecimal scanned;
    bool anyDigit = false, fraction = false;
    std::size_t i = 0;
    for (; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '.' && !fraction) {
            fraction = true;
            continue;
        }
        if (!IsDigit(c))
            break;
        anyDigit = true;
        if (scanned.mantissa == 0 && c == '0') {
            scanned.exponent -= fraction;
        } else if (scanned.digits < kMantissaDigits) {
            scanned.mantissa = scanned.mantissa * 10 + static_cast<std::uint64_t>(c - '0');
            ++scanned.digits;
            scanned.exponent -= fraction;
        } else {
            scanned.truncated = true;
            scanned.exponent += !fraction;
        }
    }
    if (!anyDigit)
        return scanned;
    scanned.end = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        std::size_t j = i + 1;
        const bool negative = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '+' || text[j] == '-'))
            ++j;
        int power = 0;
        const std::size_t exponentDigits = j;
        for (; j < text.size() && IsDigit(text[j]); ++j)
            power = std::min(power * 10 + (text[j] - '0'), 100000);
        if (j > exponentDigits) {
            scanned.exponent += negative ? -power : power;
            scanned.end = j;
        }
    }
    return scanned;
}

// Clinger's fast path: up to 15 significant digits are exact as a double, and so are the powers of
// ten up to 10^22, so one multiplication or division rounds correctly. Most table texts qualify;
// the others go to the general converter. Both give the same correctly rounded double.
bool ConvertExactly(const ScannedDecimal& scanned, double& value) {
    constexpr int kExactDigits = 15;
    constexpr int kExactPower = 22;
    static constexpr double kPowers[kExactPower + 1] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (scanned.mantissa == 0) {
        value = 0.0;
        return true;
    }
    if (scanned.truncated || scanned.digits > kExactDigits || scanned.exponent < -kExactPower ||
        scanned.exponent > kExactPower)
        return false;
    const double exact = static_cast<double>(scanned.mantissa);
    value = scanned.exponent < 0 ? exact / kPowers[-scanned.exponent] : exact * kPowers[scanned.exponent];
    return true;
}

// Splits an optional sign off the front; returns true for a minus.
bool TakeSign(std::string_view& text) {
    if (text.empty() || (text.front() != '+' && text.front() != '-'))
        return false;
    const bool negative = text.front() == '-';
    text.remove_prefix(1);
    return negative;
}

// Significant digits of a number text: its digits before any exponent, leading zeros not counted.
int SignificantDigits(std::string_view text) {
    int digits = 0;
    for (char c : text) {
        if (c == 'e')
            break;
        if (IsDigit(c) && (digits > 0 || c != '0'))
            ++digits;
    }
    return digits;
}

} // namespace

double Read(std::string_view text) {
    text.remove_prefix(SkipBlanks(text));
    const bool negative = TakeSign(text);
    const ScannedDecimal scanned = ScanDecimal(text);
    if (scanned.end == 0)
        return 0.0;
    double value = 0.0;
    if (!ConvertExactly(scanned, value)) {
        const char* end = text.data() + scanned.end;
        const auto converted = std::from_chars(text.data(), end, value, std::chars_format::general);
        if (converted.ec != std::errc() || converted.ptr != end)
            return 0.0;
    }
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
    constexpr int kDigits = 13;
    if (!std::isfinite(value)) {
        *buffer = '0';
        return buffer + 1;
    }
    // The shortest text that reads back as the value is the cheaper one to find. When it has no more
    // than 13 significant digits it is also the 13-digit rounding: a double's spacing is far below half
    // a unit of the 13th digit, so rounding the exact value to 13 digits lands on the same decimal.
    char* const shortestEnd = std::to_chars(buffer, buffer + kBufferSize, value).ptr;
    if (SignificantDigits(std::string_view(buffer, static_cast<std::size_t>(shortestEnd - buffer))) <= kDigits)
        return shortestEnd;
    return std::to_chars(buffer, buffer + kBufferSize, value, std::chars_format::general, kDigits).ptr;
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
