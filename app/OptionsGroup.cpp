#include "app/OptionsGroup.h"

#include "app/FieldBinder.h"
#include "app/Widgets.h"
#include "store/PaymentStore.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
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

QDateEdit* namedDate(const char* name, QWidget* parent)
{
    auto* edit = new QDateEdit(parent);
    edit->setObjectName(QLatin1String(name));
    edit->setCalendarPopup(true);
    edit->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
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
    grid->setContentsMargins(8, 4, 8, 4);

    typeBox = new QComboBox(this);
    typeBox->setObjectName(QStringLiteral("cxComboBox1"));
    typeBox->addItems({QStringLiteral("Überweisung"), QStringLiteral("Lastschrift")});
    typeBox->setEnabled(false);
    grid->addWidget(namedLabel("Label9", QStringLiteral("Typ"), this), 0, 0);
    grid->addWidget(typeBox, 0, 1, 1, 2);

    creationDate = namedDate("cxDBDateEdit1", this);
    executionDate = namedDate("cxDBDateEdit2", this);
    m_settings->bindDate(creationDate, QStringLiteral("Erstelldatum"));
    m_settings->bindDate(executionDate, QStringLiteral("Ausfuehrungstermin"));
    grid->addWidget(namedLabel("Label11", QStringLiteral("Erstellungsdatum"), this), 1, 0);
    grid->addWidget(creationDate, 1, 1, 1, 2);
    grid->addWidget(namedLabel("Label10", QStringLiteral("Ausführungsdatum"), this), 2, 0);
    grid->addWidget(executionDate, 2, 1, 1, 2);

    const QString bundesbankHint =
        QStringLiteral("Auftrag an erstbezogenes Institut die Bundesbankmeldung vorzunehmen");
    reportable = namedCheck("cxDBCheckBox1",
                            QStringLiteral("Führt Meldpflichtige Umsätze zwischen 12.500 EUR und "
                                           "50.000 EUR aus, wenn die Option aktiviert ist !"),
                            this);
    m_settings->bindCheck(reportable, QStringLiteral("Meldepflicht"));
    grid->addWidget(namedLabel("Label12", QStringLiteral("Meldepflichtige"), this), 3, 0);
    grid->addWidget(reportable, 3, 1);
    grid->addWidget(namedLabel("Label14", QStringLiteral("Zahlung ausführen"), this), 3, 2);

    bundesbank = namedCheck("cxDBCheckBox2", bundesbankHint, this);
    over50000 = namedCheck("cxDBCheckBox3", bundesbankHint, this);
    orderer.bindCheck(bundesbank, QStringLiteral("Bundesbankmeldung"));
    orderer.bindCheck(over50000, QStringLiteral("Zahlung50T"));
    grid->addWidget(bundesbank, 4, 1);
    grid->addWidget(namedLabel("Label18", QStringLiteral("Bundesbankmeldung"), this), 4, 2);
    grid->addWidget(over50000, 5, 1);
    grid->addWidget(namedLabel("Label22", QStringLiteral("Beträge über 50.000 EUR"), this), 5, 2);

    auto* print = new QGroupBox(QStringLiteral("Druck"), this);
    print->setObjectName(QStringLiteral("GroupBox5"));
    auto* printRow = new QHBoxLayout(print);
    printNote = namedCheck("DruckBegleit", {}, print);
    printJournal = namedCheck("ProtokollDruck", {}, print);
    m_settings->bindCheck(printNote, QStringLiteral("BEGLEIT"));
    m_settings->bindCheck(printJournal, QStringLiteral("PROTOKOLL"));
    printRow->addWidget(printNote);
    printRow->addWidget(namedLabel("Label15", QStringLiteral("Begleitzettel"), print));
    printRow->addSpacing(16);
    printRow->addWidget(printJournal);
    printRow->addWidget(namedLabel("Label16", QStringLiteral("Protokoll"), print));
    printRow->addStretch();
    grid->addWidget(print, 6, 0, 1, 3);

    createButton = namedButton("LMDSpeedButton9", QStringLiteral("DTAZV Datei erstellen"),
                               QStringLiteral("DTAzv-Datei erstellen"), this);
    createButton->setMinimumHeight(30);
    grid->setRowStretch(7, 1);
    grid->addWidget(createButton, 8, 0, 1, 3);
    grid->setColumnStretch(2, 1);
}

} // namespace app
