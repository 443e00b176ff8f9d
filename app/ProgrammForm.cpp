#include "app/ProgrammForm.h"

#include "app/Dialogs.h"
#include "app/FieldBinder.h"
#include "app/Widgets.h"
#include "app/WindowPlacement.h"
#include "store/PaymentStore.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

namespace app {

TProgrammForm::TProgrammForm(store::PaymentStore& tables, QString iniPath, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowMaximizeButtonHint | Qt::WindowStaysOnTopHint),
      m_data(tables), m_iniPath(std::move(iniPath)),
      m_binder(new FieldBinder(tables.Stamm_tt, this))
{
    setObjectName(QStringLiteral("ProgrammForm"));
    setWindowTitle(QStringLiteral("Tarvion - Programmeinstellungen"));
    resize(455, 249);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(
        whiteBanner("Label1", QStringLiteral("Tarvion - Programmeinstellungen"), this));

    auto* group = new QGroupBox(QStringLiteral("Programmoptionen"), this);
    group->setObjectName(QStringLiteral("GroupBox1"));
    auto* options = new QVBoxLayout(group);
    importModeBox = new QCheckBox(QStringLiteral("Auswahl Importmodus - deaktivieren"), group);
    importModeBox->setObjectName(QStringLiteral("cxDBCheckBox1"));
    tableBox = new QCheckBox(QStringLiteral("Tabelle beabeiten - deaktivieren"), group);
    tableBox->setObjectName(QStringLiteral("cxDBCheckBox2"));
    m_binder->bindCheck(importModeBox, QStringLiteral("EditImport"));
    m_binder->bindCheck(tableBox, QStringLiteral("EditTabelle"));
    options->addWidget(importModeBox);
    options->addWidget(tableBox);
    auto* body = new QHBoxLayout;
    body->setContentsMargins(12, 8, 12, 0);
    body->addWidget(group);
    layout->addLayout(body, 1);

    layout->addLayout(closeStrip(this));
    m_binder->refresh();
}

void TProgrammForm::showEvent(QShowEvent* event)
{
    if (!m_placed) {
        m_placed = true;
        if (!restorePlacement(*this, m_iniPath, QStringLiteral("ProgrammForm"))) {
            if (const QScreen* screen = QGuiApplication::primaryScreen())
                move(screen->availableGeometry().center() - rect().center());
        }
    }
    m_binder->refresh();
    QDialog::showEvent(event);
}

void TProgrammForm::done(int result)
{
    // Closed by its button or its close box: a changed tick is stored now.
    try {
        if (m_data.Stamm_tt.state() == store::CursorState::Edit)
            m_data.Stamm_tt.post();
    } catch (const std::exception& e) {
        Dialogs::information(this, QString::fromUtf8(e.what()));
    }
    QDialog::done(result);
}

} // namespace app
