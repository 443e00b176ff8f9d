#pragma once

#include <cstdint>

namespace dtazv {

// Days since 30 December 1899 with the time of day as the fraction; 0 stands
// for a date that was never set. Tables, the writer and the DTAZV date fields
// share this representation, so "fifteen days later" is simply value + 15.
using DateTime = double;

struct CivilDateTime
{
    int year = 1899;
    int month = 12;
    int day = 30;
    int hour = 0;
    int minute = 0;
    int second = 0;
    int millisecond = 0;

    friend bool operator==(const CivilDateTime&, const CivilDateTime&) = default;
};

// First and last day count that decodes to a four-digit year (0001-01-01, 9999-12-31).
inline constexpr int64_t kFirstDay = -693593;
inline constexpr int64_t kLastDay = 2958465;

DateTime encodeDate(int year, int month, int day);
DateTime encodeDateTime(const CivilDateTime& civil);

// The date is the whole part truncated toward zero and the time of day the
// magnitude of the fraction, as for the classic day-count type, so -1.25 is
// 29 December 1899, 06:00. Only values for which isRepresentable() is true
// may be decoded.
CivilDateTime decodeDateTime(DateTime value);

// True for finite values whose date lies in the years 1 to 9999.
bool isRepresentable(DateTime value);

// The local date and time of this moment.
DateTime localNow();

} // namespace dtazv
