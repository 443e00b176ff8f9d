#pragma once

#include "store/Value.h"

#include <QLocale>
#include <QString>

namespace filecreation {

// A value as a report shows it. Numbers take a format such as
// "$#,0.00;-$#,0.00": a positive and an optional negative section, "#,"
// groups thousands, the zeros after the point give the decimals, and "$"
// stands for the locale's currency symbol; separators are the locale's.
// Dates take a Qt date format (default: the locale's short date with a
// four-digit year). Without a
// format an amount shows with two decimals, a whole number as digits.
QString formatValue(const store::Value& value, store::FieldType type, const QString& format,
                    const QLocale& locale = QLocale());

QString formatNumber(double number, const QString& format, const QLocale& locale = QLocale());

} // namespace filecreation
