#pragma once

#include <QGroupBox>

class QCheckBox;
class QPushButton;

namespace store {
class PaymentStore;
}

namespace app {

class DateField;
class FieldBinder;
class ShownTextComboBox;

// The DTAZV options group of the main window ("GroupBox2"): the settings
// record's dates and flags, the current ordering party's two report boxes,
// what to print, and the button that creates the file.
class OptionsGroup : public QGroupBox
{
    Q_OBJECT

public:
    OptionsGroup(store::PaymentStore& tables, FieldBinder& orderer, QWidget* parent = nullptr);

    FieldBinder& settings() const { return *m_settings; }

    ShownTextComboBox* typeBox; // cxComboBox1: the list stays German
    DateField* creationDate;
    DateField* executionDate;
    QCheckBox* reportable;     // cxDBCheckBox1
    QCheckBox* bundesbank;     // cxDBCheckBox2
    QCheckBox* over50000;      // cxDBCheckBox3
    QCheckBox* printNote;      // DruckBegleit
    QCheckBox* printJournal;   // ProtokollDruck
    QPushButton* createButton; // LMDSpeedButton9

private:
    FieldBinder* m_settings;
};

} // namespace app
