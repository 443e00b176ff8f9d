#include "store/Cursor.h"

#include "store/Filter.h"
#include "store/StoreError.h"
#include "store/ValueLocation.h"

#include <algorithm>
#include <sqlite3.h>
#include <utility>

namespace store {
namespace {

constexpr std::size_t kRowCacheLimit = 2048;

const char* kClosedDataset = "Cannot perform this operation on a closed dataset";
const char* kEmptyDataset = "Cannot perform this operation on an empty dataset";
const char* kNotEditing = "Dataset not in edit or insert mode";

// Reads a column into `slot`, reusing the slot's text buffer where it can:
// long walks read the same columns row after row.
void readColumnInto(Value& slot, const Statement& statement, int column, FieldType type)
{
    const int stored = statement.columnType(column);
    if (stored == SQLITE_NULL) {
        slot = std::monostate{};
        return;
    }
    switch (type) {
    case FieldType::Text:
    case FieldType::Date:
        if (stored == SQLITE_TEXT) {
            const std::string_view text = statement.columnTextView(column);
            if (std::string* buffer = std::get_if<std::string>(&slot))
                buffer->assign(text);
            else
                slot = std::string(text);
            return;
        }
        break;
    case FieldType::Float:
    case FieldType::Currency:
        if (stored == SQLITE_FLOAT || stored == SQLITE_INTEGER) {
            slot = statement.columnDouble(column);
            return;
        }
        break;
    case FieldType::AutoInc:
    case FieldType::Boolean:
        if (stored == SQLITE_INTEGER) {
            slot = statement.columnInt(column);
            return;
        }
        break;
    }
    // A value of another kind than the field's, as another program may store it.
    if (stored == SQLITE_INTEGER)
        slot = normalised(statement.columnInt(column), type);
    else if (stored == SQLITE_FLOAT)
        slot = normalised(statement.columnDouble(column), type);
    else
        slot = normalised(statement.columnText(column), type);
}

Value readColumn(const Statement& statement, int column, FieldType type)
{
    Value value;
    readColumnInto(value, statement, column, type);
    return value;
}

void bindValue(Statement& statement, int index, const Value& value)
{
    if (const int64_t* i = std::get_if<int64_t>(&value))
        statement.bind(index, *i);
    else if (const double* d = std::get_if<double>(&value))
        statement.bind(index, *d);
    else if (const std::string* s = std::get_if<std::string>(&value))
        statement.bind(index, std::string_view(*s));
    else
        statement.bindNull(index);
}

// Reads a value of the cursor's current row through `read`.
template <class Read>
auto readCurrent(const Cursor& cursor, int index, Read read)
{
    const Cursor::FieldInfo& info = cursor.fieldInfo(index);
    return readStoredValue(cursor.table(), cursor.currentRowId(),
                           info.column.empty() ? info.name : info.column, read);
}

} // namespace

// ---- Field -----------------------------------------------------------------

const std::string& Field::name() const
{
    return m_cursor->fieldInfo(m_index).name;
}
FieldType Field::type() const
{
    return m_cursor->fieldInfo(m_index).type;
}
int Field::width() const
{
    return m_cursor->fieldInfo(m_index).width;
}
Value Field::value() const
{
    return m_cursor->currentValue(m_index);
}
bool Field::isNull() const
{
    return store::isNull(value());
}
std::string Field::asString() const
{
    return valueAsText(value(), type());
}
int32_t Field::asInteger() const
{
    const Value stored = value();
    return readCurrent(*m_cursor, m_index, [&] { return valueAsInteger(stored, type()); });
}
int64_t Field::asLargeInt() const
{
    const Value stored = value();
    return readCurrent(*m_cursor, m_index, [&] { return valueAsLargeInt(stored, type()); });
}
double Field::asFloat() const
{
    const Value stored = value();
    return readCurrent(*m_cursor, m_index, [&] { return valueAsFloat(stored, type()); });
}
Money Field::asMoney() const
{
    const Value stored = value();
    return readCurrent(*m_cursor, m_index, [&] { return valueAsMoney(stored, type()); });
}
DateTime Field::asDate() const
{
    const Value stored = value();
    return readCurrent(*m_cursor, m_index, [&] { return valueAsDate(stored, type()); });
}
bool Field::asBoolean() const
{
    const Value stored = value();
    return readCurrent(*m_cursor, m_index, [&] { return valueAsBoolean(stored, type()); });
}
void Field::setString(std::string_view text) const
{
    m_cursor->requireWritable(m_index);
    m_cursor->setCurrentValue(m_index, valueFromText(text, type(), width()));
}
void Field::setFloat(double number) const
{
    m_cursor->requireWritable(m_index);
    m_cursor->setCurrentValue(m_index, valueFromFloat(number, type(), width()));
}
void Field::setInteger(int64_t number) const
{
    m_cursor->requireWritable(m_index);
    if (type() == FieldType::Boolean || type() == FieldType::AutoInc)
        m_cursor->setCurrentValue(m_index,
                                  valueFromFloat(static_cast<double>(number), type(), width()));
    else if (type() == FieldType::Text)
        m_cursor->setCurrentValue(m_index, cutToCharacters(std::to_string(number), width()));
    else
        setFloat(static_cast<double>(number));
}
void Field::setDate(DateTime date) const
{
    m_cursor->requireWritable(m_index);
    m_cursor->setCurrentValue(m_index, valueFromDate(date, type(), width()));
}
void Field::setBoolean(bool flag) const
{
    m_cursor->requireWritable(m_index);
    m_cursor->setCurrentValue(m_index, valueFromBoolean(flag, type(), width()));
}
void Field::clear() const
{
    m_cursor->requireWritable(m_index);
    m_cursor->setCurrentValue(m_index, Value{});
}

// ---- Cursor: set-up ------------------------------------------------------

Cursor::Cursor(std::string name, Connection& connection, const TableDef& table)
    : m_name(std::move(name)), m_connection(connection), m_table(table)
{
    for (const FieldDef& f : table.fields)
        m_fields.push_back({f.name, f.name, f.type, f.width, {}});
}

Cursor::~Cursor() = default;

void Cursor::offerFields(const std::vector<Offer>& offers)
{
    m_fields.clear();
    for (const Offer& offer : offers) {
        const FieldDef* def = m_table.field(offer.column);
        if (!def)
            throw StoreError("The table " + m_table.fileName + " has no field " + offer.column);
        m_fields.push_back({offer.name.empty() ? def->name : offer.name,
                            def->name,
                            def->type,
                            offer.width > 0 ? offer.width : def->width,
                            {}});
    }
}

void Cursor::addComputedField(std::string name, FieldType type, int width, Compute compute)
{
    m_fields.push_back({std::move(name), {}, type, width, std::move(compute)});
}

std::string Cursor::selectColumns() const
{
    std::string columns;
    for (const FieldInfo& f : m_fields) {
        if (!f.column.empty())
            columns += (columns.empty() ? "" : ", ") + quoteIdentifier(f.column);
    }
    return columns.empty() ? "NULL" : columns;
}

void Cursor::open()
{
    if (isOpen())
        return;
    m_schema = m_connection.attach(m_table);
    const std::string from = quoteIdentifier(m_schema) + "." + quoteIdentifier(m_table.tableName);
    m_selectRow = Statement(m_connection.handle(),
                            "SELECT " + selectColumns() + " FROM " + from + " WHERE rowid = ?",
                            m_table.fileName);
    m_deleteRow = Statement(m_connection.handle(), "DELETE FROM " + from + " WHERE rowid = ?",
                            m_table.fileName);
    queryRowIds();
    m_state = CursorState::Browse;
    m_row = m_rowIds.empty() ? -1 : 0;
    m_eof = m_rowIds.empty();
    loadCurrent();
    notify([](CursorListener& l) { l.cursorReset(); });
}

void Cursor::close()
{
    if (!isOpen())
        return;
    m_state = CursorState::Inactive;
    m_rowIds.clear();
    m_row = -1;
    m_eof = true;
    m_buffer.assign(m_fields.size(), Value{});
    m_rowCache.clear();
    m_writeStatements.clear();
    m_selectRow = Statement();
    m_deleteRow = Statement();
    notify([](CursorListener& l) { l.cursorReset(); });
}

void Cursor::requireOpen() const
{
    if (!isOpen())
        throw StoreError(kClosedDataset);
}

// ---- Cursor: the row set -------------------------------------------------

std::string Cursor::orderClause() const
{
    std::string order;
    if (const IndexDef* index = m_table.index(m_indexName)) {
        for (const std::string& column : index->fields) {
            const FieldDef* def = m_table.field(column);
            order += quoteIdentifier(column);
            if (def && def->type == FieldType::Text)
                order += " COLLATE NOCASE";
            order += ", ";
        }
    }
    return " ORDER BY " + order + "rowid";
}

std::string Cursor::fromWhere(FilterSql& filter) const
{
    std::string sql =
        " FROM " + quoteIdentifier(m_schema) + "." + quoteIdentifier(m_table.tableName);
    if (m_filtered && !m_filter.empty()) {
        filter = translateFilter(m_filter, [this](const std::string& name) {
            std::optional<FilterColumn> column;
            const int index = fieldIndex(name);
            if (index >= 0 && !fieldInfo(index).column.empty())
                column = FilterColumn{fieldInfo(index).column, fieldInfo(index).type};
            return column;
        });
        sql += " WHERE " + filter.where;
    }
    return sql;
}

void Cursor::bindFilter(Statement& statement, const FilterSql& filter) const
{
    for (std::size_t i = 0; i < filter.params.size(); ++i)
        bindValue(statement, static_cast<int>(i + 1), filter.params[i]);
}

std::vector<int64_t> Cursor::selectRowIds(const std::string& order) const
{
    FilterSql filter;
    const std::string sql = "SELECT rowid" + fromWhere(filter) + order;
    Statement query(m_connection.handle(), sql, m_table.fileName);
    bindFilter(query, filter);
    std::vector<int64_t> rowIds;
    rowIds.reserve(m_rowIds.size());
    while (query.step())
        rowIds.push_back(query.columnInt(0));
    return rowIds;
}

void Cursor::scan(const std::vector<int>& fieldIndexes,
                  const std::function<void(const ScannedRow&)>& visit) const
{
    requireOpen();
    if (m_state != CursorState::Browse)
        throw StoreError(m_name + ": a pending change must be stored before the rows are read");
    std::string columns;
    std::vector<std::string> names;
    std::vector<FieldType> types;
    for (int index : fieldIndexes) {
        const FieldInfo& info = fieldInfo(index);
        if (info.column.empty())
            throw StoreError(m_name + ": Field '" + info.name + "' is computed");
        columns += ", " + quoteIdentifier(info.column);
        names.push_back(info.column);
        types.push_back(info.type);
    }
    FilterSql filter;
    // The rowid first, so that a value that cannot be read names its row.
    Statement query(m_connection.handle(),
                    "SELECT rowid" + columns + fromWhere(filter) + orderClause(), m_table.fileName);
    bindFilter(query, filter);
    ScannedRow row(m_table, std::move(names), types);
    while (query.step()) {
        row.m_rowId = query.columnInt(0);
        for (std::size_t i = 0; i < fieldIndexes.size(); ++i)
            readColumnInto(row.m_values[i], query, static_cast<int>(i + 1), types[i]);
        visit(row);
    }
}

Cursor::Summary Cursor::summarize(int index) const
{
    requireOpen();
    Summary summary;
    const FieldInfo& info = fieldInfo(index);
    if (info.column.empty())
        return summary;
    const std::string column = quoteIdentifier(info.column);
    FilterSql filter;
    // Amounts are added here, in whole units of 1/10,000; SQLite's total()
    // would add binary fractions.
    const bool amounts = info.type == FieldType::Currency;
    Money amountSum;
    if (amounts) {
        Statement query(m_connection.handle(), "SELECT " + column + fromWhere(filter),
                        m_table.fileName);
        bindFilter(query, filter);
        Money min, max;
        while (query.step()) {
            if (query.columnType(0) == SQLITE_NULL)
                continue;
            const Money amount = Money::fromDouble(query.columnDouble(0));
            min = summary.values == 0 ? amount : std::min(min, amount);
            max = summary.values == 0 ? amount : std::max(max, amount);
            amountSum += amount;
            ++summary.values;
        }
        summary.min = min.toDouble();
        summary.max = max.toDouble();
    } else {
        const std::string sql = "SELECT total(" + column + "), count(" + column + "), min(" +
                                column + "), max(" + column + ")" + fromWhere(filter);
        Statement query(m_connection.handle(), sql, m_table.fileName);
        bindFilter(query, filter);
        if (query.step()) {
            summary.sum = query.columnDouble(0);
            summary.values = query.columnInt(1);
            summary.min = query.columnDouble(2);
            summary.max = query.columnDouble(3);
        }
    }
    // The current row's pending value counts instead of its stored one.
    const auto pending = static_cast<std::size_t>(index);
    if (m_state == CursorState::Insert || (m_state == CursorState::Edit && m_changed[pending])) {
        if (m_state == CursorState::Edit) {
            const Value stored = loadRow(currentRowId())[pending];
            if (amounts)
                amountSum -= valueAsMoney(stored, info.type);
            else
                summary.sum -= valueAsFloat(stored, info.type);
            summary.values -= isNull(stored) ? 0 : 1;
        }
        if (amounts)
            amountSum += valueAsMoney(m_buffer[pending], info.type);
        else
            summary.sum += valueAsFloat(m_buffer[pending], info.type);
        summary.values += isNull(m_buffer[pending]) ? 0 : 1;
    }
    if (amounts)
        summary.sum = amountSum.toDouble();
    return summary;
}

void Cursor::queryRowIds()
{
    m_rowIds = selectRowIds(orderClause());
    m_rowCache.clear();
}

void Cursor::requeryKeeping(int64_t rowId, int fallbackRow)
{
    queryRowIds();
    int row = rowOfId(rowId);
    if (row < 0)
        row = std::min(fallbackRow, static_cast<int>(m_rowIds.size()) - 1);
    m_row = m_rowIds.empty() ? -1 : std::max(row, 0);
    m_eof = m_rowIds.empty();
    loadCurrent();
    notify([](CursorListener& l) { l.cursorReset(); });
    notify([this](CursorListener& l) { l.currentRowChanged(m_row); });
}

int Cursor::rowOfId(int64_t rowId) const
{
    // Without an index the rows stand in row-id order, and a new row's id is
    // larger than every other (AUTOINCREMENT), so the order holds until the
    // next query: an import that updates rows by id finds each in log time.
    if (m_indexName.empty()) {
        const auto found = std::lower_bound(m_rowIds.begin(), m_rowIds.end(), rowId);
        return found == m_rowIds.end() || *found != rowId
                   ? -1
                   : static_cast<int>(found - m_rowIds.begin());
    }
    const auto found = std::find(m_rowIds.begin(), m_rowIds.end(), rowId);
    return found == m_rowIds.end() ? -1 : static_cast<int>(found - m_rowIds.begin());
}

int64_t Cursor::currentRowId() const
{
    return rowIdAt(m_row);
}

int64_t Cursor::rowIdAt(int row) const
{
    if (row < 0 || row >= static_cast<int>(m_rowIds.size()))
        return 0;
    return m_rowIds[static_cast<std::size_t>(row)];
}

std::vector<Value> Cursor::loadRow(int64_t rowId) const
{
    std::vector<Value> row(m_fields.size());
    m_selectRow.bind(1, rowId); // left reset after its last use
    if (m_selectRow.step()) {
        int column = 0;
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (!m_fields[i].column.empty())
                row[i] = readColumn(m_selectRow, column++, m_fields[i].type);
        }
    }
    m_selectRow.reset();
    return row;
}

