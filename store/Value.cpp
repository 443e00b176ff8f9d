#include "store/Value.h"

#include "store/StoreError.h"

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <optional>

namespace store {
namespace {

std::string formatNumber(double v)
{
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, "%.15g", v);
    return buffer;
}

bool parseNumber(std::string_view text, double& out)
{
    std::string s(text);
    while (!s.empty() && s.back() == ' ')
        s.pop_back();
    std::size_t start = s.find_first_not_of(' ');
    if (start == std::string::npos)
        return false;
    s.erase(0, start);
    // Accept a decimal comma as well, as typed in German.
    if (s.find('.') == std::string::npos) {
        if (const auto comma = s.find(','); comma != std::string::npos)
            s[comma] = '.';
    }
    const char* begin = s.c_str();
    char* end = nullptr;
    out = std::strtod(begin, &end);
    // To the end of the text, not to a NUL byte inside it (a BLOB "1\0..."
    // is no amount of 1).
    return end != begin && end == begin + s.size() && std::isfinite(out);
}

std::optional<bool> parseBoolean(std::string_view text)
{
    if (equalsIgnoringCase(text, "true") || text == "1")
        return true;
    if (equalsIgnoringCase(text, "false") || text == "0" || text.empty())
        return false;
    return std::nullopt;
}

// A stored value as a message can quote it: control characters as \xNN (a
// NUL byte would end the message wherever it is printed as a C string), and
// a long value cut, since anything may stand in a damaged field.
std::string quotable(std::string_view text)
{
    constexpr int kShownCharacters = 40;
    const std::string shown = cutToCharacters(text, kShownCharacters);
    std::string quoted;
    for (const char c : shown) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte == 0x7F) {
            static const char* hex = "0123456789ABCDEF";
            quoted += "\\x";
            quoted += hex[byte >> 4];
            quoted += hex[byte & 15];
        } else {
            quoted += c;
        }
    }
    return shown.size() < text.size() ? quoted + "..." : quoted;
}

[[noreturn]] void notA(const char* kind, std::string_view text)
{
    throw StoreError("'" + quotable(text) + "' is not a valid " + kind + " value");
}

bool isNumeric(FieldType type)
{
    return type == FieldType::Float || type == FieldType::Currency;
}

[[noreturn]] void readOnly()
{
    throw StoreError("The row number is assigned by the table and cannot be changed");
}

} // namespace

double roundHalfToEven(double value)
{
    const double floor = std::floor(value);
    const double rest = value - floor;
    if (rest > 0.5 || (rest == 0.5 && std::fmod(floor, 2.0) != 0.0))
        return floor + 1.0;
    return floor;
}

std::string cutToCharacters(std::string_view text, int width)
{
    std::size_t pos = 0;
    for (int count = 0; pos < text.size() && count < width; ++count) {
        ++pos;
        while (pos < text.size() && (static_cast<unsigned char>(text[pos]) & 0xC0) == 0x80)
            ++pos;
    }
    return std::string(text.substr(0, pos));
}

std::string formatIsoDate(DateTime date)
{
    if (!dtazv::isRepresentable(date))
        throw StoreError("The date is outside the years 1 to 9999");
    const dtazv::CivilDateTime c = dtazv::decodeDateTime(date);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d", c.year, c.month, c.day);
    return buffer;
}

bool parseDate(std::string_view text, DateTime& date)
{
    int y = 0, m = 0, d = 0;
    const std::string s(text.substr(0, 10));
    int consumed = 0;
    if (std::sscanf(s.c_str(), "%4d-%2d-%2d%n", &y, &m, &d, &consumed) == 3 && consumed == 10) {
    } else if (std::sscanf(s.c_str(), "%2d.%2d.%4d%n", &d, &m, &y, &consumed) == 3 &&
               consumed == 10) {
    } else {
        return false;
    }
    if (y < 1 || y > 9999 || m < 1 || m > 12 || d < 1 || d > 31)
        return false;
    date = dtazv::encodeDate(y, m, d);
    // Reject days the month does not have (31 April becomes 1 May otherwise).
    return dtazv::decodeDateTime(date).day == d;
}

Value normalised(Value v, FieldType type)
{
    switch (type) {
    case FieldType::AutoInc:
    case FieldType::Boolean:
        if (const double* f = std::get_if<double>(&v))
            return static_cast<int64_t>(*f);
        return v;
    case FieldType::Float:
    case FieldType::Currency:
        if (const int64_t* i = std::get_if<int64_t>(&v))
            return static_cast<double>(*i);
        return v;
    case FieldType::Text:
    case FieldType::Date:
        if (const int64_t* i = std::get_if<int64_t>(&v))
            return std::to_string(*i);
        if (const double* f = std::get_if<double>(&v))
            return formatNumber(*f);
        return v;
    }
    return v;
}

