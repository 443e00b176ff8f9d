#include "app/TypedInput.h"

#include "language/CurrentLanguage.h"

#include <QRegularExpression>

namespace app {
namespace {

struct Convention
{
    QChar decimal;
    QChar group;
};

const Convention kGerman{QLatin1Char(','), QLatin1Char('.')};
const Convention kEnglish{QLatin1Char('.'), QLatin1Char(',')};

// An amount as written in one convention: whole units and the decimals as
// typed; nothing when the text is not a number of that convention.
struct Decimal
{
    QString whole;
    QString fraction;

    bool operator==(const Decimal& other) const
    {
        return wholeDigits() == other.wholeDigits() &&
               significantFraction() == other.significantFraction();
    }
    QString wholeDigits() const
    {
        QString digits = whole;
        while (digits.size() > 1 && digits.front() == QLatin1Char('0'))
            digits.remove(0, 1);
        return digits.isEmpty() ? QStringLiteral("0") : digits;
    }
    QString significantFraction() const
    {
        QString digits = fraction;
        while (!digits.isEmpty() && digits.back() == QLatin1Char('0'))
            digits.chop(1);
        return digits;
    }
};

std::optional<Decimal> readAs(const QString& text, const Convention& c)
{
    const QString group = QRegularExpression::escape(QString(c.group));
    const QString decimal = QRegularExpression::escape(QString(c.decimal));
    const QRegularExpression pattern(
        QStringLiteral("^(\\d{1,3}(?:%1\\d{3})+|\\d*)(?:%2(\\d+))?$").arg(group, decimal));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch() || (match.captured(1).isEmpty() && match.captured(2).isEmpty()))
        return std::nullopt;
    return Decimal{match.captured(1).remove(c.group), match.captured(2)};
}

// Blanks (also the non-breaking ones a spreadsheet copies) and the currency
// go; what is left must be the number alone.
QString withoutBlanksAndCurrency(const QString& typed)
{
    QString text = typed;
    text.remove(QRegularExpression(QStringLiteral("[\\s\\x{00A0}\\x{202F}]")));
    static const QRegularExpression currency(QStringLiteral("^(€|EUR)|(€|EUR)$"),
                                             QRegularExpression::CaseInsensitiveOption);
    text.remove(currency);
    return text;
}

QString quoted(const QString& typed)
{
    return language::isEnglish() ? QStringLiteral("\"%1\"").arg(typed)
                                 : QStringLiteral("„%1“").arg(typed);
}

} // namespace

std::optional<QDate> readTypedDate(const QString& text)
{
    const QString typed = text.trimmed();
    if (typed.isEmpty())
        return QDate();
    static const QRegularExpression separated(
        QStringLiteral("^(\\d{1,2})([./-])(\\d{1,2})\\2(\\d{2}|\\d{4})$"));
    static const QRegularExpression joined(QStringLiteral("^(\\d{2})(\\d{2})(\\d{2}|\\d{4})$"));
    QString day, month, year;
    if (const auto m = separated.match(typed); m.hasMatch()) {
        day = m.captured(1);
        month = m.captured(3);
        year = m.captured(4);
    } else if (const auto j = joined.match(typed); j.hasMatch()) {
        day = j.captured(1);
        month = j.captured(2);
        year = j.captured(3);
    } else {
        return std::nullopt;
    }
    const int fullYear = year.size() == 2 ? 2000 + year.toInt() : year.toInt();
    const QDate date(fullYear, month.toInt(), day.toInt());
    if (!date.isValid())
        return std::nullopt;
    return date;
}

QString dateText(const QDate& date)
{
    return date.isValid() ? date.toString(QStringLiteral("dd.MM.yyyy")) : QString();
}

AmountReading readTypedAmount(const QString& typed, const QLocale& locale)
{
    using Fault = AmountReading::Fault;
    const QString text = withoutBlanksAndCurrency(typed);
    if (typed.trimmed().isEmpty())
        return {};
    const bool germanLocale = locale.decimalPoint() == QStringLiteral(",");
    const Convention& own = germanLocale ? kGerman : kEnglish;
    const Convention& other = germanLocale ? kEnglish : kGerman;
    const std::optional<Decimal> asOwn = readAs(text, own);
    const std::optional<Decimal> asOther = readAs(text, other);
    if (asOwn && asOther && !(*asOwn == *asOther))
        return {Fault::Ambiguous, std::nullopt};
    const std::optional<Decimal> reading = asOwn ? asOwn : asOther;
    if (!reading)
        return {Fault::Unreadable, std::nullopt};
    const QString fraction = reading->significantFraction();
    if (fraction.size() > 2)
        return {Fault::TooManyDecimals, std::nullopt};
    const QString whole = reading->wholeDigits();
    if (whole.size() > 10)
        return {Fault::OutOfRange, std::nullopt};
    const qint64 cents =
        whole.toLongLong() * 100 + fraction.leftJustified(2, QLatin1Char('0')).toLongLong();
    const double amount = static_cast<double>(cents) / 100.0;
    if (amount > kLargestAmount)
        return {Fault::OutOfRange, std::nullopt};
    return {Fault::None, amount};
}

QString amountEditText(double amount, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    return plain.toString(amount, 'f', 2);
}

QString refusedDateMessage(const QString& typed)
{
    if (language::isEnglish())
        return QStringLiteral("%1 is not a date. Please enter the date as day.month.year, for "
                              "example 18.12.2026.")
            .arg(quoted(typed));
    return QStringLiteral("%1 ist kein gültiges Datum. Bitte geben Sie das Datum als "
                          "Tag.Monat.Jahr ein, zum Beispiel 18.12.2026.")
        .arg(quoted(typed));
}

QString refusedAmountMessage(const QString& typed, AmountReading::Fault fault,
                             const QLocale& locale)
{
    using Fault = AmountReading::Fault;
    const bool english = language::isEnglish();
    const QString example = amountEditText(1250.5, locale);
    QLocale grouped = locale;
    grouped.setNumberOptions(QLocale::DefaultNumberOptions);
    const QString largest = grouped.toString(kLargestAmount, 'f', 2);
    switch (fault) {
    case Fault::Ambiguous:
        return english ? QStringLiteral("%1 can be read as two different amounts. Please enter "
                                        "the amount without thousands separators, for example %2.")
                             .arg(quoted(typed), example)
                       : QStringLiteral("%1 kann als zwei verschiedene Beträge gelesen werden. "
                                        "Bitte geben Sie den Betrag ohne Tausenderpunkte ein, "
                                        "zum Beispiel %2.")
                             .arg(quoted(typed), example);
    case Fault::TooManyDecimals:
        return english
                   ? QStringLiteral("%1 has more than two decimal places.").arg(quoted(typed))
                   : QStringLiteral("%1 hat mehr als zwei Nachkommastellen.").arg(quoted(typed));
    case Fault::OutOfRange:
        return english ? QStringLiteral("%1 is too large: an amount can be at most %2.")
                             .arg(quoted(typed), largest)
                       : QStringLiteral("%1 ist zu groß: ein Betrag darf höchstens %2 sein.")
                             .arg(quoted(typed), largest);
    case Fault::Unreadable:
    case Fault::None:
        break;
    }
    return english ? QStringLiteral("%1 is not an amount. Please enter the amount in euro, for "
                                    "example %2.")
                         .arg(quoted(typed), example)
                   : QStringLiteral("%1 ist kein gültiger Betrag. Bitte geben Sie den Betrag in "
                                    "Euro ein, zum Beispiel %2.")
                         .arg(quoted(typed), example);
}

} // namespace app
