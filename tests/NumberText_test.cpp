// Number texts: reading as the table reads, writing at 13 digits, turn numbers and the grid's format.
#include "framework/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cmath>
#include <cstdlib>
#include <limits>
#include <random>
#include <string>
#include <vector>

namespace {

// The reference for every written number: the double's exact decimal value, rounded with halves away
// from zero on plain digit strings. Neither the C library nor std::to_chars can serve, as both round
// exact ties to even.

// A non-negative double exactly: digits (no leading or trailing zeros, "0" for zero) times 10^exponent.
struct ExactDecimal {
    std::string digits;
    int exponent = 0;
};

ExactDecimal ExactDecimalOf(double magnitude) {
    int binaryExponent = 0;
    const double fraction = std::frexp(magnitude, &binaryExponent);
    const auto mantissa = static_cast<std::uint64_t>(std::ldexp(fraction, 53)); // exact: at most 53 bits
    binaryExponent -= 53;
    // m * 2^e, or m * 5^-e * 10^e for e < 0, in base-10^9 limbs, least significant first.
    constexpr std::uint64_t kBase = 1'000'000'000;
    std::vector<std::uint64_t> limbs = {mantissa % kBase, mantissa / kBase % kBase, mantissa / kBase / kBase};
    auto multiply = [&limbs](std::uint64_t factor) {
        std::uint64_t carry = 0;
        for (std::uint64_t& limb : limbs) {
            const std::uint64_t product = limb * factor + carry;
            limb = product % kBase;
            carry = product / kBase;
        }
        for (; carry; carry /= kBase)
            limbs.push_back(carry % kBase);
    };
    for (int left = binaryExponent; left > 0; left -= std::min(left, 30))
        multiply(std::uint64_t{1} << std::min(left, 30));
    for (int left = -binaryExponent; left > 0; left -= 13) {
        std::uint64_t factor = 1;
        for (int i = std::min(left, 13); i > 0; --i)
            factor *= 5;
        multiply(factor);
    }
    ExactDecimal exact{"", std::min(binaryExponent, 0)};
    for (auto limb = limbs.rbegin(); limb != limbs.rend(); ++limb) {
        const std::string part = std::to_string(*limb);
        exact.digits += exact.digits.empty() ? part : std::string(9 - part.size(), '0') + part;
    }
    exact.digits.erase(0, std::min(exact.digits.find_first_not_of('0'), exact.digits.size() - 1));
    while (exact.digits.size() > 1 && exact.digits.back() == '0') {
        exact.digits.pop_back();
        ++exact.exponent;
    }
    return exact;
}

// Keeps the first `kept` digits (possibly none, or more than there are) and rounds a half away from zero.
std::string RoundDigitsAwayFromZero(const std::string& digits, int kept) {
    std::string rounded = digits.substr(0, static_cast<std::size_t>(std::max(kept, 0)));
    rounded.resize(static_cast<std::size_t>(std::max(kept, 0)), '0');
    if (kept < 0 || kept >= static_cast<int>(digits.size()) || digits[kept] < '5')
        return rounded;
    int i = kept - 1;
    for (; i >= 0 && rounded[i] == '9'; --i)
        rounded[i] = '0';
    if (i < 0)
        return "1" + rounded;
    ++rounded[i];
    return rounded;
}

// "%.13g" with halves away from zero.
std::string ThirteenDigitReference(double value) {
    if (value == 0)
        return std::signbit(value) ? "-0" : "0";
    const ExactDecimal exact = ExactDecimalOf(std::fabs(value));
    int leading = exact.exponent + static_cast<int>(exact.digits.size()) - 1; // power of ten of the first digit
    std::string digits = RoundDigitsAwayFromZero(exact.digits, 13);
    if (digits.size() > 13) { // rounded up to the next power of ten
        digits.pop_back();
        ++leading;
    }
    digits.erase(digits.find_last_not_of('0') + 1);
    std::string text = value < 0 ? "-" : "";
    if (leading < -4 || leading >= 13) {
        text += digits.substr(0, 1) + (digits.size() > 1 ? "." + digits.substr(1) : "");
        const std::string power = std::to_string(std::abs(leading));
        return text + (leading < 0 ? "e-" : "e+") + (power.size() < 2 ? "0" : "") + power;
    }
    if (leading < 0)
        return text + "0." + std::string(-leading - 1, '0') + digits;
    if (digits.size() <= static_cast<std::size_t>(leading) + 1)
        return text + digits + std::string(leading + 1 - digits.size(), '0');
    return text + digits.substr(0, leading + 1) + "." + digits.substr(leading + 1);
}

// "%.2f" with halves away from zero, and nothing below 0.01 in magnitude, as the grid shows numbers.
std::string TwoDecimalReference(double value) {
    if (!(std::fabs(value) >= 0.01))
        return "";
    const ExactDecimal exact = ExactDecimalOf(std::fabs(value));
    const int hundredthsKept = static_cast<int>(exact.digits.size()) + exact.exponent + 2;
    std::string cents = RoundDigitsAwayFromZero(exact.digits, hundredthsKept);
    cents.insert(0, cents.size() < 3 ? 3 - cents.size() : 0, '0');
    return (value < 0 ? "-" : "") + cents.insert(cents.size() - 2, ".");
}

// A text that reads back as exactly the given double.
std::string ExactText(double value) {
    const ExactDecimal exact = ExactDecimalOf(std::fabs(value));
    return (value < 0 ? "-" : "") + exact.digits + "e" + std::to_string(exact.exponent);
}

struct ReadCase {
    const char* text;
    double expected;
};

TEST(NumberTextRead, FollowsTheDecimalGrammar) {
    const ReadCase cases[] = {
        {"", 0},         {"abc", 0},    {"  42", 42},  {"\t\n-3.5", -3.5}, {"+7", 7},      {"7 ships", 7},
        {"1e3", 1000},   {"1e", 1},     {"1e+", 1},    {"2E-2x", 0.02},    {".5", 0.5},    {"5.", 5},
        {".", 0},        {"-", 0},      {"+-1", 0},    {"1000.00", 1000},  {"-0.1", -0.1}, {"12,5", 12},
        {"1.5.5", 1.5},  {"00012", 12}, {"0x1A", 0},   {"inf", 0},         {"-INF", 0},    {"nan", 0},
        {"infinity", 0}, {"1e999", 0},  {"-1e999", 0}, {"  \v\f\r9", 9},   {"1e-2", 0.01}, {"3.0", 3},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "'");
        EXPECT_EQ(c.expected, NumberText::Read(c.text));
    }
}