void Cursor::loadCurrent()
{
    const int64_t rowId = currentRowId();
    m_buffer = rowId != 0 ? loadRow(rowId) : std::vector<Value>(m_fields.size());
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
}

// ---- Cursor: moving ------------------------------------------------------

void Cursor::finishPending()
{
    if (m_state == CursorState::Edit || m_state == CursorState::Insert) {
        if (m_modified)
            post();
        else
            cancel();
    }
}

void Cursor::moveToRow(int row)
{
    m_row = row;
    loadCurrent();
    notify([row](CursorListener& l) { l.currentRowChanged(row); });
}

void Cursor::first()
{
    requireOpen();
    finishPending();
    moveToRow(m_rowIds.empty() ? -1 : 0);
    m_eof = m_rowIds.empty();
}

void Cursor::next()
{
    requireOpen();
    finishPending();
    if (m_row + 1 < static_cast<int>(m_rowIds.size())) {
        moveToRow(m_row + 1);
        m_eof = false;
    } else {
        m_eof = true;
    }
}

void Cursor::prior()
{
    requireOpen();
    finishPending();
    if (m_row > 0)
        moveToRow(m_row - 1);
    m_eof = m_rowIds.empty();
}

void Cursor::last()
{
    requireOpen();
    finishPending();
    moveToRow(static_cast<int>(m_rowIds.size()) - 1);
    m_eof = m_rowIds.empty();
}

