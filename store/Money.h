#pragma once

#include "store/Schema.h"
#include "store/Value.h"

#include <compare>
#include <cstdint>

namespace store {

// An amount in whole units of 1/10,000, the precision of the tables'
// Currency fields. Amounts are added and compared in these units: as binary
// fractions, 100,000 amounts of 5005.6447 do not add up to a whole number of
// cents. Sums stop at the largest (smallest) amount instead of overflowing.
class Money
{
public:
    static constexpr int64_t kUnitsPerWhole = 10000;

    constexpr Money() = default;
    static constexpr Money fromUnits(int64_t units) { return Money(units); }
    static constexpr Money fromWhole(int64_t whole) { return Money(whole * kUnitsPerWhole); }
    // The nearest amount, a half unit away from zero: the one rounding of a
    // value read from a table. Not a number reads as 0; a value beyond the
    // range as the largest (smallest) amount.
    static Money fromDouble(double value);

    constexpr int64_t units() const { return m_units; }
    // The binary number nearest to the amount, as the tables store it.
    double toDouble() const;
    // Rounded to whole units of the currency, a half to the even neighbour.
    int64_t roundedToWhole() const;

    Money& operator+=(Money other);
    Money& operator-=(Money other);
    friend Money operator+(Money a, Money b) { return a += b; }
    friend Money operator-(Money a, Money b) { return a -= b; }
    friend constexpr auto operator<=>(Money, Money) = default;

private:
    constexpr explicit Money(int64_t units) : m_units(units) {}

    int64_t m_units = 0;
};

// A value of a Currency (or Float) field as an amount; empty reads as 0.
// Raises StoreError as valueAsFloat does.
Money valueAsMoney(const Value& v, FieldType type);

} // namespace store
