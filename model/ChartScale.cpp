// Choosing round steps and writing tick texts from whole numbers.
#include "ChartScale.h"

#include "framework/NumberText.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// Beyond this the arithmetic of a scale could overflow, and below the smallest its steps would vanish;
// no projection reaches either in earnest (the grid shows nothing below 0.01).
constexpr double kLargestCovered = 1e300;
constexpr double kSmallestCovered = 1e-9;

// Ten to the power, by multiplication only: the same bits on every platform. Only for choosing a step.
double PowerOfTen(int exponent) {
    double power = 1;
    for (int i = 0; i < std::abs(exponent); ++i)
        power *= 10;
    return exponent < 0 ? 1 / power : power;
}

double Bounded(double value) {
    if (std::isnan(value) || std::fabs(value) < kSmallestCovered)
        return 0;
    return std::clamp(value, -kLargestCovered, kLargestCovered);
}

// The whole number digits times ten to the exponent, as a plain decimal text.
std::string DecimalText(std::int64_t digits, int exponent) {
    if (digits == 0)
        return "0";
    std::string text = std::to_string(digits < 0 ? -digits : digits);
    if (exponent >= 0) {
        text.append(static_cast<std::size_t>(exponent), '0');
    } else {
        const std::size_t decimals = static_cast<std::size_t>(-exponent);
        if (text.size() <= decimals)
            text.insert(0, decimals + 1 - text.size(), '0');
        text.insert(text.size() - decimals, 1, '.');
    }
    return digits < 0 ? "-" + text : text;
}

int DigitCount(std::int64_t number) {
    int count = 1;
    for (number = number < 0 ? -number : number; number >= 10; number /= 10)
        ++count;
    return count;
}

// The next round step: 1 -> 2 -> 5 -> 10.
void Enlarge(int& mantissa, int& exponent) {
    if (mantissa == 5) {
        mantissa = 1;
        ++exponent;
    } else {
        mantissa = mantissa == 1 ? 2 : 5;
    }
}

} // namespace

ChartScale ChartScale::Covering(double lowest, double highest, int maxIntervals) {
    double low = 0, high = 1;
    if (lowest <= highest) {
        low = std::min(Bounded(lowest), 0.0);
        high = std::max(Bounded(highest), 0.0);
        if (low == high)
            high = 1;
    }
    const int intervals = std::max(maxIntervals, 2);

    // The smallest round step at least the range over the intervals; halves keep the range finite.
    const double smallest = high / intervals - low / intervals;
    int exponent = 0;
    while (PowerOfTen(exponent + 1) <= smallest)
        ++exponent;
    while (PowerOfTen(exponent) > smallest)
        --exponent;
    const double fraction = smallest / PowerOfTen(exponent);
    int mantissa = fraction <= 1 ? 1 : fraction <= 2 ? 2 : fraction <= 5 ? 5 : 10;
    if (mantissa == 10) {
        mantissa = 1;
        ++exponent;
    }

    ChartScale scale(mantissa, exponent);
    scale.Cover(low, high);
    // Rounding both ends outwards can add an interval at each: a larger step then does.
    while (scale.m_last - scale.m_first > intervals) {
        Enlarge(scale.m_mantissa, scale.m_exponent);
        scale.Cover(low, high);
    }
    return scale;
}

void ChartScale::Cover(double low, double high) {
    const double step = ValueOfMultiple(1);
    m_first = static_cast<std::int64_t>(std::floor(low / step));
    m_last = static_cast<std::int64_t>(std::ceil(high / step));
    // The divisions round: the ends are checked against the values themselves.
    while (ValueOfMultiple(m_first) > low)
        --m_first;
    while (ValueOfMultiple(m_last) < high)
        ++m_last;
}

// The double nearest the decimal tick, as its text reads: 3 * 0.1, or 1e300 built by multiplying,
// would be a little off.
double ChartScale::ValueOfMultiple(std::int64_t multiple) const {
    return NumberText::Read(DecimalText(multiple * m_mantissa, m_exponent));
}

std::string ChartScale::TickText(int i) const { return DecimalText(TickDigits(i), m_exponent); }

std::string ChartScale::TickLabel(int i) const {
    const std::int64_t digits = TickDigits(i);
    if (digits == 0)
        return "0";
    const std::int64_t largest = std::max(std::abs(TickDigits(0)), std::abs(TickDigits(TickCount() - 1)));
    const int largestExponent = m_exponent + DigitCount(largest) - 1;
    if (largestExponent < 4)
        return DecimalText(digits, m_exponent);
    static const char* const kUnits[] = {"", "k", "M", "G", "T", "P"};
    const int unit = largestExponent / 3;
    const std::string suffix = unit < 6 ? kUnits[unit] : "e" + std::to_string(unit * 3);
    return DecimalText(digits, m_exponent - unit * 3) + suffix;
}
