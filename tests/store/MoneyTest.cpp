#include "store/Money.h"

#include "store/StoreError.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace store {
namespace {

constexpr int64_t kLargest = std::numeric_limits<int64_t>::max();
constexpr int64_t kSmallest = std::numeric_limits<int64_t>::min();

TEST(Money, ReadingRoundsOnceToFourDecimals)
{
    const struct
    {
        double stored;
        int64_t units;
    } cases[] = {
        {5005.6447, 50056447},
        {0.7 + 0.2 + 0.1, 10000}, // 0.9999999999999999
        {std::nextafter(12500.0, 0.0), 125000000},
        {1.23456, 12346},
        {-1.23456, -12346},
        {0.00005, 1}, // half a unit: away from zero
        {-0.00005, -1},
        {0.00004999, 0},
        {2147483647.9999, 21474836479999},
        {std::nan(""), 0},
        {1e300, kLargest},
        {-std::numeric_limits<double>::infinity(), kSmallest},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.stored);
        EXPECT_EQ(Money::fromDouble(c.stored).units(), c.units);
    }
}

TEST(Money, TheNearestBinaryNumberReadsBackAsTheSameAmount)
{
    for (const int64_t units : {int64_t(0), int64_t(1), int64_t(-1), int64_t(50056447),
                                int64_t(5005644722850000), int64_t(21474836479999)}) {
        SCOPED_TRACE(units);
        const Money amount = Money::fromUnits(units);
        EXPECT_EQ(Money::fromDouble(amount.toDouble()), amount);
    }
    EXPECT_EQ(Money::fromUnits(5005644728500).toDouble(), 500564472.85);
    EXPECT_EQ(Money::fromWhole(12500).units(), 125000000);
}

TEST(Money, RoundingToWholeUnitsTakesAHalfToTheEvenNeighbour)
{
    const struct
    {
        double amount;
        int64_t whole;
    } cases[] = {
        {50000.50, 50000}, {50000.51, 50001}, {50001.50, 50002}, {0.5, 0},      {1.5, 2},
        {0.4999, 0},       {-2.5, -2},        {-3.5, -4},        {-2.5001, -3}, {-0.4999, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.amount);
        EXPECT_EQ(Money::fromDouble(c.amount).roundedToWhole(), c.whole);
    }
}

TEST(Money, SumsAreExactAndStopAtTheEndsOfTheRange)
{
    Money sum;
    for (int i = 0; i < 99999; ++i)
        sum += Money::fromDouble(5005.6447);
    sum += Money::fromDouble(5008.49);
    EXPECT_EQ(sum.units(), 5005644728453);
    EXPECT_EQ(sum.toDouble(), 500564472.8453);
    EXPECT_EQ((sum - Money::fromDouble(5008.49)).units(), 5005594643553);

    EXPECT_EQ((Money::fromUnits(kLargest - 1) + Money::fromUnits(5)).units(), kLargest);
    EXPECT_EQ((Money::fromUnits(kSmallest + 1) + Money::fromUnits(-5)).units(), kSmallest);
    EXPECT_EQ((Money::fromUnits(kSmallest + 1) - Money::fromUnits(5)).units(), kSmallest);
    EXPECT_EQ((Money::fromUnits(kLargest - 1) - Money::fromUnits(-5)).units(), kLargest);
    EXPECT_EQ((Money::fromUnits(kLargest) - Money::fromUnits(kLargest)).units(), 0);
}

TEST(Money, ComparedInUnits)
{
    EXPECT_LT(Money::fromDouble(0.99), Money::fromWhole(1));
    EXPECT_FALSE(Money::fromDouble(1.00) < Money::fromWhole(1));
    EXPECT_GE(Money::fromDouble(12500.00), Money::fromWhole(12500));
    EXPECT_LT(Money::fromDouble(12499.99), Money::fromWhole(12500));
    EXPECT_EQ(Money::fromDouble(0.1 + 0.2), Money::fromDouble(0.3));
}

TEST(Money, ReadFromStoredValues)
{
    EXPECT_EQ(valueAsMoney(Value{}, FieldType::Currency), Money());
    EXPECT_EQ(valueAsMoney(Value{int64_t(7)}, FieldType::Currency), Money::fromWhole(7));
    EXPECT_EQ(valueAsMoney(Value{std::string("12,5")}, FieldType::Currency).units(), 125000);
    EXPECT_THROW(valueAsMoney(Value{std::string("zwölf")}, FieldType::Currency), StoreError);
}

} // namespace
} // namespace store
