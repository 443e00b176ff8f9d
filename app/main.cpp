#include "app/HauptForm.h"

#include <QApplication>

int main(int argc, char* argv[])
{
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Tarvion"));

    app::THauptForm mainWindow;
    mainWindow.show();
    return QApplication::exec();
}
