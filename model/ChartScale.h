// A vertical scale of the chart: round ticks (1, 2 or 5 times a power of ten) that cover a range of
// values and zero, and the texts that name them.
//
// Every tick is a whole multiple of the step, and every text is made from whole numbers, so the scale
// comes out the same on every platform: no logarithm or power function of a C library is involved.
#pragma once

#include <cstdint>
#include <string>

class ChartScale {
public:
    // The smallest round step whose ticks cover lowest, highest and zero in at most maxIntervals
    // intervals (2 at least, so that a range across zero always fits). Without a range (lowest >
    // highest, or both 0) the scale runs from 0 to 1. Values beyond 1e300 in magnitude count as 1e300, and
    // below 1e-9 as 0.
    static ChartScale Covering(double lowest, double highest, int maxIntervals);

    double Low() const { return ValueOfMultiple(m_first); }
    double High() const { return ValueOfMultiple(m_last); }
    int TickCount() const { return static_cast<int>(m_last - m_first) + 1; }

    // Tick i from the bottom, 0 .. TickCount() - 1.
    double TickValue(int i) const { return ValueOfMultiple(m_first + i); }
    // The tick as a short label, in thousands (k), millions (M), ... up to P once the largest tick
    // reaches 10000: "250", "0.05", "20k", "1.5M", "0.4P".
    std::string TickLabel(int i) const;
    // The tick as a plain decimal number, every digit written: "400000000000000", "0.05".
    std::string TickText(int i) const;

    // The step as mantissa (1, 2 or 5) times ten to the exponent.
    int StepMantissa() const { return m_mantissa; }
    int StepExponent() const { return m_exponent; }

private:
    ChartScale(int mantissa, int exponent) : m_mantissa(mantissa), m_exponent(exponent) {}
    double ValueOfMultiple(std::int64_t multiple) const;
    // Multiple of the step, times the mantissa: the tick's digits before the power of ten.
    std::int64_t TickDigits(int i) const { return (m_first + i) * m_mantissa; }
    void Cover(double lowest, double highest);

    int m_mantissa;
    int m_exponent;
    std::int64_t m_first = 0; // the lowest tick is m_first steps
    std::int64_t m_last = 0;
};