void Cursor::moveTo(int row)
{
    requireOpen();
    if (row == m_row)
        return;
    finishPending();
    if (m_rowIds.empty())
        return;
    moveToRow(std::clamp(row, 0, static_cast<int>(m_rowIds.size()) - 1));
    m_eof = false;
}

bool Cursor::eof() const
{
    return m_eof || recordCount() == 0;
}

int Cursor::recordCount() const
{
    return static_cast<int>(m_rowIds.size()) + (m_state == CursorState::Insert ? 1 : 0);
}

// ---- Cursor: changing ----------------------------------------------------

void Cursor::setState(CursorState state)
{
    if (m_state == state)
        return;
    m_state = state;
    notify([state](CursorListener& l) { l.stateChanged(state); });
}

void Cursor::edit()
{
    requireOpen();
    if (m_state != CursorState::Browse)
        return;
    if (m_rowIds.empty()) {
        append();
        return;
    }
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
    setState(CursorState::Edit);
}

void Cursor::append()
{
    requireOpen();
    finishPending();
    m_rowBeforeInsert = m_row;
    m_row = static_cast<int>(m_rowIds.size());
    m_buffer.assign(m_fields.size(), Value{});
    m_changed.assign(m_fields.size(), false);
    m_modified = false;
    m_eof = false;
    m_state = CursorState::Insert;
    const int row = m_row;
    notify([row](CursorListener& l) { l.rowsInserted(row, 1); });
    notify([row](CursorListener& l) { l.currentRowChanged(row); });
    notify([](CursorListener& l) { l.stateChanged(CursorState::Insert); });
}