TEST(NumberTextRead, StopsAtEmbeddedNul) {
    const char text[] = {'1', '2', '\0', '5'};
    EXPECT_EQ(12, NumberText::Read(std::string_view(text, sizeof text)));
}

TEST(NumberTextRead, IgnoresTheProcessLocale) {
    const char* previous = std::setlocale(LC_ALL, nullptr);
    const std::string saved = previous ? previous : "C";
    // A locale with a decimal comma (scripts/setup makes one); the C library's strtod would read "1" here.
    if (!std::setlocale(LC_ALL, "de_DE.UTF-8"))
        GTEST_SKIP() << "no de_DE.UTF-8 locale on this machine";
    EXPECT_EQ(1.5, NumberText::Read("1.5"));
    EXPECT_EQ(1.0, std::strtod("1.5", nullptr)); // the locale is in force
    EXPECT_EQ("1.50", NumberText::FormatNumber("1.5"));
    EXPECT_EQ("0.125", NumberText::NumberToText(0.125));
    EXPECT_EQ("1234.57", NumberText::FormatNumber("1234.5678"));
    std::setlocale(LC_ALL, saved.c_str());
}

struct IntegerCase {
    const char* text;
    std::int32_t expected;
};

TEST(NumberTextReadInteger, TakesTheLeadingIntegerSaturated) {
    const IntegerCase cases[] = {
        {"", 0},
        {"40", 40},
        {" -12abc", -12},
        {"+5", 5},
        {"3.9", 3},
        {"x1", 0},
        {"2147483647", 2147483647},
        {"2147483648", 2147483647},
        {"99999999999999999999999", 2147483647},
        {"-2147483648", -2147483647 - 1},
        {"-2147483649", -2147483647 - 1},
        {"0x10", 0},
    };
    for (const IntegerCase& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "'");
        EXPECT_EQ(c.expected, NumberText::ReadInteger(c.text));
    }
}

