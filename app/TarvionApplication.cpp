#include "app/TarvionApplication.h"

#include "app/Dialogs.h"
#include "filecreation/DisplayLocale.h"

namespace app {

TarvionApplication::TarvionApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    setApplicationName(QStringLiteral("Tarvion"));
    filecreation::applyDisplayLocale();
}

bool TarvionApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        Dialogs::information(activeWindow(), QString::fromUtf8(e.what()));
    } catch (...) {
        Dialogs::information(activeWindow(), QStringLiteral("Unbekannter Fehler"));
    }
    return false;
}

} // namespace app
