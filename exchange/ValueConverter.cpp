#include "exchange/ValueConverter.h"

#include "store/Value.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <charconv>
#include <cmath>
#include <cstdio>

namespace exchange {

namespace {

constexpr std::string_view kNoBreakSpace = "\xC2\xA0";
constexpr std::string_view kNarrowNoBreakSpace = "\xE2\x80\xAF";

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

std::string lowerAscii(std::string_view text)
{
    std::string lower(text);
    std::transform(lower.begin(), lower.end(), lower.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return lower;
}

void replaceAll(std::string& text, std::string_view from, std::string_view to)
{
    if (from.empty())
        return;
    for (std::size_t at = text.find(from); at != std::string::npos;
         at = text.find(from, at + to.size()))
        text.replace(at, from.size(), to);
}

void eraseIgnoringCase(std::string& text, std::string_view word)
{
    const std::string lowerWord = lowerAscii(word);
    for (std::size_t at = lowerAscii(text).find(lowerWord); at != std::string::npos;
         at = lowerAscii(text).find(lowerWord))
        text.erase(at, word.size());
}

// Digits in groups: "1234" or "1 234 567" (groups of three after the first).
bool takeGroupedDigits(std::string_view text, std::string& digits)
{
    std::size_t group = 0;
    bool grouped = false;
    for (char c : text) {
        if (isDigit(c)) {
            digits += c;
            ++group;
        } else if (c == ' ') {
            if (group == 0 || (grouped && group != 3) || (!grouped && group > 3))
                return false;
            grouped = true;
            group = 0;
        } else {
            return false;
        }
    }
    return !grouped || group == 3;
}

int daysInMonth(int year, int month)
{
    static constexpr std::array<int, 12> days{31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    const bool leap = (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
    return month == 2 && leap ? 29 : days[static_cast<std::size_t>(month - 1)];
}

int number(std::string_view digits)
{
    int value = 0;
    std::from_chars(digits.data(), digits.data() + digits.size(), value);
    return value;
}

std::string formatNumber(double value, const std::string& decimal)
{
    char buffer[64];
    if (std::abs(value) < 1e15 && value == std::trunc(value))
        std::snprintf(buffer, sizeof buffer, "%.0f", value);
    else
        std::snprintf(buffer, sizeof buffer, "%.15g", value);
    std::string text = buffer;
    replaceAll(text, ".", decimal);
    return text;
}

std::string formatDate(dtazv::DateTime date)
{
    const dtazv::CivilDateTime civil = dtazv::decodeDateTime(date);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "%02d.%02d.%04d", civil.day, civil.month, civil.year);
    return buffer;
}

} // namespace

std::string trimmedText(std::string_view text)
{
    const auto blankAt = [&](std::size_t at, bool fromEnd) -> std::size_t {
        for (std::string_view blank :
             {std::string_view(" "), std::string_view("\t"), std::string_view("\r"),
              std::string_view("\n"), kNoBreakSpace, kNarrowNoBreakSpace}) {
            if (!fromEnd && text.substr(at).starts_with(blank))
                return blank.size();
            if (fromEnd && text.substr(0, at).ends_with(blank))
                return blank.size();
        }
        return 0;
    };
    std::size_t begin = 0;
    std::size_t end = text.size();
    while (begin < end) {
        const std::size_t n = blankAt(begin, false);
        if (n == 0)
            break;
        begin += n;
    }
    while (end > begin) {
        const std::size_t n = blankAt(end, true);
        if (n == 0)
            break;
        end -= n;
    }
    return std::string(text.substr(begin, end - begin));
}

bool ValueConverter::parseAmount(std::string_view text, double& amount) const
{
    std::string s(text);
    replaceAll(s, kNoBreakSpace, " ");
    replaceAll(s, kNarrowNoBreakSpace, " ");
    if (!m_formats.currencySymbol.empty())
        eraseIgnoringCase(s, m_formats.currencySymbol);
    replaceAll(s, "€", "");
    eraseIgnoringCase(s, "EUR");
    s = trimmedText(s);

    bool negative = false;
    if (!s.empty() && (s.front() == '-' || s.front() == '+')) {
        negative = s.front() == '-';
        s = trimmedText(s.substr(1));
    } else if (!s.empty() && (s.back() == '-' || s.back() == '+')) {
        negative = s.back() == '-';
        s = trimmedText(s.substr(0, s.size() - 1));
    }
    if (s.empty())
        return false;

    const std::string& decimal = m_formats.decimal.empty() ? std::string(",") : m_formats.decimal;
    std::string whole = s;
    std::string fraction;
    const std::size_t point = s.find(decimal);
    if (point != std::string::npos) {
        whole = s.substr(0, point);
        fraction = s.substr(point + decimal.size());
        if (fraction.empty() || !std::all_of(fraction.begin(), fraction.end(), isDigit))
            return false;
    }
    if (!m_formats.thousands.empty() && m_formats.thousands != decimal)
        replaceAll(whole, m_formats.thousands, " ");
    std::string digits;
    if (!takeGroupedDigits(whole, digits) || (digits.empty() && fraction.empty()))
        return false;
    const std::string plain =
        (digits.empty() ? "0" : digits) + "." + (fraction.empty() ? "0" : fraction);
    const auto [end, error] = std::from_chars(plain.data(), plain.data() + plain.size(), amount);
    if (error != std::errc() || end != plain.data() + plain.size() || !std::isfinite(amount))
        return false;
    if (negative)
        amount = -amount;
    return true;
}

bool ValueConverter::parseDate(std::string_view text, dtazv::DateTime& date) const
{
    std::string s = trimmedText(text);
    // A time of day after the date, as some programs export it, is dropped.
    if (const std::size_t space = s.find(' ');
        space != std::string::npos && s.find(':', space) != std::string::npos)
        s = s.substr(0, space);

    std::vector<std::string> groups;
    for (std::size_t i = 0; i < s.size();) {
        if (isDigit(s[i])) {
            std::size_t j = i;
            while (j < s.size() && isDigit(s[j]))
                ++j;
            groups.push_back(s.substr(i, j - i));
            i = j;
        } else {
            ++i;
        }
    }
    if (groups.size() == 1) {
        const std::string run = groups.front();
        if (run.size() != 6 && run.size() != 8)
            return false;
        const std::size_t yearLength = run.size() - 4;
        if (m_formats.dateOrder == DateOrder::YMD)
            groups = {run.substr(0, yearLength), run.substr(yearLength, 2),
                      run.substr(yearLength + 2, 2)};
        else
            groups = {run.substr(0, 2), run.substr(2, 2), run.substr(4)};
    } else if (groups.size() != 3 || s.empty() || !isDigit(s.front()) || !isDigit(s.back())) {
        return false;
    }

    std::string dayText, monthText, yearText;
    if (groups[0].size() == 4 || m_formats.dateOrder == DateOrder::YMD) {
        yearText = groups[0];
        monthText = groups[1];
        dayText = groups[2];
    } else if (m_formats.dateOrder == DateOrder::MDY) {
        monthText = groups[0];
        dayText = groups[1];
        yearText = groups[2];
    } else {
        dayText = groups[0];
        monthText = groups[1];
        yearText = groups[2];
    }
    if (dayText.size() > 2 || monthText.size() > 2 ||
        (yearText.size() != 2 && yearText.size() != 4))
        return false;
    int year = number(yearText);
    if (yearText.size() == 2)
        year += 2000;
    const int month = number(monthText);
    const int day = number(dayText);
    if (year < 1 || month < 1 || month > 12 || day < 1 || day > daysInMonth(year, month))
        return false;
    date = dtazv::encodeDate(year, month, day);
    return true;
}

bool ValueConverter::parseBoolean(std::string_view text, bool& flag) const
{
    const std::string lower = lowerAscii(trimmedText(text));
    if (lower == lowerAscii(m_formats.trueText)) {
        flag = true;
        return true;
    }
    if (lower == lowerAscii(m_formats.falseText)) {
        flag = false;
        return true;
    }
    for (const char* word : {"wahr", "true", "ja", "yes", "j", "y", "1", "x", "-1"}) {
        if (lower == word) {
            flag = true;
            return true;
        }
    }
    for (const char* word : {"falsch", "false", "nein", "no", "n", "0"}) {
        if (lower == word) {
            flag = false;
            return true;
        }
    }
    return false;
}

bool ValueConverter::convert(const Cell& cell, store::FieldType type, int width, Cell& result,
                             std::string& reason) const
{
    std::string text;
    switch (cell.kind) {
    case Cell::Kind::Empty:
        result = Cell();
        return true;
    case Cell::Kind::Text:
        text = trimmedText(cell.text);
        break;
    case Cell::Kind::Number:
        text = formatNumber(cell.number, m_formats.decimal);
        break;
    case Cell::Kind::Date:
        text = formatDate(cell.date);
        break;
    }
    if (text.empty()) {
        result = Cell();
        return true;
    }

    switch (type) {
    case store::FieldType::Text:
        result = Cell::fromText(store::cutToCharacters(text, width));
        return true;
    case store::FieldType::Currency:
    case store::FieldType::Float: {
        if (cell.kind == Cell::Kind::Number) {
            result = Cell::fromNumber(cell.number);
            return true;
        }
        double amount = 0;
        if (cell.kind == Cell::Kind::Text && parseAmount(text, amount)) {
            result = Cell::fromNumber(amount);
            return true;
        }
        reason = "not an amount";
        return false;
    }
    case store::FieldType::Date: {
        if (cell.kind == Cell::Kind::Date) {
            result = Cell::fromDate(cell.date);
            return true;
        }
        dtazv::DateTime date = 0;
        if (cell.kind == Cell::Kind::Text && parseDate(text, date)) {
            result = Cell::fromDate(date);
            return true;
        }
        reason = "not a date";
        return false;
    }
    case store::FieldType::Boolean: {
        bool flag = false;
        if (cell.kind == Cell::Kind::Number)
            flag = cell.number != 0;
        else if (!parseBoolean(text, flag)) {
            reason = "neither \"" + m_formats.trueText + "\" nor \"" + m_formats.falseText + "\"";
            return false;
        }
        result = Cell::fromNumber(flag ? 1 : 0);
        return true;
    }
    case store::FieldType::AutoInc:
        break;
    }
    reason = "a field the import cannot write";
    return false;
}

} // namespace exchange