std::string valueAsText(const Value& v, FieldType type)
{
    if (isNull(v))
        return {};
    if (const std::string* s = std::get_if<std::string>(&v))
        return *s;
    if (const int64_t* i = std::get_if<int64_t>(&v))
        return type == FieldType::Boolean ? (*i ? "True" : "False") : std::to_string(*i);
    return formatNumber(std::get<double>(v));
}

double valueAsFloat(const Value& v, FieldType type)
{
    if (isNull(v))
        return 0;
    if (const int64_t* i = std::get_if<int64_t>(&v))
        return static_cast<double>(*i);
    if (const double* f = std::get_if<double>(&v))
        return *f;
    const std::string& s = std::get<std::string>(v);
    if (type == FieldType::Date)
        return valueAsDate(v, type);
    double number = 0;
    if (!parseNumber(s, number))
        notA("floating point", s);
    return number;
}

int64_t valueAsLargeInt(const Value& v, FieldType type)
{
    if (const int64_t* i = std::get_if<int64_t>(&v))
        return *i;
    const double rounded = roundHalfToEven(valueAsFloat(v, type));
    if (!std::isfinite(rounded))
        return 0;
    // Beyond 64 bits only the low bits can be kept, as for any cut.
    const double wrapped = std::fmod(rounded, 18446744073709551616.0);
    if (wrapped >= 9223372036854775808.0)
        return static_cast<int64_t>(wrapped - 18446744073709551616.0);
    if (wrapped < -9223372036854775808.0)
        return static_cast<int64_t>(wrapped + 18446744073709551616.0);
    return static_cast<int64_t>(wrapped);
}

int32_t valueAsInteger(const Value& v, FieldType type)
{
    return static_cast<int32_t>(static_cast<uint32_t>(valueAsLargeInt(v, type)));
}

DateTime valueAsDate(const Value& v, FieldType type)
{
    if (isNull(v))
        return 0;
    if (const std::string* s = std::get_if<std::string>(&v)) {
        DateTime date = 0;
        if (!parseDate(*s, date))
            notA("date", *s);
        return date;
    }
    return valueAsFloat(v, type);
}

bool valueAsBoolean(const Value& v, FieldType)
{
    if (isNull(v))
        return false;
    if (const int64_t* i = std::get_if<int64_t>(&v))
        return *i != 0;
    if (const double* f = std::get_if<double>(&v))
        return *f != 0;
    const std::string& s = std::get<std::string>(v);
    if (const std::optional<bool> flag = parseBoolean(s))
        return *flag;
    notA("boolean", s);
}

bool isReadableAs(const Value& v, FieldType type)
{
    const std::string* text = std::get_if<std::string>(&v);
    if (!text)
        return true; // empty, or a number: every kind reads it
    double number = 0;
    DateTime date = 0;
    switch (type) {
    case FieldType::Text:
        return true;
    case FieldType::Date:
        return parseDate(*text, date);
    case FieldType::Boolean:
        return parseBoolean(*text).has_value();
    case FieldType::AutoInc:
    case FieldType::Float:
    case FieldType::Currency:
        return parseNumber(*text, number);
    }
    return false;
}

Value valueFromText(std::string_view text, FieldType type, int width)
{
    if (text.empty())
        return {};
    switch (type) {
    case FieldType::Text:
        return cutToCharacters(text, width);
    case FieldType::Date: {
        DateTime date = 0;
        if (!parseDate(text, date))
            notA("date", text);
        return formatIsoDate(date);
    }
    case FieldType::Boolean:
        return static_cast<int64_t>(valueAsBoolean(std::string(text), type));
    case FieldType::AutoInc:
        readOnly();
    case FieldType::Float:
    case FieldType::Currency: {
        double number = 0;
        if (!parseNumber(text, number))
            notA("floating point", text);
        return number;
    }
    }
    return {};
}

Value valueFromFloat(double number, FieldType type, int width)
{
    if (type == FieldType::AutoInc)
        readOnly();
    if (isNumeric(type))
        return number;
    if (type == FieldType::Boolean)
        return static_cast<int64_t>(number != 0);
    if (type == FieldType::Date)
        return formatIsoDate(number);
    return cutToCharacters(formatNumber(number), width);
}

Value valueFromDate(DateTime date, FieldType type, int width)
{
    if (type == FieldType::Text)
        return cutToCharacters(formatIsoDate(date), width);
    if (type == FieldType::Date)
        return formatIsoDate(date);
    return valueFromFloat(date, type, width);
}

Value valueFromBoolean(bool flag, FieldType type, int width)
{
    if (type == FieldType::Text)
        return cutToCharacters(flag ? "True" : "False", width);
    if (type == FieldType::Date)
        notA("date", flag ? "True" : "False");
    return valueFromFloat(flag ? 1.0 : 0.0, type, width);
}

} // namespace store
