#include "dtazv/DateTime.h"

#include <cmath>
#include <gtest/gtest.h>
#include <limits>

namespace dtazv {
namespace {

TEST(DateTime, DayCountsFromThe30thOfDecember1899)
{
    struct Case
    {
        CivilDateTime civil;
        DateTime value;
    };
    const Case cases[] = {
        {{1899, 12, 30}, 0.0},
        {{1899, 12, 29, 6, 0, 0, 0}, -1.25},
        {{1900, 1, 1}, 2.0},
        {{1970, 1, 1}, 25569.0},
        {{2000, 2, 29, 12, 0, 0, 0}, 36585.5},
        {{2026, 12, 11, 18, 0, 0, 0}, 46367.75},
        {{1, 1, 1}, static_cast<DateTime>(kFirstDay)},
        {{9999, 12, 31}, static_cast<DateTime>(kLastDay)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_DOUBLE_EQ(encodeDateTime(c.civil), c.value);
        EXPECT_EQ(decodeDateTime(c.value), c.civil);
    }
}

TEST(DateTime, TimeOfDayNeverCarriesIntoTheNextDate)
{
    const CivilDateTime c = decodeDateTime(encodeDate(2026, 12, 11) + 0.99999999999);
    EXPECT_EQ(c.day, 11);
    EXPECT_EQ(c.hour, 23);
}

TEST(DateTime, OnlyFourDigitYearsAreRepresentable)
{
    EXPECT_TRUE(isRepresentable(0));
    EXPECT_TRUE(isRepresentable(static_cast<DateTime>(kFirstDay)));
    EXPECT_TRUE(isRepresentable(static_cast<DateTime>(kLastDay) + 0.9));
    EXPECT_FALSE(isRepresentable(static_cast<DateTime>(kFirstDay) - 1));
    EXPECT_FALSE(isRepresentable(static_cast<DateTime>(kLastDay) + 1));
    EXPECT_FALSE(isRepresentable(std::numeric_limits<double>::quiet_NaN()));
    EXPECT_FALSE(isRepresentable(std::numeric_limits<double>::infinity()));
}

TEST(DateTime, LocalNowIsAPlausibleMoment)
{
    const DateTime now = localNow();
    EXPECT_GT(now, encodeDate(2020, 1, 1));
    EXPECT_LT(now, encodeDate(2200, 1, 1));
}

} // namespace
} // namespace dtazv
