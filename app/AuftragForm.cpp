#include "app/AuftragForm.h"

#include "app/TransferGrid.h"
#include "app/Widgets.h"

#include <QGuiApplication>
#include <QHBoxLayout>
#include <QScreen>
#include <QVBoxLayout>

namespace app {

TAuftragForm::TAuftragForm(store::Cursor& orderers, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::WindowStaysOnTopHint)
{
    setObjectName(QStringLiteral("AuftragForm"));
    setWindowTitle(QStringLiteral("Tarvion - Auftraggeber"));
    resize(472, 493);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->addWidget(whiteBanner("Label1", QStringLiteral("Tarvion - Auftraggeber"), this));

    m_grid = new TransferGrid(orderers,
                              {
                                  {QStringLiteral("KontoNr"), QStringLiteral("KontoNr"), 89},
                                  {QStringLiteral("BLZ"), QStringLiteral("BLZ"), 69},
                                  {QStringLiteral("Name1"), QStringLiteral("Name1")},
                                  {QStringLiteral("Name"), QStringLiteral("Name")},
                                  {QStringLiteral("Strasse"), QStringLiteral("Strasse")},
                                  {QStringLiteral("Ort"), QStringLiteral("Ort")},
                                  {QStringLiteral("Bank"), QStringLiteral("Bank")},
                              },
                              QStringLiteral("cxGrid1DBTableView1"), this);
    m_grid->setObjectName(QStringLiteral("cxGrid1"));
    m_grid->setFooterAndNavigatorVisible(false);
    m_grid->view().setSortingEnabled(false);
    layout->addWidget(m_grid, 1);

    layout->addLayout(closeStrip(this));

    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    m_grid->focusCurrentRow();
}

} // namespace app