TEST(NumberTextWrite, KeepsThirteenSignificantDigits) {
    EXPECT_EQ("54.52380952381", NumberText::NumberToText(1145.0 / 21));
    EXPECT_EQ("104.0909090909", NumberText::NumberToText(1145.0 / 11));
    EXPECT_EQ("0", NumberText::NumberToText(0.0));
    EXPECT_EQ("-3", NumberText::NumberToText(-3.0));
    EXPECT_EQ("2500", NumberText::NumberToText(2500.0));
}

TEST(NumberTextWrite, ReadsBackAsTheRoundedValue) {
    const double values[] = {1.0 / 3, -2.0 / 7, 1e300, -1e-300, 123456789012345.0, 5e-324, 1.7976931348623157e308};
    for (double value : values) {
        SCOPED_TRACE(value);
        const CString text = NumberText::NumberToText(value);
        EXPECT_LE(text.GetLength(), NumberText::kBufferSize);
        const double back = NumberText::Read(text.View());
        // Re-writing the value read back is stable: 13 digits in, the same 13 digits out.
        EXPECT_EQ(text, NumberText::NumberToText(back));
    }
}

// The number a written text is said to read back as is, bit for bit, what reading it gives: the
// recalculation takes it instead of reading the text it stored.
TEST(NumberTextWrite, SaysWhatItsTextReadsBackAs) {
    std::mt19937_64 random(29);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> power(-330, 310);
    std::vector<double> values = {0.0,
                                  -0.0,
                                  2500.0,
                                  0.125,
                                  1145.0 / 21,
                                  5e-324,
                                  1.7976931348623157e308,
                                  1e22,
                                  1e23,
                                  9999999999999.5,
                                  std::numeric_limits<double>::infinity(),
                                  std::nan("")};
    for (int i = 0; i < 200000; ++i)
        values.push_back((i % 2 ? -1 : 1) * mantissa(random) *
                         std::pow(10.0, i % 4 ? power(random) % 25 : power(random)));
    for (const double value : values) {
        char text[NumberText::kBufferSize];
        double readsAs = 0;
        const char* end = NumberText::WriteNumber(value, text, readsAs);
        const double read = NumberText::Read(std::string_view(text, static_cast<std::size_t>(end - text)));
        ASSERT_EQ(std::signbit(read), std::signbit(readsAs)) << value;
        ASSERT_EQ(read, readsAs) << value;
        CString cell;
        cell.AssignNumber(text, end, readsAs);
        ASSERT_EQ(read, cell.Number());
        cell += "5"; // a changed text is read again
        ASSERT_EQ(NumberText::Read(cell.View()), cell.Number()) << cell;
    }
}

TEST(NumberTextWrite, AgreesWithExactThirteenDigitRounding) {
    // Values of every magnitude and many digits, in every form the text takes.
    std::mt19937_64 random(13);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> power(-40, 40);
    for (int i = 0; i < 400000; ++i) {
        const double value = (i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, power(random));
        ASSERT_EQ(ThirteenDigitReference(value), NumberText::NumberToText(value).Bytes()) << ExactText(value);
    }
}

TEST(NumberTextWrite, WritesTiesAndPowersOfTenExactly) {
    // Values at and next to the places where rounding to 13 digits is delicate.
    const double values[] = {0.5,
                             1.0,
                             9.9999999999999995,
                             9.999999999999,
                             99999999999995.0,
                             1.00000000000005,
                             2.5e-10,
                             1e-10,
                             9.99999999999995e-11,
                             1e22,
                             1e23,
                             1e35,
                             123456789012.25,
                             1234567890123.5,
                             0.000123456789012345,
                             4503599627370497.0,
                             1e-5,
                             0.0001,
                             1e13,
                             9999999999999.5,
                             0.1 + 0.2,
                             1145.0 / 21,
                             5e-324,
                             1e308};
    for (double value : values)
        for (double signedValue : {value, -value, std::nextafter(value, 0.0), std::nextafter(value, 1e300)})
            EXPECT_EQ(ThirteenDigitReference(signedValue), NumberText::NumberToText(signedValue).Bytes())
                << ExactText(signedValue);
}

TEST(NumberTextWrite, RoundsExactTiesAwayFromZero) {
    const struct {
        double value;
        const char* text;
    } cases[] = {
        {1234567890122.5, "1234567890123"},  {-1234567890122.5, "-1234567890123"}, {0x1p-20, "9.536743164063e-07"},
        {123456789012.25, "123456789012.3"}, {9999999999999.5, "1e+13"},           {-99999999999995.0, "-1e+14"},
        {1000000000000.5, "1000000000001"},  {0.000244140625, "0.000244140625"}, // 13 digits: no rounding
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(ExactText(c.value));
        EXPECT_EQ(c.text, ThirteenDigitReference(c.value));
        EXPECT_EQ(c.text, NumberText::NumberToText(c.value).Bytes());
    }
}

