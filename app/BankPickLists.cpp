#include "app/BankPickLists.h"

#include "app/CursorModel.h"
#include "app/Dialogs.h"
#include "app/FieldBinder.h"
#include "language/CurrentLanguage.h"

#include <QComboBox>
#include <QCompleter>
#include <QHeaderView>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTableView>

namespace app {
namespace {

QString unknownCodeMessage(const QString& code)
{
    if (language::isEnglish())
        return QStringLiteral("The bank code %1 is not in the bank code directory. The ordering "
                              "party keeps its bank code.")
            .arg(code);
    return QStringLiteral("Die Bankleitzahl %1 steht nicht im Bankleitzahlenverzeichnis. Der "
                          "Auftraggeber behält seine bisherige Bankleitzahl.")
        .arg(code);
}

} // namespace

BankPickLists::BankPickLists(store::Cursor& directory, FieldBinder& orderer, QComboBox* codeBox,
                             QComboBox* nameBox, QObject* parent)
    : QObject(parent), m_directory(directory), m_orderer(orderer),
      m_model(new CursorModel(directory,
                              {QStringLiteral("BLZ"), QStringLiteral("NAME"), QStringLiteral("PLZ"),
                               QStringLiteral("ORT")},
                              this)),
      m_codeBox(codeBox), m_nameBox(nameBox)
{
    auto* table = new QTableView(codeBox);
    table->verticalHeader()->hide();
    table->horizontalHeader()->setStretchLastSection(true);
    table->setSelectionBehavior(QAbstractItemView::SelectRows);
    table->setMinimumWidth(400);
    table->verticalHeader()->setDefaultSectionSize(table->fontMetrics().height() + 4);
    codeBox->setEditable(true);
    codeBox->setInsertPolicy(QComboBox::NoInsert);
    codeBox->setModel(m_model);
    codeBox->setView(table);
    codeBox->setModelColumn(0);
    table->setColumnWidth(0, 70);
    table->setColumnWidth(1, 170);
    table->setColumnWidth(2, 50);
    codeBox->lineEdit()->setMaxLength(8);
    codeBox->completer()->setCompletionMode(QCompleter::InlineCompletion);
    codeBox->completer()->setModelSorting(QCompleter::CaseSensitivelySortedModel);

    nameBox->setModel(m_model);
    nameBox->setModelColumn(1);

    connect(codeBox, &QComboBox::activated, this, &BankPickLists::choose);
    connect(nameBox, &QComboBox::activated, this, &BankPickLists::choose);
    connect(codeBox->lineEdit(), &QLineEdit::editingFinished, this, &BankPickLists::takeTypedCode);
    m_orderer.bindCustom(this, [this] { show(); });
    // A combo box resets its choice when its model does: show the bank again.
    connect(m_model, &QAbstractItemModel::modelReset, this, &BankPickLists::show);
}

QString BankPickLists::codeAt(int row) const
{
    return m_model->index(row, 0).data(Qt::DisplayRole).toString();
}

int BankPickLists::rowOfCode(const QString& code) const
{
    // The directory is in bank-code order: search it instead of reading it all.
    int low = 0;
    int high = m_model->rowCount() - 1;
    int found = -1;
    while (low <= high) {
        const int middle = low + (high - low) / 2;
        const int comparison = codeAt(middle).compare(code);
        if (comparison < 0) {
            low = middle + 1;
        } else {
            if (comparison == 0)
                found = middle; // keep looking left for the first one
            high = middle - 1;
        }
    }
    return found;
}

void BankPickLists::show()
{
    store::Cursor& orderer = m_orderer.cursor();
    QString code;
    const store::Field blz = orderer.field("BLZ");
    if (orderer.isOpen() && !blz.isNull() && store::isReadableAs(blz.value(), blz.type()))
        code = QString::number(blz.asLargeInt());
    const int row = code.isEmpty() ? -1 : rowOfCode(code);
    const QSignalBlocker blockCode(m_codeBox);
    const QSignalBlocker blockName(m_nameBox);
    m_codeBox->setCurrentIndex(row);
    m_nameBox->setCurrentIndex(row);
    if (m_codeBox->currentText() != code)
        m_codeBox->setEditText(code);
}

void BankPickLists::choose(int row)
{
    const QString code = codeAt(row);
    if (code.isEmpty())
        return;
    m_orderer.write(this, [&] { m_orderer.cursor().field("BLZ").setFloat(code.toDouble()); });
    show();
}

void BankPickLists::takeTypedCode()
{
    const QString typed = m_codeBox->currentText().trimmed();
    store::Cursor& orderer = m_orderer.cursor();
    const store::Field blz = orderer.field("BLZ");
    const QString stored =
        orderer.isOpen() && !blz.isNull() && store::isReadableAs(blz.value(), blz.type())
            ? QString::number(blz.asLargeInt())
            : QString();
    if (typed == stored)
        return;
    if (typed.isEmpty()) {
        m_orderer.write(this, [&] { orderer.field("BLZ").clear(); });
    } else if (const int row = rowOfCode(typed); row >= 0) {
        choose(row);
    } else {
        // A code the directory does not know is not taken: say so, and show
        // the stored one again.
        show();
        Dialogs::information(m_codeBox, unknownCodeMessage(typed));
        return;
    }
    show();
}

} // namespace app
