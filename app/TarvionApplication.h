#pragma once

#include <QApplication>

namespace app {

// The application: an error that no command handled reaches the user as a
// message box with its text, and the program goes on.
class TarvionApplication : public QApplication
{
    Q_OBJECT

public:
    TarvionApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace app
