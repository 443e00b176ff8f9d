#include "filecreation/DisplayFormat.h"

#include <QDate>
#include <QStringList>
#include <cmath>

namespace filecreation {
namespace {

bool isDigitPlaceholder(QChar c)
{
    return c == QLatin1Char('#') || c == QLatin1Char('0');
}

QString formatSection(double magnitude, const QString& section, const QLocale& locale)
{
    qsizetype first = -1;
    qsizetype last = -1;
    for (qsizetype i = 0; i < section.size(); ++i) {
        if (isDigitPlaceholder(section[i])) {
            if (first < 0)
                first = i;
            last = i;
        }
    }
    if (first < 0) // no digits at all: the section is literal text
        return QString(section).replace(QLatin1Char('$'), locale.currencySymbol());
    // The pattern runs over the placeholders and the separators between them.
    const QString pattern = section.mid(first, last - first + 1);
    const qsizetype point = pattern.indexOf(QLatin1Char('.'));
    const int decimals =
        point < 0 ? 0 : static_cast<int>(pattern.mid(point + 1).count(QLatin1Char('0')));
    QLocale numbers = locale;
    numbers.setNumberOptions(pattern.contains(QLatin1Char(',')) ? QLocale::DefaultNumberOptions
                                                                : QLocale::OmitGroupSeparator);
    const QString digits = numbers.toString(magnitude, 'f', decimals);
    QString prefix = section.left(first);
    QString suffix = section.mid(last + 1);
    prefix.replace(QLatin1Char('$'), locale.currencySymbol());
    suffix.replace(QLatin1Char('$'), locale.currencySymbol());
    return prefix + digits + suffix;
}

} // namespace

QString formatNumber(double number, const QString& format, const QLocale& locale)
{
    const QStringList sections = format.split(QLatin1Char(';'));
    if (number < 0 && sections.size() > 1)
        return formatSection(std::fabs(number), sections[1], locale);
    if (number < 0)
        return QLatin1Char('-') + formatSection(std::fabs(number), sections[0], locale);
    return formatSection(number, sections[0], locale);
}

QString formatValue(const store::Value& value, store::FieldType type, const QString& format,
                    const QLocale& locale)
{
    using store::FieldType;
    if (store::isNull(value))
        return {};
    switch (type) {
    case FieldType::Float:
    case FieldType::Currency: {
        const double number = store::valueAsFloat(value, type);
        if (!format.isEmpty())
            return formatNumber(number, format, locale);
        if (type == FieldType::Currency)
            return formatNumber(number, QStringLiteral("#,0.00"), locale);
        if (std::floor(number) == number && std::fabs(number) < 1e15)
            return QString::number(static_cast<qint64>(number));
        return locale.toString(number, 'g', 15);
    }
    case FieldType::Date: {
        const dtazv::DateTime day = store::valueAsDate(value, type);
        if (!dtazv::isRepresentable(day))
            return {};
        const dtazv::CivilDateTime c = dtazv::decodeDateTime(day);
        const QDate date(c.year, c.month, c.day);
        if (!format.isEmpty())
            return locale.toString(date, format);
        // The locale's short date, with the year in four digits as on a bank form.
        QString shortFormat = locale.dateFormat(QLocale::ShortFormat);
        if (!shortFormat.contains(QStringLiteral("yyyy")))
            shortFormat.replace(QStringLiteral("yy"), QStringLiteral("yyyy"));
        return locale.toString(date, shortFormat);
    }
    case FieldType::Boolean:
        return store::valueAsBoolean(value, type) ? QStringLiteral("X") : QString();
    case FieldType::AutoInc:
    case FieldType::Text:
        return QString::fromStdString(store::valueAsText(value, type));
    }
    return {};
}

} // namespace filecreation
