// Number texts: reading as the table reads, writing at 13 digits, turn numbers and the grid's format.
#include "framework/NumberText.h"

#include <gtest/gtest.h>

#include <charconv>
#include <clocale>
#include <cstdlib>
#include <cmath>
#include <limits>
#include <random>
#include <string>

namespace {

struct ReadCase {
    const char* text;
    double expected;
};

TEST(NumberTextRead, FollowsTheDecimalGrammar) {
    const ReadCase cases[] = {
        {"", 0},           {"abc", 0},        {"  42", 42},      {"\t\n-3.5", -3.5}, {"+7", 7},
        {"7 ships", 7},    {"1e3", 1000},     {"1e", 1},         {"1e+", 1},         {"2E-2x", 0.02},
        {".5", 0.5},       {"5.", 5},         {".", 0},          {"-", 0},           {"+-1", 0},
        {"1000.00", 1000}, {"-0.1", -0.1},    {"12,5", 12},      {"1.5.5", 1.5},     {"00012", 12},
        {"0x1A", 0},       {"inf", 0},        {"-INF", 0},       {"nan", 0},         {"infinity", 0},
        {"1e999", 0},      {"-1e999", 0},     {"  \v\f\r9", 9},  {"1e-2", 0.01},     {"3.0", 3},
    };
    for (const ReadCase& c : cases) {
        SCOPED_TRACE(std::string("text '") + c.text + "'");
        EXPECT_EQ(c.expected, NumberText::Read(c.text));
    }
}

TEST(NumberTextRead, StopsAtEmbeddedNul) {
    EXPECT_EQ(12, NumberText::Read(std::string_view("12\0" "5", 4)));
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
        {"", 0},           {"40", 40},        {" -12abc", -12},  {"+5", 5},
        {"3.9", 3},        {"x1", 0},         {"2147483647", 2147483647},
        {"2147483648", 2147483647},           {"99999999999999999999999", 2147483647},
        {"-2147483648", -2147483647 - 1},     {"-2147483649", -2147483647 - 1},
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

TEST(NumberTextWrite, AgreesWithExactThirteenDigitRounding) {
    // Values of every magnitude and many digits; the written text must read back as exactly the
    // correctly rounded 13-digit decimal, whichever form it takes.
    std::mt19937_64 random(13);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> power(-40, 40);
    for (int i = 0; i < 400000; ++i) {
        const double value = (i % 2 ? -1 : 1) * mantissa(random) * std::pow(10.0, power(random));
        char exact[64];
        const auto end = std::to_chars(exact, exact + sizeof exact, value, std::chars_format::general, 13).ptr;
        ASSERT_EQ(std::string(exact, end), NumberText::NumberToText(value).Bytes());
    }
}

TEST(NumberTextWrite, WritesTiesAndPowersOfTenExactly) {
    // Values at and next to the places where rounding to 13 digits is delicate.
    const double values[] = {0.5,          1.0,   9.9999999999999995, 9.999999999999, 99999999999995.0,
                             1.00000000000005, 2.5e-10, 1e-10, 9.99999999999995e-11, 1e22, 1e23, 1e35,
                             123456789012.25, 1234567890123.5, 0.000123456789012345, 4503599627370497.0,
                             1e-5, 0.0001, 1e13, 9999999999999.5, 0.1 + 0.2, 1145.0 / 21};
    for (double value : values)
        for (double signedValue : {value, -value, std::nextafter(value, 0.0), std::nextafter(value, 1e300)}) {
            char exact[64];
            const auto end = std::to_chars(exact, exact + sizeof exact, signedValue, std::chars_format::general, 13).ptr;
            EXPECT_EQ(std::string(exact, end), NumberText::NumberToText(signedValue).Bytes());
        }
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
        {"2500", "2500.00"}, {"12.5", "12.50"},     {"-3", "-3.00"},   {"0.01", "0.01"},    {"0.009", ""},
        {"0", ""},           {"", ""},              {"abc", ""},       {"7 ships", "7.00"}, {"-0.009", ""},
        {"-0.01", "-0.01"},  {"2.675", "2.67"},     {"0.125", "0.12"}, {"0.375", "0.38"},   {"1000.00", "1000.00"},
        {"1e15", "1000000000000000.00"},            {"54.52380952381", "54.52"},            {"-0", ""},
    };
    for (const FormatCase& c : cases) {
        SCOPED_TRACE(std::string("stored '") + c.stored + "'");
        EXPECT_EQ(c.shown, NumberText::FormatNumber(c.stored));
    }
}

TEST(NumberTextFormat, AgreesWithFixedTwoDecimalsEverywhere) {
    std::mt19937_64 random(29);
    std::uniform_real_distribution<double> mantissa(1.0, 10.0);
    std::uniform_int_distribution<int> power(-3, 16);
    std::uniform_int_distribution<int> cents(0, 9999999);
    for (int i = 0; i < 300000; ++i) {
        // Random magnitudes, and decimals with a 5 in the third place: as near to a tie as texts get.
        const double magnitude = mantissa(random) * std::pow(10.0, power(random));
        const int hundredths = cents(random);
        const std::string text = i % 2 ? NumberText::NumberToText(i % 3 ? magnitude : -magnitude).Bytes()
                                       : std::to_string(hundredths / 100) + "." + std::to_string(hundredths % 100 / 10) +
                                             std::to_string(hundredths % 10) + "5";
        const double value = NumberText::Read(text);
        char expected[400];
        const auto end = std::to_chars(expected, expected + sizeof expected, value, std::chars_format::fixed, 2).ptr;
        ASSERT_EQ(std::fabs(value) < 0.01 ? std::string() : std::string(expected, end),
                  NumberText::FormatNumber(text).Bytes())
            << text;
    }
}

TEST(NumberTextFormat, HandlesTheWholeDoubleRange) {
    const CString huge = NumberText::FormatNumber("1e300");
    EXPECT_EQ(304, huge.GetLength());
    EXPECT_EQ(".00", huge.View().substr(301));
    EXPECT_EQ(1e300, NumberText::Read(huge.View()));
    EXPECT_EQ(313, NumberText::FormatNumber("-1.7976931348623157e308").GetLength());
}

} // namespace