Statement& Cursor::writeStatement(bool insert)
{
    auto key = std::make_pair(insert, m_changed);
    auto found = m_writeStatements.find(key);
    if (found != m_writeStatements.end())
        return found->second;

    const std::string table = quoteIdentifier(m_schema) + "." + quoteIdentifier(m_table.tableName);
    std::string sql;
    if (insert) {
        std::string columns;
        std::string values;
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (!m_changed[i])
                continue;
            columns += (columns.empty() ? "" : ", ") + quoteIdentifier(m_fields[i].column);
            values += values.empty() ? "?" : ", ?";
        }
        sql = columns.empty()
                  ? "INSERT INTO " + table + " DEFAULT VALUES"
                  : "INSERT INTO " + table + " (" + columns + ") VALUES (" + values + ")";
    } else {
        std::string assignments;
        for (std::size_t i = 0; i < m_fields.size(); ++i) {
            if (m_changed[i])
                assignments += (assignments.empty() ? "" : ", ") +
                               quoteIdentifier(m_fields[i].column) + " = ?";
        }
        sql = "UPDATE " + table + " SET " + assignments + " WHERE rowid = ?";
    }
    return m_writeStatements
        .emplace(std::move(key), Statement(m_connection.handle(), sql, m_table.fileName))
        .first->second;
}

