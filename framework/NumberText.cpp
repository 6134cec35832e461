// Number texts through std::from_chars / std::to_chars: exact, fast and locale-free. Written numbers
// round an exact tie away from zero, as the C runtime of the module's platform does.
#include "NumberText.h"

#include <algorithm>
#include <cassert>
#include <charconv>
#include <cmath>
#include <cstring>
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

constexpr int kSignificantDigits = 13;
constexpr std::uint64_t kSmallestMantissa = 1'000'000'000'000; // 10^12
constexpr std::uint64_t kMantissaLimit = 10'000'000'000'000;   // 10^13

// The decimal exponent of a positive value: e with 10^e <= value < 10^(e+1), for values the quick
// path handles; the table's inexact powers may leave it one off, which the caller corrects.
bool DecimalExponent(double value, int& exponent) {
    static constexpr double kPowers[] = {1e-10, 1e-9, 1e-8, 1e-7, 1e-6, 1e-5, 1e-4, 1e-3, 1e-2, 1e-1, 1e0,  1e1,
                                         1e2,   1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11, 1e12, 1e13,
                                         1e14,  1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22, 1e23, 1e24, 1e25,
                                         1e26,  1e27, 1e28, 1e29, 1e30, 1e31, 1e32, 1e33, 1e34};
    constexpr int kFirst = -10;
    const auto above = std::upper_bound(std::begin(kPowers), std::end(kPowers), value);
    if (above == std::begin(kPowers) || above == std::end(kPowers))
        return false;
    exponent = static_cast<int>(above - std::begin(kPowers)) - 1 + kFirst;
    return true;
}

// Writes mantissa (13 digits) times 10^(exponent - 12) as printf's "%.13g" would.
char* WriteGeneral(std::uint64_t mantissa, int exponent, char* out) {
    // Two 32-bit halves: a 64-bit division is a library call in the 32-bit build, so only one is made.
    constexpr std::uint32_t kLowDigits = 7, kLowLimit = 10'000'000;
    std::uint32_t high = static_cast<std::uint32_t>(mantissa / kLowLimit);
    std::uint32_t low = static_cast<std::uint32_t>(mantissa - std::uint64_t{high} * kLowLimit);
    char digits[kSignificantDigits];
    for (int i = kSignificantDigits - 1; i >= kSignificantDigits - static_cast<int>(kLowDigits); --i, low /= 10)
        digits[i] = static_cast<char>('0' + low % 10);
    for (int i = kSignificantDigits - static_cast<int>(kLowDigits) - 1; i >= 0; --i, high /= 10)
        digits[i] = static_cast<char>('0' + high % 10);
    int count = kSignificantDigits;
    while (count > 1 && digits[count - 1] == '0')
        --count;
    if (exponent < -4 || exponent >= kSignificantDigits) {
        *out++ = digits[0];
        if (count > 1) {
            *out++ = '.';
            out = std::copy(digits + 1, digits + count, out);
        }
        *out++ = 'e';
        *out++ = exponent < 0 ? '-' : '+';
        const int magnitude = exponent < 0 ? -exponent : exponent;
        if (magnitude < 10)
            *out++ = '0';
        return std::to_chars(out, out + 4, magnitude).ptr;
    }
    if (exponent < 0) {
        *out++ = '0';
        *out++ = '.';
        out = std::fill_n(out, -exponent - 1, '0');
        return std::copy(digits, digits + count, out);
    }
    const int integerDigits = exponent + 1;
    if (count <= integerDigits) {
        out = std::copy(digits, digits + count, out);
        return std::fill_n(out, integerDigits - count, '0');
    }
    out = std::copy(digits, digits + integerDigits, out);
    *out++ = '.';
    return std::copy(digits + integerDigits, digits + count, out);
}

