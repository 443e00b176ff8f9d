#include "dtazv/DateTime.h"

#include <chrono>
#include <cmath>
#include <ctime>

namespace dtazv {
namespace {

constexpr int64_t kUnixEpochDay = 25569; // 1970-01-01 as a day count
constexpr int64_t kMillisecondsPerDay = 86'400'000;

// Days since 1970-01-01 of a proleptic Gregorian date (H. Hinnant's algorithm).
int64_t daysFromCivil(int64_t y, unsigned m, unsigned d)
{
    y -= m <= 2 ? 1 : 0;
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const auto yoe = static_cast<unsigned>(y - era * 400);
    const unsigned doy = (153 * (m > 2 ? m - 3 : m + 9) + 2) / 5 + d - 1;
    const unsigned doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    return era * 146097 + static_cast<int64_t>(doe) - 719468;
}

void civilFromDays(int64_t z, CivilDateTime& out)
{
    z += 719468;
    const int64_t era = (z >= 0 ? z : z - 146096) / 146097;
    const auto doe = static_cast<unsigned>(z - era * 146097);
    const unsigned yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
    const unsigned doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
    const unsigned mp = (5 * doy + 2) / 153;
    const unsigned d = doy - (153 * mp + 2) / 5 + 1;
    const unsigned m = mp < 10 ? mp + 3 : mp - 9;
    out.year = static_cast<int>(static_cast<int64_t>(yoe) + era * 400 + (m <= 2 ? 1 : 0));
    out.month = static_cast<int>(m);
    out.day = static_cast<int>(d);
}

} // namespace

DateTime encodeDate(int year, int month, int day)
{
    return static_cast<DateTime>(
        daysFromCivil(year, static_cast<unsigned>(month), static_cast<unsigned>(day)) +
        kUnixEpochDay);
}

DateTime encodeDateTime(const CivilDateTime& c)
{
    const double time = ((c.hour * 60.0 + c.minute) * 60.0 + c.second) * 1000.0 + c.millisecond;
    const double fraction = time / static_cast<double>(kMillisecondsPerDay);
    const DateTime date = encodeDate(c.year, c.month, c.day);
    return date < 0 ? date - fraction : date + fraction;
}

bool isRepresentable(DateTime value)
{
    if (!std::isfinite(value))
        return false;
    const double day = std::trunc(value);
    return day >= static_cast<double>(kFirstDay) && day <= static_cast<double>(kLastDay);
}

CivilDateTime decodeDateTime(DateTime value)
{
    const double day = std::trunc(value);
    CivilDateTime out;
    civilFromDays(static_cast<int64_t>(day) - kUnixEpochDay, out);
    // Rounding the time of day must never carry into the next date.
    auto ms = std::llround(std::fabs(value - day) * static_cast<double>(kMillisecondsPerDay));
    if (ms >= kMillisecondsPerDay)
        ms = kMillisecondsPerDay - 1;
    out.millisecond = static_cast<int>(ms % 1000);
    out.second = static_cast<int>(ms / 1000 % 60);
    out.minute = static_cast<int>(ms / 60'000 % 60);
    out.hour = static_cast<int>(ms / 3'600'000);
    return out;
}

DateTime localNow()
{
    using namespace std::chrono;
    const auto now = system_clock::now();
    const auto sinceEpoch = duration_cast<milliseconds>(now.time_since_epoch()).count();
    const std::time_t seconds = static_cast<std::time_t>(sinceEpoch / 1000);

    // Converting to local time consults the time-zone database on every call;
    // the offset of the second last asked for is kept, which is exact because
    // an offset cannot change within one second.
    static std::time_t cachedSecond = -1;
    static DateTime cachedLocal = 0;
    if (seconds != cachedSecond) {
        const std::tm* local = std::localtime(&seconds);
        if (local == nullptr) // outside what the C library can convert: take UTC
            return static_cast<DateTime>(sinceEpoch) / static_cast<double>(kMillisecondsPerDay) +
                   static_cast<double>(kUnixEpochDay);
        CivilDateTime c;
        c.year = local->tm_year + 1900;
        c.month = local->tm_mon + 1;
        c.day = local->tm_mday;
        c.hour = local->tm_hour;
        c.minute = local->tm_min;
        c.second = local->tm_sec;
        cachedLocal = encodeDateTime(c);
        cachedSecond = seconds;
    }
    const double ms = static_cast<double>(sinceEpoch % 1000);
    return cachedLocal + ms / static_cast<double>(kMillisecondsPerDay);
}

} // namespace dtazv