// Ties at the 13th significant digit in every decade that has them: v * 10^(12 - d) = n / 2 for an odd
// n between 2*10^12 and 2*10^13, which a double holds exactly only for decades d from -7 to 17.
TEST(NumberTextWrite, RoundsConstructedTiesOfEveryDecadeAwayFromZero) {
    std::mt19937_64 random(41);
    constexpr std::uint64_t kLow = 2'000'000'000'000, kHigh = 20'000'000'000'000; // n in [kLow, kHigh)
    int decades = 0;
    for (int power = -19; power <= 5; ++power) { // v = n * 10^power / 2
        std::uint64_t fivePower = 1;
        for (int i = 0; i < std::abs(power); ++i)
            fivePower *= 5;
        // power <= 0: n = j * 5^-power and v = j * 2^(power-1); power > 0: v = n * 5^power * 2^(power-1).
        const std::uint64_t step = power <= 0 ? fivePower : 1;
        const std::uint64_t high = power <= 0 ? kHigh : std::min(kHigh, (std::uint64_t{1} << 53) / fivePower);
        const std::uint64_t first = (kLow + step - 1) / step, last = (high - 1) / step;
        std::vector<std::uint64_t> odds = {first | 1, (last - 1) | 1};
        std::uniform_int_distribution<std::uint64_t> pick(first, last);
        for (int i = 0; i < 200; ++i)
            odds.push_back(pick(random) | 1);
        ++decades;
        for (std::uint64_t odd : odds) {
            if (odd < first || odd > last)
                continue;
            const double tie = std::ldexp(static_cast<double>(power <= 0 ? odd : odd * fivePower), power - 1);
            const ExactDecimal exact = ExactDecimalOf(tie);
            ASSERT_EQ(14u, exact.digits.size()) << ExactText(tie); // really halfway at the 13th digit
            ASSERT_EQ('5', exact.digits.back()) << ExactText(tie);
            for (double value : {tie, -tie, std::nextafter(tie, 0.0), std::nextafter(tie, 1e300)})
                ASSERT_EQ(ThirteenDigitReference(value), NumberText::NumberToText(value).Bytes()) << ExactText(value);
        }
    }
    EXPECT_EQ(25, decades);
}

TEST(NumberTextRead, AgreesWithTheGeneralConverter) {
    std::mt19937_64 random(17);
    std::uniform_int_distribution<std::uint64_t> digits(0, 99999999999999999ULL);
    std::uniform_int_distribution<int> power(-40, 40);
    for (int i = 0; i < 200000; ++i) {
        const std::string text = std::to_string(digits(random)) + "e" + std::to_string(power(random));
        double expected = 0;
        std::from_chars(text.data(), text.data() + text.size(), expected);
        ASSERT_EQ(expected, NumberText::Read(text)) << text;
    }
}

TEST(NumberTextWrite, StoresNonFiniteResultsAsZero) {
    EXPECT_EQ("0", NumberText::NumberToText(std::numeric_limits<double>::infinity()));
    EXPECT_EQ("0", NumberText::NumberToText(-std::numeric_limits<double>::infinity()));
    EXPECT_EQ("0", NumberText::NumberToText(std::numeric_limits<double>::quiet_NaN()));
}

TEST(NumberTextWrite, NumbersTurnsWithoutOverflow) {
    EXPECT_EQ("2147483666", NumberText::IntegerToText(std::int64_t{2147483647} + 19));
    EXPECT_EQ("-2147483648", NumberText::IntegerToText(-2147483648LL));
    EXPECT_EQ("40", NumberText::IntegerToText(40));
}

struct FormatCase {
    const char* stored;
    const char* shown;
};