// The 13-digit rounding without the general converter: scaling by an exact power of ten rounds once,
// by at most half a unit in the last place, which for a 13-digit scaled value is below 0.001. Unless
// the scaled value lies that close to a rounding tie, its nearest integer is the exact rounding.
// Returns nullptr when the value is outside the handled range or too close to a tie. readsAs is what
// the text reads back as: the 13 digits over an exact power of ten, one correctly rounded division or
// multiplication, as Read makes it.
char* WriteThirteenDigitsQuickly(double value, char* out, double& readsAs) {
    static constexpr double kExactPowers[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,  1e8,  1e9,  1e10, 1e11,
                                              1e12, 1e13, 1e14, 1e15, 1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};
    if (value == 0.0)
        return nullptr;
    const double magnitude = std::fabs(value);
    int exponent = 0;
    if (!DecimalExponent(magnitude, exponent))
        return nullptr;
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int scale = kSignificantDigits - 1 - exponent;
        if (scale > 22 || scale < -22)
            return nullptr;
        const double scaled = scale >= 0 ? magnitude * kExactPowers[scale] : magnitude / kExactPowers[-scale];
        const double whole = std::floor(scaled);
        if (std::fabs(scaled - whole - 0.5) < 0.002)
            return nullptr;
        std::uint64_t mantissa = static_cast<std::uint64_t>(whole) + (scaled - whole > 0.5);
        if (mantissa < kSmallestMantissa) {
            --exponent; // the power table's estimate was one too high
            continue;
        }
        if (mantissa > kMantissaLimit) {
            ++exponent;
            continue;
        }
        if (mantissa == kMantissaLimit) { // rounded up to the next power of ten
            mantissa = kSmallestMantissa;
            ++exponent;
        }
        const int power = kSignificantDigits - 1 - exponent;
        if (power > 22 || power < -22)
            return nullptr;
        const double digits = static_cast<double>(mantissa);
        readsAs = power >= 0 ? digits / kExactPowers[power] : digits * kExactPowers[-power];
        if (value < 0) {
            *out++ = '-';
            readsAs = -readsAs;
        }
        return WriteGeneral(mantissa, exponent, out);
    }
    return nullptr;
}

// Writes a whole number of hundredths with two decimals.
char* WriteCents(bool negative, std::uint64_t cents, char* out) {
    if (negative)
        *out++ = '-';
    out = std::to_chars(out, out + 20, cents / 100).ptr;
    *out++ = '.';
    *out++ = static_cast<char>('0' + cents / 10 % 10);
    *out++ = static_cast<char>('0' + cents % 10);
    return out;
}

// Two decimals without the general converter, for magnitudes below 10^13: multiplying by 100 rounds
// once, by far less than the margin kept around ties, so the nearest integer is the exact rounding
// of the value's hundredths. Returns nullptr when the value is too large or too close to a tie.
char* WriteTwoDecimalsQuickly(double value, char* out) {
    const double magnitude = std::fabs(value);
    if (magnitude >= 1e13)
        return nullptr;
    const double hundredths = magnitude * 100;
    const double whole = std::floor(hundredths);
    const double margin = hundredths * 0x1p-50 + 0x1p-50;
    if (std::fabs(hundredths - whole - 0.5) <= margin)
        return nullptr;
    const std::uint64_t cents = static_cast<std::uint64_t>(whole) + (hundredths - whole > 0.5);
    return WriteCents(value < 0, cents, out);
}

// Exact ties, found with integer arithmetic alone. A positive double is exactly odd * 2^e with an odd
// integer below 2^53. Scaled by 10^s it is odd * 5^s * 2^(e+s), or odd * 2^(e+s) / 5^-s for s < 0.
// As odd and the powers of five are odd, that is an odd multiple of 1/2, a value exactly halfway
// between two integers, precisely when e + s == -1 and, for s < 0, 5^-s divides odd. So a value can
// be a tie at one scale only, s = -1 - e, and twice its scaled value is then the odd integer
// odd * 5^s (or odd / 5^-s).
struct HalfwayPoint {
    int scale = 0;           // s: the value times 10^s is an odd multiple of 1/2
    std::uint64_t twice = 0; // twice the value times 10^s, an odd integer
};

