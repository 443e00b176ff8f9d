#include "filecreation/DisplayLocale.h"

namespace filecreation {

QLocale displayLocale(const QLocale& system)
{
    if (system.language() == QLocale::C)
        return QLocale(QLocale::German, QLocale::Germany);
    return system;
}

void applyDisplayLocale()
{
    QLocale::setDefault(displayLocale());
}

} // namespace filecreation
