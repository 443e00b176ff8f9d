#include "store/Money.h"

#include <cmath>
#include <limits>

namespace store {
namespace {

constexpr int64_t kLargest = std::numeric_limits<int64_t>::max();
constexpr int64_t kSmallest = std::numeric_limits<int64_t>::min();

} // namespace

Money Money::fromDouble(double value)
{
    if (std::isnan(value))
        return {};
    const double units = std::round(value * static_cast<double>(kUnitsPerWhole));
    // 2^63 is the first binary number beyond the range; -2^63 is inside it.
    if (units >= 9223372036854775808.0)
        return Money(kLargest);
    if (units < -9223372036854775808.0)
        return Money(kSmallest);
    return Money(static_cast<int64_t>(units));
}

double Money::toDouble() const
{
    return static_cast<double>(m_units) / static_cast<double>(kUnitsPerWhole);
}

int64_t Money::roundedToWhole() const
{
    const int64_t whole = m_units / kUnitsPerWhole;
    const int64_t rest = m_units % kUnitsPerWhole; // has the sign of the amount
    const int64_t half = kUnitsPerWhole / 2;
    const bool odd = whole % 2 != 0;
    if (rest > half || (rest == half && odd))
        return whole + 1;
    if (rest < -half || (rest == -half && odd))
        return whole - 1;
    return whole;
}

Money& Money::operator+=(Money other)
{
    if (other.m_units > 0 && m_units > kLargest - other.m_units)
        m_units = kLargest;
    else if (other.m_units < 0 && m_units < kSmallest - other.m_units)
        m_units = kSmallest;
    else
        m_units += other.m_units;
    return *this;
}

Money& Money::operator-=(Money other)
{
    if (other.m_units < 0 && m_units > kLargest + other.m_units)
        m_units = kLargest;
    else if (other.m_units > 0 && m_units < kSmallest + other.m_units)
        m_units = kSmallest;
    else
        m_units -= other.m_units;
    return *this;
}

Money valueAsMoney(const Value& v, FieldType type)
{
    return Money::fromDouble(valueAsFloat(v, type));
}

} // namespace store
