#include "app/HauptForm.h"
#include "app/TarvionApplication.h"

int main(int argc, char* argv[])
{
    app::TarvionApplication application(argc, argv);

    app::THauptForm mainWindow;
    mainWindow.createDialogs();
    mainWindow.show();
    const int result = app::TarvionApplication::exec();
    mainWindow.savePlacements();
    return result;
}
