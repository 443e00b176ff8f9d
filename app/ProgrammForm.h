#pragma once

#include <QDialog>
#include <QString>

class QCheckBox;

namespace store {
class PaymentStore;
}

namespace app {

class FieldBinder;

// The settings dialog: the two options of the settings record that take
// effect at the next start. However it is closed, a changed tick is stored.
class TProgrammForm : public QDialog
{
    Q_OBJECT

public:
    TProgrammForm(store::PaymentStore& tables, QString iniPath, QWidget* parent = nullptr);

    QCheckBox* importModeBox; // EditImport
    QCheckBox* tableBox;      // EditTabelle

    void done(int result) override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    store::PaymentStore& m_data;
    QString m_iniPath;
    FieldBinder* m_binder;
    bool m_placed = false;
};

} // namespace app
