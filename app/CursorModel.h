#pragma once

#include "store/Cursor.h"

#include <QAbstractTableModel>
#include <QStringList>
#include <vector>

namespace app {

// A table model over a store cursor. It reads only the rows a view asks
// for, follows the cursor's notifications, and keeps a display order of its
// own (the view's sorting) apart from the cursor's order.
class CursorModel : public QAbstractTableModel, public store::CursorListener
{
    Q_OBJECT

public:
    // Raw values for sorting and editing, whatever the display shows.
    static constexpr int RawValueRole = Qt::UserRole + 1;

    CursorModel(store::Cursor& cursor, const QStringList& fieldNames, QObject* parent = nullptr);
    ~CursorModel() override;

    store::Cursor& cursor() const { return m_cursor; }
    int fieldIndexOfColumn(int column) const { return m_fieldIndexes.at(column); }
    int columnOfField(const QString& fieldName) const;

    void setEditable(bool editable);
    bool isEditable() const { return m_editable; }
    void setCaption(int column, const QString& caption);
    // Shows another field of the cursor in the column; an unknown one is ignored.
    void setColumnField(int column, const QString& fieldName);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    bool setData(const QModelIndex& index, const QVariant& value, int role) override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;
    void sort(int column, Qt::SortOrder order) override;

    int sortColumn() const { return m_sortColumn; }
    Qt::SortOrder sortOrder() const { return m_sortOrder; }
    void clearSort();

    int cursorRow(int displayRow) const;
    int displayRow(int cursorRow) const;

signals:
    // The cursor's current row moved; `displayRow` is its row in this model.
    void currentRowMoved(int displayRow);
    // Any stored or pending value changed: footers recompute.
    void valuesChanged();

private:
    void cursorReset() override;
    void rowsInserted(int first, int count) override;
    void rowsRemoved(int first, int count) override;
    void rowChanged(int row) override;
    void currentRowChanged(int row) override;

    void rebuildOrder();
    QVariant displayValue(const store::Value& value, store::FieldType type) const;
    void write(int column, const QVariant& value, int role);

    store::Cursor& m_cursor;
    std::vector<int> m_fieldIndexes;
    QStringList m_captions;
    bool m_editable = false;
    int m_sortColumn = -1;
    Qt::SortOrder m_sortOrder = Qt::AscendingOrder;
    std::vector<int> m_order;   // display row -> cursor row; empty: the same
    std::vector<int> m_inverse; // cursor row -> display row
};

} // namespace app
