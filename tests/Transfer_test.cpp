// Transfer: a capped quantity trading with its reserve at a fixed rate.
#include "ProjectionFixtures.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>

namespace {

struct TransferCase {
    const char* quantity;
    const char* reserve;
    const char* limit;
    int rate;
    const char* quantityAfter;
    const char* reserveAfter;
};

TEST(Transfer, TradesWithTheReserveUpToTheLimit) {
    const TransferCase cases[] = {
        {"1200", "0", "1000.00", 8, "1000.00", "25"}, // excess returned, the limit's text taken as is
        {"900", "20", "1000", 8, "1000", "7.5"},      // folded in, then the excess returned
        {"900", "10", "1000", 8, "980", "0"},         // folded in completely
        {"500", "30", "400", 1, "400", "130"},        // above the limit the reserve is not folded in
        {"900", "-5", "1000", 8, "860", "0"},         // a negative reserve is folded in too
        {"900", "0", "1000", 8, "900", "0"},          // nothing to do
        {"900", "", "1000", 8, "900", ""},            // an empty reserve reads as 0: left alone
        {"abc", "2", "10", 1, "2", "0"},              // text that is no number reads as 0
        {"10", "-0", "5", 1, "5", "5"},               // minus zero is zero
    };
    CZentharoDoc document{CMapStringToString()};
    for (const TransferCase& c : cases) {
        SCOPED_TRACE(std::string(c.quantity) + " / " + c.reserve + " / " + c.limit);
        CString quantity = c.quantity, reserve = c.reserve;
        document.Transfer(quantity, reserve, c.limit, c.rate);
        EXPECT_EQ(c.quantityAfter, quantity);
        EXPECT_EQ(c.reserveAfter, reserve);
    }
}

TEST(Transfer, ReadsTheLimitBeforeChangingTheQuantity) {
    // The limit is a copy: passing a cell that aliases the quantity must not move the goal post.
    CZentharoDoc document{CMapStringToString()};
    CString quantity = "900", reserve = "20";
    document.Transfer(quantity, reserve, quantity, 8);
    EXPECT_EQ("900", quantity);
    EXPECT_EQ("20", reserve);
}

TEST(Transfer, KeepsQuantityPlusRateTimesReserveOverRandomInputs) {
    std::mt19937_64 random(20261207);
    std::uniform_real_distribution<double> amount(-1e4, 1e5);
    std::uniform_int_distribution<int> rates(1, 8);
    CZentharoDoc document{CMapStringToString()};
    for (int i = 0; i < 20000; ++i) {
        const double q = amount(random), b = amount(random) / 8, l = std::fabs(amount(random));
        const int k = rates(random);
        CString quantity = NumberText::NumberToText(q), reserve = NumberText::NumberToText(b);
        const CString limit = NumberText::NumberToText(l);
        const double before = NumberText::Read(quantity.View()) + k * NumberText::Read(reserve.View());
        document.Transfer(quantity, reserve, limit, k);
        const double qAfter = NumberText::Read(quantity.View()), bAfter = NumberText::Read(reserve.View());
        ASSERT_NEAR(before, qAfter + k * bAfter, 1e-9 * (std::fabs(before) + std::fabs(q) + std::fabs(l) + 1))
            << "q=" << q << " b=" << b << " l=" << l << " k=" << k;
        // Afterwards the quantity is within the limit, and it either holds the limit or the reserve is spent.
        EXPECT_LE(qAfter, NumberText::Read(limit.View()));
        EXPECT_TRUE(quantity == limit || bAfter == 0.0) << quantity.c_str() << " " << reserve.c_str();
    }
}

} // namespace
