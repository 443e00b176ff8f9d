#pragma once

#include <QGroupBox>

class QCheckBox;
class QLabel;
class QPushButton;

namespace store {
class PaymentStore;
}

namespace app {

class FieldBinder;
class TransferGrid;

// The transfer group of the main window ("GroupBox3"): the check button with
// the current transfer's remark in red, the transfer grid, and the strip with
// import, new, delete and the edit-in-table box.
class TransferGroup : public QGroupBox
{
    Q_OBJECT

public:
    TransferGroup(store::PaymentStore& tables, QWidget* parent = nullptr);

    TransferGrid* grid;
    QPushButton* checkButton;  // LMDSpeedButton5
    QLabel* remark;            // the current transfer's Hinweis
    QPushButton* importButton; // LMDSpeedButton6
    QPushButton* newButton;    // LMDSpeedButton7
    QPushButton* deleteButton; // LMDSpeedButton8
    QCheckBox* editInTable;    // cxCheckBox1
    QLabel* editInTableLabel;  // Label13

private:
    FieldBinder* m_binder;
};

} // namespace app
