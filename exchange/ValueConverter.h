#pragma once

#include "exchange/Cell.h"
#include "exchange/ValueFormats.h"
#include "store/Schema.h"

#include <string>
#include <string_view>

namespace exchange {

// Turns source cells into values of the target fields' types. Every text
// loses its blanks at both ends first (tabs and non-breaking spaces too).
class ValueConverter
{
public:
    explicit ValueConverter(ValueFormats formats) : m_formats(std::move(formats)) {}

    const ValueFormats& formats() const { return m_formats; }

    // The value for a field of `type` and `width` (characters, for text; a
    // longer text is cut): an Empty, Text, Number or Date cell. False, with
    // the reason, for a cell that cannot become such a value.
    bool convert(const Cell& cell, store::FieldType type, int width, Cell& result,
                 std::string& reason) const;

    // Amounts: "1.234,56", "1234,56", "-12,50", "12,50-", "€ 12,50",
    // "12,50 EUR", "1 234,56" (a blank or non-breaking space between groups).
    // Separators between groups must stand three digits apart, so that
    // "12.50" is not read as 1250 when "," is the decimal separator.
    bool parseAmount(std::string_view text, double& amount) const;
    // Dates in the configured order with any separator or none ("18.12.2026",
    // "18/12/26", "181226", "18122026"), and ISO dates ("2026-12-18") in
    // every order. A two-digit year is taken as 20yy.
    bool parseDate(std::string_view text, dtazv::DateTime& date) const;
    bool parseBoolean(std::string_view text, bool& flag) const;

private:
    ValueFormats m_formats;
};

std::string trimmedText(std::string_view text);

} // namespace exchange