bool Cursor::changesOrder() const
{
    const IndexDef* index = m_table.index(m_indexName);
    if (!index)
        return false;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (!m_changed[i])
            continue;
        for (const std::string& column : index->fields) {
            if (equalsIgnoringCase(column, m_fields[i].column))
                return true;
        }
    }
    return false;
}

void Cursor::post()
{
    requireOpen();
    if (m_state == CursorState::Browse)
        return;
    const bool inserting = m_state == CursorState::Insert;
    if (!inserting && !m_modified) {
        setState(CursorState::Browse);
        return;
    }

    Statement& write = writeStatement(inserting);
    write.reset();
    int parameter = 1;
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (m_changed[i])
            bindValue(write, parameter++, m_buffer[i]);
    }
    if (!inserting)
        write.bind(parameter, currentRowId());
    write.run(); // on failure the change stays pending

    if (inserting) {
        const int64_t rowId = sqlite3_last_insert_rowid(m_connection.handle());
        m_rowIds.push_back(rowId);
        m_state = CursorState::Browse;
        notify([](CursorListener& l) { l.stateChanged(CursorState::Browse); });
        if (!m_indexName.empty()) { // a new row takes its place in the order
            requeryKeeping(rowId, m_row);
            return;
        }
        loadCurrent(); // the new row's number and defaults
    } else {
        m_rowCache.erase(currentRowId());
        const bool reorder = changesOrder();
        m_changed.assign(m_fields.size(), false);
        m_modified = false;
        setState(CursorState::Browse);
        if (reorder) {
            requeryKeeping(currentRowId(), m_row);
            return;
        }
    }
    const int row = m_row;
    notify([row](CursorListener& l) { l.rowChanged(row); });
}

