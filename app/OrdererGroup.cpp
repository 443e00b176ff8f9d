#include "app/OrdererGroup.h"

#include "app/BankPickLists.h"
#include "app/FieldBinder.h"
#include "app/Widgets.h"
#include "store/PaymentStore.h"

#include <QComboBox>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QToolButton>

namespace app {

OrdererGroup::OrdererGroup(store::PaymentStore& tables, QWidget* parent)
    : QGroupBox(QStringLiteral(" Auftraggeber "), parent),
      m_binder(new FieldBinder(tables.Auftrag_tt, this))
{
    setObjectName(QStringLiteral("GroupBox1"));
    auto* grid = new QGridLayout(this);
    grid->setVerticalSpacing(2);
    grid->setContentsMargins(8, 2, 8, 2);

    auto edit = [this](const char* name, const QString& field,
                       FieldBinder::TextKind kind = FieldBinder::TextKind::Text) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QLatin1String(name));
        m_binder->bindText(e, field, kind);
        return e;
    };
    // Two columns, so that the group leaves the transfer grid room for ten
    // rows at the window's design size: the address on the left, the bank
    // data and the buttons on the right, the Bundesbank data below both.
    nameEdit = edit("cxDBTextEdit1", QStringLiteral("Name"));
    grid->addWidget(namedLabel("Label2", QStringLiteral("Name"), this), 0, 0);
    grid->addWidget(nameEdit, 0, 1);
    grid->addWidget(namedLabel("Label6", QStringLiteral("Name 2"), this), 1, 0);
    grid->addWidget(edit("cxDBTextEdit2", QStringLiteral("Name1")), 1, 1);
    grid->addWidget(namedLabel("Label7", QStringLiteral("Strasse"), this), 2, 0);
    grid->addWidget(edit("cxDBTextEdit3", QStringLiteral("Strasse")), 2, 1);
    grid->addWidget(namedLabel("Label8", QStringLiteral("PLZ Ort"), this), 3, 0);
    grid->addWidget(edit("cxDBTextEdit4", QStringLiteral("Ort")), 3, 1);

    auto* account = new QHBoxLayout;
    account->setSpacing(4);
    auto* accountEdit =
        edit("cxDBTextEdit5", QStringLiteral("KontoNr"), FieldBinder::TextKind::WholeNumber);
    account->addWidget(accountEdit, 1);
    auto* codeBox = new QComboBox(this);
    codeBox->setObjectName(QStringLiteral("cxDBLookupComboBox1"));
    auto* nameBox = new QComboBox(this);
    nameBox->setObjectName(QStringLiteral("cxDBLookupComboBox2"));
    new BankPickLists(tables.BLZ_tt, *m_binder, codeBox, nameBox, this);
    account->addWidget(namedLabel("Label4", QStringLiteral("BLZ"), this));
    codeBox->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000000")) + 36);
    account->addWidget(codeBox);
    grid->addWidget(namedLabel("Label3", QStringLiteral("Konto"), this), 0, 2);
    grid->addLayout(account, 0, 3);
    grid->addWidget(namedLabel("Label5", QStringLiteral("Bank"), this), 1, 2);
    grid->addWidget(nameBox, 1, 3);

    auto* moves = new QHBoxLayout;
    moves->setSpacing(2);
    newButton = namedButton("LMDSpeedButton2", QStringLiteral("Neu"),
                            QStringLiteral("Neuanlage Auftraggeber"), this);
    deleteButton = namedButton("LMDSpeedButton3", QStringLiteral("Löschen"),
                               QStringLiteral("Auftraggeber löschen"), this);
    selectButton = namedButton("LMDSpeedButton4", QStringLiteral("Auftraggeber Auswahl"),
                               QStringLiteral("Auftraggeber au´swählen"), this);
    moves->addWidget(newButton);
    moves->addWidget(deleteButton);
    moves->addSpacing(6);
    auto navigatorButton = [this](const char* name, const QString& text) {
        auto* b = new QToolButton(this);
        b->setObjectName(QLatin1String(name));
        b->setText(text);
        return b;
    };
    firstButton = navigatorButton("LMDDBNavigator1First", QStringLiteral("|◀"));
    priorButton = navigatorButton("LMDDBNavigator1Prior", QStringLiteral("◀"));
    nextButton = navigatorButton("LMDDBNavigator1Next", QStringLiteral("▶"));
    lastButton = navigatorButton("LMDDBNavigator1Last", QStringLiteral("▶|"));
    for (QToolButton* b : {firstButton, priorButton, nextButton, lastButton})
        moves->addWidget(b);
    moves->addStretch();
    grid->addLayout(moves, 2, 2, 1, 2);
    auto* selectRow = new QHBoxLayout;
    selectRow->addStretch();
    selectRow->addWidget(selectButton);
    grid->addLayout(selectRow, 3, 2, 1, 2);

    auto* report = new QGroupBox(
        QStringLiteral("Auftraggeberdaten für automatische Bundesbankmeldung "), this);
    report->setObjectName(QStringLiteral("GroupBox4"));
    auto* reportRow = new QHBoxLayout(report);
    reportRow->setContentsMargins(6, 0, 6, 2);
    reportRow->setSpacing(4);
    auto* state = edit("cxDBTextEdit6", QStringLiteral("BundeslandNr"));
    auto* company = edit("cxDBTextEdit7", QStringLiteral("AuftraggeberNr"));
    state->setMaximumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000")) + 12);
    company->setMinimumWidth(fontMetrics().horizontalAdvance(QStringLiteral("000000000")) + 8);
    company->setMaximumWidth(90);
    reportRow->addWidget(namedLabel("Label17", QStringLiteral("Bundeslandnummer"), report));
    reportRow->addWidget(state);
    reportRow->addWidget(namedLabel("Label20", QStringLiteral("( 2 Zeichen )"), report));
    reportRow->addSpacing(8);
    reportRow->addWidget(namedLabel("Label19", QStringLiteral("Firmen-Nr"), report));
    reportRow->addWidget(company);
    reportRow->addWidget(namedLabel("Label21", QStringLiteral("( 8 Zeichen )"), report));
    reportRow->addStretch();
    grid->addWidget(report, 4, 0, 1, 4);
    grid->setColumnStretch(1, 1);
    grid->setColumnStretch(3, 1);
}

} // namespace app
