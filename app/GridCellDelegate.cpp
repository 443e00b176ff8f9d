#include "app/GridCellDelegate.h"

#include "app/CursorModel.h"
#include "app/Dialogs.h"
#include "app/TypedInput.h"

#include <QKeyEvent>
#include <QLineEdit>

namespace app {

GridCellDelegate::Kind GridCellDelegate::kindOf(const QModelIndex& index)
{
    const auto* model = qobject_cast<const CursorModel*>(index.model());
    if (!model)
        return Kind::Other;
    switch (model->cursor().fieldInfo(model->fieldIndexOfColumn(index.column())).type) {
    case store::FieldType::Date:
        return Kind::Date;
    case store::FieldType::Currency:
        return Kind::Amount;
    default:
        return Kind::Other;
    }
}

QWidget* GridCellDelegate::createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    const Kind kind = kindOf(index);
    if (kind == Kind::Other)
        return QStyledItemDelegate::createEditor(parent, option, index);
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    if (kind == Kind::Amount)
        edit->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    else
        edit->setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
    return edit;
}

void GridCellDelegate::setEditorData(QWidget* editor, const QModelIndex& index) const
{
    auto* edit = qobject_cast<QLineEdit*>(editor);
    const Kind kind = kindOf(index);
    if (!edit || kind == Kind::Other) {
        QStyledItemDelegate::setEditorData(editor, index);
        return;
    }
    const QVariant value = index.data(Qt::EditRole);
    if (kind == Kind::Date)
        edit->setText(dateText(value.toDate()));
    else
        edit->setText(value.isValid() ? amountEditText(value.toDouble()) : QString());
}

void GridCellDelegate::setModelData(QWidget* editor, QAbstractItemModel* model,
                                    const QModelIndex& index) const
{
    auto* edit = qobject_cast<QLineEdit*>(editor);
    const Kind kind = kindOf(index);
    if (!edit || kind == Kind::Other) {
        QStyledItemDelegate::setModelData(editor, model, index);
        return;
    }
    if (m_refusing)
        return;
    const QString typed = edit->text();
    if (kind == Kind::Date) {
        const std::optional<QDate> date = readTypedDate(typed);
        if (!date)
            return refuse(editor, refusedDateMessage(typed.trimmed()));
        if (*date != index.data(Qt::EditRole).toDate())
            model->setData(index, *date, Qt::EditRole);
        return;
    }
    const AmountReading reading = readTypedAmount(typed);
    if (reading.fault != AmountReading::Fault::None)
        return refuse(editor, refusedAmountMessage(typed.trimmed(), reading.fault));
    const QVariant amount = reading.amount ? QVariant(*reading.amount) : QVariant();
    if (amount != index.data(Qt::EditRole))
        model->setData(index, amount, Qt::EditRole);
}

void GridCellDelegate::refuse(QWidget* editor, const QString& message) const
{
    m_refusing = true;
    Dialogs::information(editor, message);
    m_refusing = false;
}

bool GridCellDelegate::eventFilter(QObject* object, QEvent* event)
{
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            auto* editor = qobject_cast<QWidget*>(object);
            emit commitData(editor);
            emit closeEditor(editor, QAbstractItemDelegate::EditNextItem);
            return true;
        }
    }
    return QStyledItemDelegate::eventFilter(object, event);
}

} // namespace app
