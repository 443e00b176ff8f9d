#include "app/TransferGroup.h"

#include "app/CursorModel.h"
#include "app/FieldBinder.h"
#include "app/TransferGrid.h"
#include "app/Widgets.h"
#include "store/PaymentStore.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>

namespace app {

TransferGroup::TransferGroup(store::PaymentStore& tables, QWidget* parent)
    : QGroupBox(QStringLiteral(" Zahlungsverkehrsdaten "), parent),
      m_binder(new FieldBinder(tables.Zahlung_tt, this))
{
    setObjectName(QStringLiteral("GroupBox3"));
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(8, 2, 8, 2);
    layout->setSpacing(2);

    auto* checkStrip = new QHBoxLayout;
    checkButton = namedButton("LMDSpeedButton5", QStringLiteral("Prüfen"),
                              QStringLiteral("Prüft die Zahlungsverkehrsdaten."), this);
    remark = new QLabel(this);
    remark->setObjectName(QStringLiteral("cxDBLabel1"));
    remark->setStyleSheet(QStringLiteral("color: #c00000; font-weight: bold;"));
    m_binder->bindLabel(remark, QStringLiteral("Hinweis"));
    checkStrip->addWidget(checkButton);
    checkStrip->addWidget(remark, 1);
    layout->addLayout(checkStrip);

    // Wide enough for a whole German IBAN as it is typed, in groups of four.
    const int ibanWidth = std::max(
        153, fontMetrics().horizontalAdvance(QStringLiteral("DE00 0000 0000 0000 0000 00")) + 16);
    grid = new TransferGrid(
        tables.Zahlung_tt,
        {
            {QStringLiteral("PRUEFEN"), QStringLiteral("Prüfen"), 69},
            {QStringLiteral("BIC"), QStringLiteral("BIC"), 109},
            {QStringLiteral("IBAN"), QStringLiteral("IBAN"), ibanWidth},
            {QStringLiteral("BETRAG"), QStringLiteral("Betrag"), 91},
            {QStringLiteral("Name"), QStringLiteral("Name"), 166},
            {QStringLiteral("Verwendungszweck1"), QStringLiteral("Verwendungszweck1")},
            {QStringLiteral("Verwendungszweck2"), QStringLiteral("Verwendungszweck2")},
            {QStringLiteral("Verwendungszweck3"), QStringLiteral("Verwendungszweck3")},
            {QStringLiteral("Verwendungszweck4"), QStringLiteral("Verwendungszweck4")},
            {QStringLiteral("Name2"), QStringLiteral("Name2")},
            {QStringLiteral("Strasse"), QStringLiteral("Strasse")},
            {QStringLiteral("OrtLand"), QStringLiteral("OrtLand")},
            {QStringLiteral("Waehrung"), QStringLiteral("Währung"), 82, true},
            {QStringLiteral("Ausfuehrungsdatum"), QStringLiteral("Ausführungsdatum"), 134},
            {QStringLiteral("Infofeld"), QStringLiteral("Infofeld")},
            {QStringLiteral("Hinweis"), QStringLiteral("Hinweis zur Datensatzprüfung")},
        },
        QStringLiteral("cxGrid1DBTableView1"), this);
    grid->setObjectName(QStringLiteral("cxGrid1"));
    grid->footer().setSummary(grid->model().columnOfField(QStringLiteral("BIC")),
                              GridFooter::Summary::Count);
    grid->footer().setSummary(grid->model().columnOfField(QStringLiteral("BETRAG")),
                              GridFooter::Summary::Sum);
    layout->addWidget(grid, 1);

    auto* strip = new QHBoxLayout;
    importButton = namedButton("LMDSpeedButton6", QStringLiteral("Import"),
                               QStringLiteral("Zahlungsverkehrsdaten importieren"), this);
    newButton = namedButton("LMDSpeedButton7", QStringLiteral("Neu"),
                            QStringLiteral("Zahlungsverkehrsdatensatz  Neuanlage"), this);
    deleteButton = namedButton("LMDSpeedButton8", QStringLiteral("Löschen"),
                               QStringLiteral("Zahlungsverkehrsdatensatz löschen"), this);
    editInTable = new QCheckBox(this);
    editInTable->setObjectName(QStringLiteral("cxCheckBox1"));
    editInTable->setToolTip(QStringLiteral(
        "Aktivieren Sie diese Option, wenn Sie die Daten in der Tabelle bearbeiten wollen !"));
    editInTableLabel = namedLabel("Label13", QStringLiteral("Daten in Tabelle bearbeiten"), this);
    strip->addWidget(importButton);
    strip->addWidget(newButton);
    strip->addWidget(deleteButton);
    strip->addSpacing(20);
    strip->addWidget(editInTable);
    strip->addWidget(editInTableLabel);
    strip->addStretch();
    strip->addWidget(grid->takeNavigator()); // one row less above the grid's rows
    layout->addLayout(strip);
}

} // namespace app
