#pragma once

#include "checking/CheckResult.h"

#include <QDialog>

class QLabel;
class QTimer;

namespace app {

// The check certificate: the outcome of the last check run, one line per
// group of header rules, one count line per group of transfer rules, and the
// final message, which blinks while the dialog is open. The lines keep their
// texts and colours between showings.
class TPruefForm : public QDialog
{
    Q_OBJECT

public:
    explicit TPruefForm(QWidget* parent = nullptr);

    void setResult(const checking::CheckResult& result);
    QLabel* line(const char* name) const;

protected:
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QLabel* m_message;
    QTimer* m_blink;
    QString m_messageText;
};

} // namespace app
