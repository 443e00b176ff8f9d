#include "app/CursorModel.h"

#include "app/Dialogs.h"
#include "app/TypedInput.h"
#include "store/StoreError.h"

#include <QDate>
#include <QLocale>
#include <cmath>
#include <unordered_map>

namespace app {
namespace {

QDate toQDate(dtazv::DateTime value)
{
    if (value == 0 || !dtazv::isRepresentable(value))
        return {};
    const dtazv::CivilDateTime c = dtazv::decodeDateTime(value);
    return QDate(c.year, c.month, c.day);
}

dtazv::DateTime fromQDate(const QDate& date)
{
    return dtazv::encodeDate(date.year(), date.month(), date.day());
}

} // namespace

CursorModel::CursorModel(store::Cursor& cursor, const QStringList& fieldNames, QObject* parent)
    : QAbstractTableModel(parent), m_cursor(cursor)
{
    for (const QString& name : fieldNames) {
        const int index = cursor.fieldIndex(name.toStdString());
        if (index < 0)
            throw store::StoreError(cursor.name() + ": Field '" + name.toStdString() +
                                    "' not found");
        m_fieldIndexes.push_back(index);
        m_captions.push_back(name);
    }
    m_cursor.addListener(this);
}

CursorModel::~CursorModel()
{
    m_cursor.removeListener(this);
}

int CursorModel::columnOfField(const QString& fieldName) const
{
    for (std::size_t i = 0; i < m_fieldIndexes.size(); ++i) {
        if (QString::fromStdString(m_cursor.fieldInfo(m_fieldIndexes[i]).name)
                .compare(fieldName, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    }
    return -1;
}

void CursorModel::setEditable(bool editable)
{
    m_editable = editable;
}

void CursorModel::setColumnField(int column, const QString& fieldName)
{
    const int index = m_cursor.fieldIndex(fieldName.toStdString());
    if (index < 0 || column < 0 || column >= columnCount())
        return;
    m_fieldIndexes[static_cast<std::size_t>(column)] = index;
    emit dataChanged(this->index(0, column), this->index(rowCount() - 1, column));
}

void CursorModel::setCaption(int column, const QString& caption)
{
    m_captions[column] = caption;
    emit headerDataChanged(Qt::Horizontal, column, column);
}

int CursorModel::rowCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : m_cursor.recordCount();
}

int CursorModel::columnCount(const QModelIndex& parent) const
{
    return parent.isValid() ? 0 : static_cast<int>(m_fieldIndexes.size());
}

int CursorModel::cursorRow(int row) const
{
    if (m_order.empty() || row < 0 || row >= static_cast<int>(m_order.size()))
        return row;
    return m_order[static_cast<std::size_t>(row)];
}

int CursorModel::displayRow(int row) const
{
    if (m_inverse.empty() || row < 0 || row >= static_cast<int>(m_inverse.size()))
        return row;
    return m_inverse[static_cast<std::size_t>(row)];
}

QVariant CursorModel::displayValue(const store::Value& value, store::FieldType type) const
{
    using store::FieldType;
    if (store::isNull(value))
        return {};
    switch (type) {
    case FieldType::Currency:
        return QLocale().toCurrencyString(store::valueAsFloat(value, type), QStringLiteral("€"), 2);
    case FieldType::Float: {
        // Account numbers and bank codes are whole numbers: shown as digits alone.
        const double number = store::valueAsFloat(value, type);
        if (std::floor(number) == number && std::fabs(number) < 1e15)
            return QString::number(static_cast<qint64>(number));
        return QLocale().toString(number, 'g', 15);
    }
    case FieldType::Date:
        return dateText(toQDate(store::valueAsDate(value, type)));
    case FieldType::Boolean:
        return {};
    default:
        return QString::fromStdString(store::valueAsText(value, type));
    }
}

QVariant CursorModel::data(const QModelIndex& index, int role) const
{
    if (!index.isValid())
        return {};
    const int field = m_fieldIndexes.at(index.column());
    const store::FieldType type = m_cursor.fieldInfo(field).type;
    const auto valueOf = [&] { return m_cursor.valueAt(cursorRow(index.row()), field); };
    try {
        switch (role) {
        case Qt::DisplayRole:
            return displayValue(valueOf(), type);
        case Qt::EditRole:
        case RawValueRole: {
            const store::Value v = valueOf();
            if (store::isNull(v))
                return type == store::FieldType::Date ? QVariant(QDate()) : QVariant();
            if (type == store::FieldType::Date)
                return toQDate(store::valueAsDate(v, type));
            if (type == store::FieldType::Float || type == store::FieldType::Currency)
                return store::valueAsFloat(v, type);
            if (type == store::FieldType::Boolean)
                return store::valueAsBoolean(v, type);
            return QString::fromStdString(store::valueAsText(v, type));
        }
        case Qt::CheckStateRole:
            if (type == store::FieldType::Boolean)
                return store::valueAsBoolean(valueOf(), type) ? Qt::Checked : Qt::Unchecked;
            return {};
        case Qt::TextAlignmentRole:
            if (type == store::FieldType::Currency || type == store::FieldType::Float)
                return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
            return {};
        default:
            return {};
        }
    } catch (const store::StoreError&) {
        return {}; // a value the field cannot read shows empty
    }
}

void CursorModel::write(int column, const QVariant& value, int role)
{
    store::Field field = m_cursor.field(m_fieldIndexes.at(column));
    m_cursor.edit();
    if (role == Qt::CheckStateRole) {
        field.setBoolean(value.toInt() == Qt::Checked);
    } else if (!value.isValid() ||
               (value.typeId() == QMetaType::QString && value.toString().isEmpty())) {
        field.clear();
    } else if (value.typeId() == QMetaType::QDate) {
        if (value.toDate().isValid())
            field.setDate(fromQDate(value.toDate()));
        else
            field.clear();
    } else if (value.typeId() == QMetaType::Double || value.typeId() == QMetaType::Int) {
        field.setFloat(value.toDouble());
    } else if (value.typeId() == QMetaType::Bool) {
        field.setBoolean(value.toBool());
    } else {
        field.setString(value.toString().toStdString());
    }
}

bool CursorModel::setData(const QModelIndex& index, const QVariant& value, int role)
{
    if (!index.isValid() || !m_editable || (role != Qt::EditRole && role != Qt::CheckStateRole))
        return false;
    try {
        m_cursor.moveTo(cursorRow(index.row()));
        write(index.column(), value, role);
        return true;
    } catch (const std::exception& e) {
        Dialogs::information(nullptr, QString::fromUtf8(e.what()));
        return false;
    }
}

Qt::ItemFlags CursorModel::flags(const QModelIndex& index) const
{
    if (!index.isValid())
        return Qt::NoItemFlags;
    Qt::ItemFlags f = Qt::ItemIsSelectable | Qt::ItemIsEnabled;
    if (!m_editable)
        return f;
    const store::Cursor::FieldInfo& info = m_cursor.fieldInfo(m_fieldIndexes.at(index.column()));
    if (info.compute || info.type == store::FieldType::AutoInc)
        return f;
    return info.type == store::FieldType::Boolean ? f | Qt::ItemIsUserCheckable
                                                  : f | Qt::ItemIsEditable;
}

QVariant CursorModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation == Qt::Horizontal && role == Qt::DisplayRole && section >= 0 &&
        section < m_captions.size())
        return m_captions[section];
    if (orientation == Qt::Vertical && role == Qt::DisplayRole)
        return QString(); // the row indicator shows no numbers
    return QAbstractTableModel::headerData(section, orientation, role);
}

