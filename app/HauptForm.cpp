#include "app/HauptForm.h"

namespace app {

THauptForm::THauptForm(QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("HauptForm"));
    setWindowTitle(QStringLiteral("Tarvion - Europaüberweisungen schnell und einfach"));
    resize(1016, 713);
}

} // namespace app