// Finds the scale at which a positive finite magnitude is an exact tie. Returns false when there is
// none, or when twice the scaled value would not fit in 64 bits (no caller rounds at such a scale).
bool FindHalfwayPoint(double magnitude, HalfwayPoint& point) {
    assert(magnitude > 0 && std::isfinite(magnitude));
    std::uint64_t bits = 0;
    std::memcpy(&bits, &magnitude, sizeof bits);
    constexpr std::uint64_t kFractionMask = (std::uint64_t{1} << 52) - 1;
    const int biasedExponent = static_cast<int>(bits >> 52);
    std::uint64_t odd = bits & kFractionMask;
    int exponent = -1074; // subnormal
    if (biasedExponent != 0) {
        odd |= kFractionMask + 1;
        exponent = biasedExponent - 1075;
    }
    while ((odd & 1) == 0) {
        odd >>= 1;
        ++exponent;
    }
    point.scale = -1 - exponent;
    for (int i = 0; i < point.scale; ++i) {
        if (odd > std::numeric_limits<std::uint64_t>::max() / 5)
            return false;
        odd *= 5;
    }
    // odd is below 2^53 < 5^23, so this loop ends after at most 23 divisions.
    for (int i = 0; i < -point.scale; ++i) {
        if (odd % 5 != 0)
            return false;
        odd /= 5;
    }
    point.twice = odd;
    return true;
}

// A value exactly halfway between two 13-digit decimals, written rounded away from zero; nullptr for
// any other value. Ties exist only for decimal exponents -7..17, where the odd integer fits easily.
char* WriteThirteenDigitTie(double value, char* out) {
    HalfwayPoint point;
    if (value == 0.0 || !FindHalfwayPoint(std::fabs(value), point) || point.twice < 2 * kSmallestMantissa ||
        point.twice >= 2 * kMantissaLimit)
        return nullptr;
    std::uint64_t mantissa = point.twice / 2 + 1;
    int exponent = kSignificantDigits - 1 - point.scale;
    if (mantissa == kMantissaLimit) { // 9999999999999.5 * 10^k rounds up to the next power of ten
        mantissa = kSmallestMantissa;
        ++exponent;
    }
    if (value < 0)
        *out++ = '-';
    return WriteGeneral(mantissa, exponent, out);
}

// A value exactly halfway between two hundredths (an odd multiple of 1/8, so below 2^50 in magnitude),
// written with two decimals rounded away from zero; nullptr for any other value.
char* WriteTwoDecimalTie(double value, char* out) {
    constexpr int kHundredths = 2;
    HalfwayPoint point;
    if (value == 0.0 || !FindHalfwayPoint(std::fabs(value), point) || point.scale != kHundredths)
        return nullptr;
    return WriteCents(value < 0, point.twice / 2 + 1, out);
}

char* WriteNumberSlowly(double value, char* buffer);

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
    double readsAs = 0;
    return WriteNumber(value, buffer, readsAs);
}

char* WriteNumber(double value, char* buffer, double& readsAs) {
    if (char* end = WriteThirteenDigitsQuickly(value, buffer, readsAs))
        return end;
    char* end = WriteNumberSlowly(value, buffer);
    readsAs = Read(std::string_view(buffer, static_cast<std::size_t>(end - buffer)));
    return end;
}

namespace {

char* WriteNumberSlowly(double value, char* buffer) {
    if (!std::isfinite(value)) {
        *buffer = '0';
        return buffer + 1;
    }
    if (char* end = WriteThirteenDigitTie(value, buffer))
        return end;
    // std::to_chars rounds correctly with ties to even; for anything but an exact tie that is the
    // same text as rounding ties away from zero, and exact ties were written above.
    return std::to_chars(buffer, buffer + kBufferSize, value, std::chars_format::general, kSignificantDigits).ptr;
}

} // namespace

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

char* FormatNumberInto(std::string_view text, char* buffer) {
    const double value = Read(text);
    if (!(std::fabs(value) >= 0.01))
        return buffer;
    return WriteTwoDecimals(value, buffer);
}

char* WriteTwoDecimals(double value, char* buffer) {
    if (!std::isfinite(value))
        return std::to_chars(buffer, buffer + kFormattedSize, value).ptr;
    if (char* end = WriteTwoDecimalsQuickly(value, buffer))
        return end;
    if (char* end = WriteTwoDecimalTie(value, buffer))
        return end;
    // Correct rounding with ties to even, which only exact ties (written above) would tell apart.
    const auto [end, error] = std::to_chars(buffer, buffer + kFormattedSize, value, std::chars_format::fixed, 2);
    assert(error == std::errc());
    return end;
}

CString FormatNumber(std::string_view text) {
    char buffer[kFormattedSize];
    return CString(buffer, static_cast<std::size_t>(FormatNumberInto(text, buffer) - buffer));
}

} // namespace NumberText