void Cursor::cancel()
{
    requireOpen();
    if (m_state == CursorState::Insert) {
        const int removed = m_row;
        m_state = CursorState::Browse;
        m_row = m_rowIds.empty()
                    ? -1
                    : std::clamp(m_rowBeforeInsert, 0, static_cast<int>(m_rowIds.size()) - 1);
        loadCurrent();
        notify([removed](CursorListener& l) { l.rowsRemoved(removed, 1); });
        notify([this](CursorListener& l) { l.currentRowChanged(m_row); });
        notify([](CursorListener& l) { l.stateChanged(CursorState::Browse); });
    } else if (m_state == CursorState::Edit) {
        const bool wasModified = m_modified;
        loadCurrent();
        setState(CursorState::Browse);
        if (wasModified) {
            const int row = m_row;
            notify([row](CursorListener& l) { l.rowChanged(row); });
        }
    }
}

void Cursor::remove()
{
    requireOpen();
    if (m_state == CursorState::Insert) {
        cancel();
        return;
    }
    if (m_rowIds.empty())
        throw StoreError(kEmptyDataset);

    const int64_t rowId = currentRowId();
    m_deleteRow.reset();
    m_deleteRow.bind(1, rowId);
    m_deleteRow.run();

    const int removed = m_row;
    m_rowIds.erase(m_rowIds.begin() + removed);
    m_rowCache.erase(rowId);
    m_state = CursorState::Browse;
    m_row = std::min(removed, static_cast<int>(m_rowIds.size()) - 1);
    m_eof = m_rowIds.empty();
    loadCurrent();
    notify([removed](CursorListener& l) { l.rowsRemoved(removed, 1); });
    notify([this](CursorListener& l) { l.currentRowChanged(m_row); });
}

void Cursor::refresh()
{
    requireOpen();
    finishPending();
    requeryKeeping(currentRowId(), m_row);
}

void Cursor::setIndexName(const std::string& name)
{
    if (!name.empty() && !m_table.index(name))
        throw StoreError("The table " + m_table.fileName + " has no index " + name);
    if (isOpen())
        finishPending();
    m_indexName = name;
    if (isOpen())
        requeryKeeping(currentRowId(), m_row);
}

void Cursor::setFilter(const std::string& expression)
{
    applyFilter(expression, m_filtered);
}

void Cursor::setFiltered(bool filtered)
{
    if (filtered != m_filtered)
        applyFilter(m_filter, filtered);
}

void Cursor::applyFilter(std::string expression, bool filtered)
{
    if (isOpen())
        finishPending();
    const std::string previousFilter = std::exchange(m_filter, std::move(expression));
    const bool wasFiltered = std::exchange(m_filtered, filtered);
    if (!isOpen() || (!wasFiltered && !filtered))
        return;
    try {
        requeryKeeping(0, 0); // a filter change starts at the first row
    } catch (...) {
        // A filter that cannot be applied is not left on.
        m_filter = previousFilter;
        m_filtered = wasFiltered;
        throw;
    }
}

// ---- Cursor: fields ------------------------------------------------------

int Cursor::fieldIndex(std::string_view name) const
{
    for (std::size_t i = 0; i < m_fields.size(); ++i) {
        if (equalsIgnoringCase(m_fields[i].name, name))
            return static_cast<int>(i);
    }
    return -1;
}

