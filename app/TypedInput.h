#pragma once

#include <QDate>
#include <QLocale>
#include <QString>
#include <optional>

// What a user types into a date or amount editor, read exactly as typed:
// an editor stores the value read here or refuses the input, never a guess.
namespace app {

// Day, month and year in this order: one or two digits for day and month,
// two or four for the year (two digits: this century), separated by ".",
// "/" or "-", or run together as ddmmyy or ddmmyyyy. A blank text reads as
// the null date (the field is cleared); anything else gives nothing.
std::optional<QDate> readTypedDate(const QString& text);

// How the editors show a date: dd.mm.yyyy, blank for the null date.
QString dateText(const QDate& date);

struct AmountReading
{
    enum class Fault
    {
        None,
        Unreadable,
        Ambiguous, // "1.250" reads as 1250 one way and as 1,25 the other
        TooManyDecimals,
        OutOfRange,
    };
    Fault fault = Fault::None;
    std::optional<double> amount; // empty with Fault::None: the field is cleared
};

// The largest amount an editor takes; the DTAZV file holds no larger one.
inline constexpr double kLargestAmount = 2147483647.99;

// An amount in the forms of `locale` ("1250,50", "1.250,50", "1250" for a
// German one; "1,250.50" for an English one), with or without "€" or "EUR";
// the other convention is taken too where it cannot be mistaken for one of
// this locale. At most two decimals, never negative.
AmountReading readTypedAmount(const QString& text, const QLocale& locale = QLocale());

// How the editors show an amount for typing: two decimals, no grouping.
QString amountEditText(double amount, const QLocale& locale = QLocale());

// The messages of refused input, in the current language.
QString refusedDateMessage(const QString& typed);
QString refusedAmountMessage(const QString& typed, AmountReading::Fault fault,
                             const QLocale& locale = QLocale());

} // namespace app
