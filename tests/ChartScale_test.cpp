// The chart's vertical scales: round steps, ticks that cover the values and zero, and their texts.
#include "model/ChartScale.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

namespace {

std::vector<std::string> Labels(const ChartScale& scale) {
    std::vector<std::string> labels;
    for (int i = 0; i < scale.TickCount(); ++i)
        labels.push_back(scale.TickLabel(i));
    return labels;
}

std::vector<std::string> Texts(const ChartScale& scale) {
    std::vector<std::string> texts;
    for (int i = 0; i < scale.TickCount(); ++i)
        texts.push_back(scale.TickText(i));
    return texts;
}

TEST(ChartScale, CoversTheValuesAndZeroWithRoundTicks) {
    const struct {
        double lowest, highest;
        int intervals;
    } cases[] = {
        {800, 1000, 5},
        {0.01, 0.01, 5},
        {30, 30, 4},
        {-250, -3, 5},
        {-1234.5, 987.6, 4},
        {1e15, 1e15, 5},
        {0.5, 1e15, 6},
        {3.3, 17.7, 2},
        {95.24, 95.24, 8},
        {-1e-2, 2e-2, 3},
        {123456789, 1.23456789e12, 5},
        {0.07, 0.3, 5},
        {-7, 7, 2},
        {1, 1e300, 4},
        {-1e300, 1e300, 2},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.lowest) + " .. " + std::to_string(c.highest) + " in " +
                     std::to_string(c.intervals));
        const ChartScale scale = ChartScale::Covering(c.lowest, c.highest, c.intervals);
        const int mantissa = scale.StepMantissa();
        EXPECT_TRUE(mantissa == 1 || mantissa == 2 || mantissa == 5) << mantissa;
        EXPECT_LE(scale.Low(), std::min(c.lowest, 0.0));
        EXPECT_GE(scale.High(), std::max(c.highest, 0.0));
        EXPECT_LE(scale.TickCount() - 1, std::max(c.intervals, 2));
        EXPECT_GE(scale.TickCount(), 2);
        EXPECT_TRUE(std::isfinite(scale.Low()) && std::isfinite(scale.High()));
        for (int i = 0; i < scale.TickCount(); ++i) {
            // Every tick reads back from its own text: the texts and the values agree.
            EXPECT_EQ(std::strtod(scale.TickText(i).c_str(), nullptr), scale.TickValue(i)) << scale.TickText(i);
            if (i > 0) {
                EXPECT_LT(scale.TickValue(i - 1), scale.TickValue(i));
            }
        }
    }
}

TEST(ChartScale, TakesTheSmallestRoundStepThatFits) {
    const struct {
        double lowest, highest;
        int intervals;
        std::vector<std::string> texts;
    } cases[] = {
        {800, 1000, 5, {"0", "200", "400", "600", "800", "1000"}},
        {800, 1010, 5, {"0", "500", "1000", "1500"}},
        {95.24, 95.24, 4, {"0", "50", "100"}},
        {0.07, 0.3, 3, {"0", "0.1", "0.2", "0.3"}},
        {-250, -3, 5, {"-250", "-200", "-150", "-100", "-50", "0"}},
        {-7, 3, 4, {"-10", "-5", "0", "5"}},
        {0.01, 0.05, 5, {"0", "0.01", "0.02", "0.03", "0.04", "0.05"}},
        // Rounding outwards at both ends would need five intervals of 2: the step grows instead.
        {-3, 5, 4, {"-5", "0", "5"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::to_string(c.lowest) + " .. " + std::to_string(c.highest));
        EXPECT_EQ(c.texts, Texts(ChartScale::Covering(c.lowest, c.highest, c.intervals)));
    }
}

TEST(ChartScale, WithoutARangeRunsFromZeroToOne) {
    for (const auto& [lowest, highest] : {std::pair{1.0, 0.0}, std::pair{0.0, 0.0}, std::pair{1e-12, 1e-12}}) {
        const ChartScale scale = ChartScale::Covering(lowest, highest, 4);
        EXPECT_EQ(0, scale.Low());
        EXPECT_EQ(1, scale.High());
        EXPECT_EQ("0.5", scale.TickText(1));
    }
}

TEST(ChartScale, LabelsLargeTicksInThousandsMillionsAndOn) {
    const struct {
        double highest;
        int intervals;
        std::vector<std::string> labels;
    } cases[] = {
        {8000, 4, {"0", "2000", "4000", "6000", "8000"}},
        {10000, 2, {"0", "5k", "10k"}},
        {2.5e6, 5, {"0", "0.5M", "1.0M", "1.5M", "2.0M", "2.5M"}},
        {1e15, 5, {"0", "0.2P", "0.4P", "0.6P", "0.8P", "1.0P"}},
        {4e14, 2, {"0", "200T", "400T"}},
        {3e9, 3, {"0", "1G", "2G", "3G"}},
        {2e20, 2, {"0", "100e18", "200e18"}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.highest);
        EXPECT_EQ(c.labels, Labels(ChartScale::Covering(1, c.highest, c.intervals)));
    }
    // Negative ticks keep their sign; the plain texts keep every digit.
    const ChartScale negative = ChartScale::Covering(-2e6, 0, 2);
    EXPECT_EQ((std::vector<std::string>{"-2M", "-1M", "0"}), Labels(negative));
    EXPECT_EQ((std::vector<std::string>{"-2000000", "-1000000", "0"}), Texts(negative));
}

} // namespace
