#pragma once

#include <QLocale>

namespace filecreation {

// The locale in which amounts and dates are shown, typed and printed: the
// system's, except that a C/POSIX locale (a server-style system, a bare
// environment) counts as German, so that the program still shows and prints
// "1.234,56" and "18.12.2026" there.
QLocale displayLocale(const QLocale& system = QLocale::system());

// Makes displayLocale() the default of every QLocale() of the process.
void applyDisplayLocale();

} // namespace filecreation