TEST(NumberTextFormat, ShowsTwoDecimalsOrNothing) {
    const FormatCase cases[] = {
        {"2500", "2500.00"},
        {"12.5", "12.50"},
        {"-3", "-3.00"},
        {"0.01", "0.01"},
        {"0.009", ""},
        {"0", ""},
        {"", ""},
        {"abc", ""},
        {"7 ships", "7.00"},
        {"-0.009", ""},
        {"-0.01", "-0.01"},
        {"1000.00", "1000.00"},
        {"1e15", "1000000000000000.00"},
        {"-0", ""},
        {"54.52380952381", "54.52"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(std::string("stored '") + c.stored + "'");
        EXPECT_EQ(c.shown, NumberText::FormatNumber(c.stored));
    }
}

TEST(NumberTextFormat, RoundsExactTiesAwayFromZero) {
    const FormatCase cases[] = {
        {"0.125", "0.13"},
        {"-0.125", "-0.13"},
        {"0.625", "0.63"},
        {"-0.625", "-0.63"},
        {"0.375", "0.38"},
        {"0.875", "0.88"},
        {"1050.625", "1050.63"},
        {"2.675", "2.67"}, // the double is just below 2.675: no tie
        {"0.005", ""},
        {"0.015", "0.01"}, // 0.015 is just below the tie too
        {"9999999999999.875", "9999999999999.88"},
        {"1125899906842623.875", "1125899906842623.88"},
        {"-1125899906842623.875", "-1125899906842623.88"},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(std::string("stored '") + c.stored + "'");
        EXPECT_EQ(c.shown, TwoDecimalReference(NumberText::Read(c.stored)));
        EXPECT_EQ(c.shown, NumberText::FormatNumber(c.stored).Bytes());
    }
}

// Halfway between two hundredths means an odd multiple of 1/8; a double holds those up to 2^50. Each
// binary magnitude gets such ties, and odd multiples of 1/16 and finer as their neighbours.
TEST(NumberTextFormat, RoundsConstructedTiesOfEveryMagnitudeAwayFromZero) {
    std::mt19937_64 random(43);
    for (int magnitude = -3; magnitude < 50; ++magnitude) {
        for (int fractionBits = 3; fractionBits <= 10; ++fractionBits) {
            const int bits = magnitude + fractionBits; // odd * 2^-fractionBits in [2^magnitude, 2^(magnitude+1))
            if (bits > 52)
                continue;
            std::uniform_int_distribution<std::uint64_t> pick(std::uint64_t{1} << bits, (std::uint64_t{2} << bits) - 1);
            for (int i = 0; i < 20; ++i) {
                const double value = std::ldexp(static_cast<double>(pick(random) | 1), -fractionBits);
                for (double signedValue : {value, -value}) {
                    const std::string text = ExactText(signedValue);
                    ASSERT_EQ(signedValue, NumberText::Read(text));
                    ASSERT_EQ(TwoDecimalReference(signedValue), NumberText::FormatNumber(text).Bytes()) << text;
                }
            }
        }
    }
}

TEST(NumberTextFormat, AgreesWithExactTwoDecimalRoundingEverywhere) {
    std::mt19937_64 random(29);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> power(-3, 16);
    std::uniform_int_distribution<int> cents(0, 9999999);
    for (int i = 0; i < 300000; ++i) {
        // Random magnitudes, and decimals with a 5 in the third place: as near to a tie as texts get,
        // and an exact tie when they end in .125, .375, .625 or .875.
        const double magnitude = mantissa(random) * std::pow(10.0, power(random));
        const int hundredths = cents(random);
        const std::string text = i % 2
                                     ? NumberText::NumberToText(i % 3 ? magnitude : -magnitude).Bytes()
                                     : std::to_string(hundredths / 100) + "." + std::to_string(hundredths % 100 / 10) +
                                           std::to_string(hundredths % 10) + "5";
        ASSERT_EQ(TwoDecimalReference(NumberText::Read(text)), NumberText::FormatNumber(text).Bytes()) << text;
    }
}

TEST(NumberTextFormat, HandlesTheWholeDoubleRange) {
    const CString huge = NumberText::FormatNumber("1e300");
    EXPECT_EQ(304, huge.GetLength());
    EXPECT_EQ(".00", huge.View().substr(301));
    EXPECT_EQ(1e300, NumberText::Read(huge.View()));
    for (const char* stored : {"1e308", "-1.7976931348623157e308", "4503599627370497.5", "1e22"}) {
        SCOPED_TRACE(stored);
        EXPECT_EQ(TwoDecimalReference(NumberText::Read(stored)), NumberText::FormatNumber(stored).Bytes());
    }
    EXPECT_EQ(313, NumberText::FormatNumber("-1.7976931348623157e308").GetLength());
}

} // namespace
