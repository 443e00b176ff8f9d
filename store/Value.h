#pragma once

#include "dtazv/DateTime.h"
#include "store/Schema.h"

#include <cstdint>
#include <string>
#include <string_view>
#include <variant>

namespace store {

using dtazv::DateTime;

// One stored value: empty (NULL), a whole number (AutoInc, Boolean), a
// floating-point number (Float, Currency) or a text (Text, Date as
// 'YYYY-MM-DD').
using Value = std::variant<std::monostate, int64_t, double, std::string>;

inline bool isNull(const Value& v)
{
    return std::holds_alternative<std::monostate>(v);
}

// The text a Text or Date value holds, without a copy; "" for anything else.
inline const std::string& textOf(const Value& v)
{
    static const std::string empty;
    const std::string* text = std::get_if<std::string>(&v);
    return text ? *text : empty;
}

// Reading a value of a field of type `type` as each of the kinds callers
// use. Empty reads as "", 0, false and the day 0. A text that does not read
// as the kind asked for raises StoreError.
std::string valueAsText(const Value& v, FieldType type);
double valueAsFloat(const Value& v, FieldType type);
// Rounded to the nearest whole number, a half to the even neighbour.
int64_t valueAsLargeInt(const Value& v, FieldType type);
// The same, cut to its lowest 32 bits.
int32_t valueAsInteger(const Value& v, FieldType type);
DateTime valueAsDate(const Value& v, FieldType type);
bool valueAsBoolean(const Value& v, FieldType type);
// Whether the value reads as its field's own type (a Boolean field's as
// Boolean, a date field's as date, ...) without raising: false for a text
// that another program stored into a number, date or Boolean field. Views
// show such a value as empty.
bool isReadableAs(const Value& v, FieldType type);

// The value to store when a field of `type` (and `width` characters, for
// text) is written as each kind. An empty text stores NULL; a longer text is
// cut to the width.
Value valueFromText(std::string_view text, FieldType type, int width);
Value valueFromFloat(double number, FieldType type, int width);
Value valueFromDate(DateTime date, FieldType type, int width);
Value valueFromBoolean(bool flag, FieldType type, int width);

// The stored representation of a value read from the table, made to match
// the field's type where that is possible.
Value normalised(Value v, FieldType type);

std::string formatIsoDate(DateTime date);
// 'YYYY-MM-DD' (also with a time part) or 'DD.MM.YYYY'; false if neither.
bool parseDate(std::string_view text, DateTime& date);

double roundHalfToEven(double value);

// The first `width` characters of a UTF-8 text.
std::string cutToCharacters(std::string_view text, int width);

} // namespace store
