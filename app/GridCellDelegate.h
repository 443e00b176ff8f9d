#pragma once

#include <QStyledItemDelegate>

namespace app {

// The cell editors of the transfer grid. Dates and amounts are typed as
// text and read exactly as typed (see TypedInput.h): input that is not a
// date or an amount is refused with a message and the cell keeps its value.
// Enter moves on to the next cell like Tab.
class GridCellDelegate : public QStyledItemDelegate
{
public:
    using QStyledItemDelegate::QStyledItemDelegate;

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setEditorData(QWidget* editor, const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model,
                      const QModelIndex& index) const override;

protected:
    bool eventFilter(QObject* object, QEvent* event) override;

private:
    enum class Kind
    {
        Date,
        Amount,
        Other,
    };
    static Kind kindOf(const QModelIndex& index);
    void refuse(QWidget* editor, const QString& message) const;

    // The message box of a refusal takes the focus from the editor, which
    // would hand the same text in once more.
    mutable bool m_refusing = false;
};

} // namespace app
