// Every conversion between numbers and the decimal texts the projection table is made of.
//
// All of it is independent of the process locale and of the C library underneath, so the native
// build and the Windows module read and write exactly the same texts.
#pragma once

#include "CString.h"

#include <cstdint>
#include <limits>
#include <string_view>

namespace NumberText {

// Room for any text WriteNumber or WriteInteger produces: "-1.234567890123e-308" or "-9223372036854775808".
constexpr int kBufferSize = 32;

// The leading number of a text: blanks, an optional sign, digits with an optional fraction, and an
// exponent only when digits follow it. Anything else, or a number outside the double range, reads as 0.
double Read(std::string_view text);

// The leading decimal integer of a text, saturated to the 32-bit range; 0 when there is none.
std::int32_t ReadInteger(std::string_view text);

// Writes a computed value at 13 significant digits, an exact tie rounded away from zero, and returns
// the end of the text. A value that is not finite is written as "0", so a cell never holds a text that
// reads back as something else.
char* WriteNumber(double value, char* buffer);
// The same, also giving the number the text reads back as (what Read of it returns), found without
// reading the text in the usual case.
char* WriteNumber(double value, char* buffer, double& readsAs);

// Writes a whole number in base 10 and returns the end of the text.
char* WriteInteger(std::int64_t value, char* buffer);

CString NumberToText(double value);
CString IntegerToText(std::int64_t value);

// Room for any text FormatNumberInto writes: the largest double has 309 integer digits, and a sign, a
// point and two decimals come with them.
constexpr int kFormattedSize = std::numeric_limits<double>::max_exponent10 + 1 + 4 + 8;

// How the grid shows a stored number: empty below 0.01 in magnitude, otherwise fixed with two decimals,
// an exact tie rounded away from zero ("0.125" shows as "0.13").
CString FormatNumber(std::string_view text);
// The same, written into a buffer of kFormattedSize without allocating; returns the end of the text.
char* FormatNumberInto(std::string_view text, char* buffer);
// A value with two decimals, as FormatNumber shows it but also below 0.01 ("0.00"), into a buffer of
// kFormattedSize; returns the end of the text.
char* WriteTwoDecimals(double value, char* buffer);

} // namespace NumberText