void Cursor::setDisplayLabel(std::string_view fieldName, std::string label)
{
    const int index = fieldIndex(fieldName);
    if (index < 0)
        throw StoreError(m_name + ": Field '" + std::string(fieldName) + "' not found");
    m_fields[static_cast<std::size_t>(index)].displayLabel = std::move(label);
}

std::string Cursor::displayLabel(std::string_view fieldName) const
{
    const int index = fieldIndex(fieldName);
    if (index < 0)
        return {};
    const FieldInfo& info = fieldInfo(index);
    return info.displayLabel.empty() ? info.name : info.displayLabel;
}

Field Cursor::field(std::string_view name)
{
    const int index = fieldIndex(name);
    if (index < 0)
        throw StoreError(m_name + ": Field '" + std::string(name) + "' not found");
    return Field(*this, index);
}

Value Cursor::currentValue(int index) const
{
    const FieldInfo& info = fieldInfo(index);
    if (info.compute)
        return info.compute(*this, m_buffer);
    return m_buffer.empty() ? Value{} : m_buffer[static_cast<std::size_t>(index)];
}

void Cursor::requireWritable(int index) const
{
    requireOpen();
    const FieldInfo& info = fieldInfo(index);
    if (info.compute || info.type == FieldType::AutoInc)
        throw StoreError(m_name + ": Field '" + info.name + "' cannot be modified");
    if (m_state == CursorState::Browse)
        throw StoreError(m_name + ": " + kNotEditing);
}

void Cursor::setValidator(std::string_view fieldName, Validator validator)
{
    const int index = fieldIndex(fieldName);
    if (index < 0)
        throw StoreError(m_name + ": Field '" + std::string(fieldName) + "' not found");
    m_validators[index] = std::move(validator);
}

void Cursor::setCurrentValue(int index, Value value)
{
    requireWritable(index);
    if (const auto validator = m_validators.find(index); validator != m_validators.end())
        validator->second(*this, value);
    auto& slot = m_buffer[static_cast<std::size_t>(index)];
    if (slot == value)
        return; // storing the same value again changes nothing
    slot = std::move(value);
    m_changed[static_cast<std::size_t>(index)] = true;
    m_modified = true;
    const int row = m_row;
    notify([row](CursorListener& l) { l.rowChanged(row); });
}

Value Cursor::valueAt(int row, int index) const
{
    if (!isOpen() || row < 0 || row >= recordCount() || index < 0 || index >= fieldCount())
        return {};
    if (row == m_row)
        return currentValue(index);
    const int64_t rowId = m_rowIds[static_cast<std::size_t>(row)];
    auto cached = m_rowCache.find(rowId);
    if (cached == m_rowCache.end()) {
        if (m_rowCache.size() >= kRowCacheLimit)
            m_rowCache.clear();
        cached = m_rowCache.emplace(rowId, loadRow(rowId)).first;
    }
    const FieldInfo& info = fieldInfo(index);
    return info.compute ? info.compute(*this, cached->second)
                        : cached->second[static_cast<std::size_t>(index)];
}

std::vector<int64_t> Cursor::rowIdsOrderedBy(int index, bool ascending) const
{
    requireOpen();
    const FieldInfo& info = fieldInfo(index);
    if (info.column.empty())
        return m_rowIds;
    return selectRowIds(" ORDER BY " + quoteIdentifier(info.column) +
                        (info.type == FieldType::Text ? " COLLATE NOCASE" : "") +
                        (ascending ? " ASC" : " DESC") + ", rowid");
}

// ---- Cursor: listeners ---------------------------------------------------

void Cursor::addListener(CursorListener* listener)
{
    m_listeners.push_back(listener);
}

void Cursor::removeListener(CursorListener* listener)
{
    m_listeners.erase(std::remove(m_listeners.begin(), m_listeners.end(), listener),
                      m_listeners.end());
}

void Cursor::disableControls()
{
    ++m_disabled;
}

void Cursor::enableControls()
{
    if (m_disabled == 0 || --m_disabled > 0)
        return;
    notify([](CursorListener& l) { l.cursorReset(); });
    notify([this](CursorListener& l) { l.currentRowChanged(m_row); });
}

template <class Call>
void Cursor::notify(Call&& call)
{
    if (m_disabled > 0)
        return;
    for (CursorListener* listener : std::vector<CursorListener*>(m_listeners))
        call(*listener);
}

} // namespace store