void CursorModel::sort(int column, Qt::SortOrder order)
{
    emit layoutAboutToBeChanged();
    m_sortColumn = column;
    m_sortOrder = order;
    rebuildOrder();
    emit layoutChanged();
}

void CursorModel::clearSort()
{
    sort(-1, Qt::AscendingOrder);
}

void CursorModel::rebuildOrder()
{
    m_order.clear();
    m_inverse.clear();
    if (m_sortColumn < 0 || !m_cursor.isOpen() || m_cursor.recordCount() == 0)
        return;
    std::vector<int64_t> ordered;
    try {
        ordered = m_cursor.rowIdsOrderedBy(m_fieldIndexes.at(m_sortColumn),
                                           m_sortOrder == Qt::AscendingOrder);
    } catch (const store::StoreError&) {
        return; // a damaged table file cannot be sorted: the rows keep its order
    }
    const int count = m_cursor.recordCount();
    std::unordered_map<int64_t, int> rowOfId;
    rowOfId.reserve(static_cast<std::size_t>(count));
    for (int row = 0; row < count; ++row) {
        const int64_t id = m_cursor.rowIdAt(row);
        if (id != 0)
            rowOfId.emplace(id, row);
    }
    m_order.reserve(static_cast<std::size_t>(count));
    std::vector<bool> placed(static_cast<std::size_t>(count), false);
    for (int64_t id : ordered) {
        const auto found = rowOfId.find(id);
        if (found != rowOfId.end()) {
            m_order.push_back(found->second);
            placed[static_cast<std::size_t>(found->second)] = true;
        }
    }
    for (int row = 0; row < count; ++row) { // rows not yet stored go last
        if (!placed[static_cast<std::size_t>(row)])
            m_order.push_back(row);
    }
    m_inverse.assign(static_cast<std::size_t>(count), 0);
    for (std::size_t d = 0; d < m_order.size(); ++d)
        m_inverse[static_cast<std::size_t>(m_order[d])] = static_cast<int>(d);
}

void CursorModel::cursorReset()
{
    beginResetModel();
    rebuildOrder();
    endResetModel();
    emit valuesChanged();
}

void CursorModel::rowsInserted(int first, int count)
{
    // A new row shows at the end of the display until the order is rebuilt.
    const int displayFirst = rowCount() - count;
    beginInsertRows({}, displayFirst, displayFirst + count - 1);
    if (!m_order.empty()) {
        for (int i = 0; i < count; ++i) {
            m_order.push_back(first + i);
            m_inverse.push_back(displayFirst + i);
        }
    }
    endInsertRows();
    emit valuesChanged();
}

void CursorModel::rowsRemoved(int first, int count)
{
    if (m_order.empty()) {
        beginRemoveRows({}, first, first + count - 1);
        endRemoveRows();
        emit valuesChanged();
        return;
    }
    for (int i = 0; i < count; ++i) {
        const int display = m_inverse[static_cast<std::size_t>(first)];
        beginRemoveRows({}, display, display);
        m_order.erase(m_order.begin() + display);
        for (int& row : m_order) {
            if (row > first)
                --row;
        }
        m_inverse.assign(m_order.size(), 0);
        for (std::size_t d = 0; d < m_order.size(); ++d)
            m_inverse[static_cast<std::size_t>(m_order[d])] = static_cast<int>(d);
        endRemoveRows();
    }
    emit valuesChanged();
}

void CursorModel::rowChanged(int row)
{
    const int display = displayRow(row);
    emit dataChanged(index(display, 0), index(display, columnCount() - 1));
    emit valuesChanged();
}

void CursorModel::currentRowChanged(int row)
{
    emit currentRowMoved(displayRow(row));
}

} // namespace app
