#pragma once

#include <QGroupBox>

class QComboBox;
class QLineEdit;
class QToolButton;
class QPushButton;

namespace store {
class PaymentStore;
}

namespace app {

class FieldBinder;

// The ordering-party group of the main window ("GroupBox1"): the fields of
// the current ordering party, its report data, and the buttons to add,
// delete, move through and select ordering parties.
class OrdererGroup : public QGroupBox
{
    Q_OBJECT

public:
    OrdererGroup(store::PaymentStore& tables, QWidget* parent = nullptr);

    FieldBinder& binder() const { return *m_binder; }

    QPushButton* newButton;    // LMDSpeedButton2
    QPushButton* deleteButton; // LMDSpeedButton3
    QPushButton* selectButton; // LMDSpeedButton4
    QToolButton* firstButton;
    QToolButton* priorButton;
    QToolButton* nextButton;
    QToolButton* lastButton;
    QLineEdit* nameEdit;

private:
    FieldBinder* m_binder;
};

} // namespace app
