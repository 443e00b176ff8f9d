#include "app/OptionsGroup.h"

#include "app/DateField.h"
#include "app/FieldBinder.h"
#include "app/ShownTextComboBox.h"
#include "app/Widgets.h"
#include "store/PaymentStore.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QHBoxLayout>

namespace app {
namespace {

QCheckBox* namedCheck(const char* name, const QString& hint, QWidget* parent)
{
    auto* box = new QCheckBox(parent);
    box->setObjectName(QLatin1String(name));
    box->setToolTip(hint);
    return box;
}

DateField* namedDate(const char* name, QWidget* parent)
{
    auto* edit = new DateField(parent);
    edit->setObjectName(QLatin1String(name));
    return edit;
}

} // namespace

OptionsGroup::OptionsGroup(store::PaymentStore& tables, FieldBinder& orderer, QWidget* parent)
    : QGroupBox(QStringLiteral(" DTAZV - Optionen"), parent),
      m_settings(new FieldBinder(tables.Stamm_tt, this))
{
    setObjectName(QStringLiteral("GroupBox2"));
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    grid->setContentsMargins(8, 2, 8, 2);

    // Kept to six rows beside the ordering party, so that the transfer grid
    // has room for ten rows at the window's design size.
    typeBox = new ShownTextComboBox(this);
    typeBox->setObjectName(QStringLiteral("cxComboBox1"));
    typeBox->addItems({QStringLiteral("Überweisung"), QStringLiteral("Lastschrift")});
    typeBox->setEnabled(false);
    grid->addWidget(namedLabel("Label9", QStringLiteral("Typ"), this), 0, 0);
    grid->addWidget(typeBox, 0, 1);

    creationDate = namedDate("cxDBDateEdit1", this);
    executionDate = namedDate("cxDBDateEdit2", this);
    m_settings->bindDate(creationDate, QStringLiteral("Erstelldatum"));
    m_settings->bindDate(executionDate, QStringLiteral("Ausfuehrungstermin"));
    grid->addWidget(namedLabel("Label11", QStringLiteral("Erstellungsdatum"), this), 1, 0);
    grid->addWidget(creationDate, 1, 1);
    grid->addWidget(namedLabel("Label10", QStringLiteral("Ausführungsdatum"), this), 2, 0);
    grid->addWidget(executionDate, 2, 1);

    auto* print = new QGroupBox(QStringLiteral("Druck"), this);
    print->setObjectName(QStringLiteral("GroupBox5"));
    auto* printRows = new QGridLayout(print);
    printRows->setContentsMargins(4, 0, 4, 2);
    printRows->setVerticalSpacing(0);
    printNote = namedCheck("DruckBegleit", {}, print);
    printJournal = namedCheck("ProtokollDruck", {}, print);
    m_settings->bindCheck(printNote, QStringLiteral("BEGLEIT"));
    m_settings->bindCheck(printJournal, QStringLiteral("PROTOKOLL"));
    printRows->addWidget(printNote, 0, 0);
    printRows->addWidget(namedLabel("Label15", QStringLiteral("Begleitzettel"), print), 0, 1);
    printRows->addWidget(printJournal, 1, 0);
    printRows->addWidget(namedLabel("Label16", QStringLiteral("Protokoll"), print), 1, 1);
    printRows->setColumnStretch(1, 1);
    grid->addWidget(print, 0, 2, 3, 1);

    const QString bundesbankHint =
        QStringLiteral("Auftrag an erstbezogenes Institut die Bundesbankmeldung vorzunehmen");
    reportable = namedCheck("cxDBCheckBox1",
                            QStringLiteral("Führt Meldpflichtige Umsätze zwischen 12.500 EUR und "
                                           "50.000 EUR aus, wenn die Option aktiviert ist !"),
                            this);
    m_settings->bindCheck(reportable, QStringLiteral("Meldepflicht"));
    auto* reportableRow = new QHBoxLayout;
    reportableRow->addWidget(namedLabel("Label12", QStringLiteral("Meldepflichtige"), this));
    reportableRow->addSpacing(4);
    reportableRow->addWidget(reportable);
    reportableRow->addWidget(namedLabel("Label14", QStringLiteral("Zahlung ausführen"), this));
    reportableRow->addStretch();
    grid->addLayout(reportableRow, 3, 0, 1, 3);

    bundesbank = namedCheck("cxDBCheckBox2", bundesbankHint, this);
    over50000 = namedCheck("cxDBCheckBox3", bundesbankHint, this);
    orderer.bindCheck(bundesbank, QStringLiteral("Bundesbankmeldung"));
    orderer.bindCheck(over50000, QStringLiteral("Zahlung50T"));
    auto* partyRow = new QHBoxLayout;
    partyRow->addWidget(bundesbank);
    partyRow->addWidget(namedLabel("Label18", QStringLiteral("Bundesbankmeldung"), this));
    partyRow->setSpacing(4);
    partyRow->addSpacing(8);
    partyRow->addWidget(over50000);
    partyRow->addWidget(namedLabel("Label22", QStringLiteral("Beträge über 50.000 EUR"), this));
    partyRow->addStretch();
    grid->addLayout(partyRow, 4, 0, 1, 3);

    createButton = namedButton("LMDSpeedButton9", QStringLiteral("DTAZV Datei erstellen"),
                               QStringLiteral("DTAzv-Datei erstellen"), this);
    grid->addWidget(createButton, 5, 0, 1, 3);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(2, 1);
}

} // namespace app
