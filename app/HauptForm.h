#pragma once

#include <QMainWindow>

namespace app {

// The main window: the ordering party, the DTAZV options and the list of
// transfers with their commands.
class THauptForm : public QMainWindow
{
    Q_OBJECT

public:
    explicit THauptForm(QWidget* parent = nullptr);
};

} // namespace app
