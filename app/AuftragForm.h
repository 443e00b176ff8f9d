#pragma once

#include <QDialog>

namespace store {
class Cursor;
}

namespace app {

class TransferGrid;

// The ordering-party dialog: a read-only list of all ordering parties over
// the same cursor as the main window's group. Clicking a row, moving with the
// keyboard or typing the start of a value in the focused column makes that
// row the current ordering party at once; there is no OK or Cancel.
class TAuftragForm : public QDialog
{
    Q_OBJECT

public:
    TAuftragForm(store::Cursor& orderers, QWidget* parent = nullptr);

    TransferGrid& grid() const { return *m_grid; }

private:
    TransferGrid* m_grid;
};

} // namespace app
