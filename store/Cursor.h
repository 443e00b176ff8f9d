#pragma once

#include "store/Connection.h"
#include "store/Filter.h"
#include "store/Money.h"
#include "store/ScannedRow.h"
#include "store/Schema.h"
#include "store/Sqlite.h"
#include "store/Value.h"

#include <functional>
#include <map>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

namespace store {

enum class CursorState
{
    Inactive,
    Browse, // nothing pending
    Edit,   // the current row is being changed
    Insert, // a new row is being added
};

// Told what changed, so that a grid can follow a cursor and read only the
// rows it shows. Row numbers are positions in the cursor's order.
class CursorListener
{
public:
    virtual void cursorReset() {} // everything may have changed: read again
    virtual void rowsInserted(int /*first*/, int /*count*/) {}
    virtual void rowsRemoved(int /*first*/, int /*count*/) {}
    virtual void rowChanged(int /*row*/) {}
    virtual void currentRowChanged(int /*row*/) {}
    virtual void stateChanged(CursorState /*state*/) {}

protected:
    ~CursorListener() = default;
};

class Cursor;

// A field of the cursor's current row, read and written as the kinds the
// callers use. Writing needs the edit or insert state. A stored value that
// cannot be read as the kind asked for raises StoreError naming the table
// file, the row and the field.
class Field
{
public:
    Field(Cursor& cursor, int index) : m_cursor(&cursor), m_index(index) {}

    const std::string& name() const;
    FieldType type() const;
    int width() const;

    bool isNull() const;
    std::string asString() const;
    int32_t asInteger() const;  // rounded half to even, cut to 32 bits
    int64_t asLargeInt() const; // rounded half to even
    double asFloat() const;
    Money asMoney() const; // rounded once to whole units of 1/10,000
    DateTime asDate() const;
    bool asBoolean() const;
    Value value() const;

    void setString(std::string_view text) const;
    void setFloat(double number) const;
    void setInteger(int64_t number) const;
    void setDate(DateTime date) const;
    void setBoolean(bool flag) const;
    void clear() const;

private:
    Cursor* m_cursor;
    int m_index;
};

// A dataset-style cursor over one table: an ordered (and optionally
// filtered) set of rows with a current row, browse/edit/insert states and
// field access. Moving finishes a pending change: a changed row is posted,
// an untouched new row is dropped. Every post is one commit.
class Cursor
{
public:
    // A computed field's value for one row (the row's offered values).
    using Compute = std::function<Value(const Cursor&, const std::vector<Value>& row)>;

    struct FieldInfo
    {
        std::string name;
        std::string column; // empty for a computed field
        FieldType type;
        int width;
        Compute compute;
        std::string displayLabel = {}; // the name under which a user sees the field
    };

    Cursor(std::string name, Connection& connection, const TableDef& table);
    ~Cursor();
    Cursor(const Cursor&) = delete;
    Cursor& operator=(const Cursor&) = delete;

    const std::string& name() const { return m_name; }
    const TableDef& table() const { return m_table; }

    // Before open: offer only these columns, in this order, each optionally
    // under another name or with a narrower width (0 keeps the table's).
    struct Offer
    {
        std::string column;
        std::string name = {};
        int width = 0;
    };
    void offerFields(const std::vector<Offer>& offers);
    void addComputedField(std::string name, FieldType type, int width, Compute compute);

    void open();
    void close();
    bool isOpen() const { return m_state != CursorState::Inactive; }
    CursorState state() const { return m_state; }

    void first();
    void next();
    void prior();
    void last();
    void moveTo(int row);
    bool eof() const;
    int recordCount() const;
    int currentRow() const { return m_row; } // -1 on an empty set
    int64_t currentRowId() const;            // 0 for a row not yet stored
    int64_t rowIdAt(int row) const;          // 0 for a row not yet stored

    void edit();
    void append();
    void post();
    void cancel();
    void remove(); // deletes the current row
    bool isModified() const { return m_modified; }

    void refresh();
    void setIndexName(const std::string& name);
    const std::string& indexName() const { return m_indexName; }
    // An expression over field names such as "pruefen<>True"; see Filter.h.
    void setFilter(const std::string& expression);
    const std::string& filter() const { return m_filter; }
    void setFiltered(bool filtered);
    bool isFiltered() const { return m_filtered; }

    int fieldCount() const { return static_cast<int>(m_fields.size()); }
    const FieldInfo& fieldInfo(int index) const
    {
        return m_fields.at(static_cast<std::size_t>(index));
    }
    int fieldIndex(std::string_view name) const; // any case; -1 if none
    // The label a user sees for a field (the import offers its fields under
    // them); empty: the field's name.
    void setDisplayLabel(std::string_view fieldName, std::string label);
    std::string displayLabel(std::string_view fieldName) const;
    Field field(std::string_view name); // raises for an unknown name
    Field field(int index) { return Field(*this, index); }

    // A value of any row, for grids; the current row gives its pending values.
    Value valueAt(int row, int fieldIndex) const;

    // Called with the new value whenever one is about to be stored into the
    // field through the cursor; it may warn, or raise to refuse the value.
    using Validator = std::function<void(const Cursor&, const Value& newValue)>;
    void setValidator(std::string_view fieldName, Validator validator);

    // Totals of a numeric field over the cursor's rows (its filter applied),
    // a pending change or addition of the current row included in the sum
    // and the count of values. A Currency field is added exactly, as Money;
    // `sum` is then the binary number nearest to that amount.
    struct Summary
    {
        double sum = 0;
        int64_t values = 0; // rows where the field is not empty
        double min = 0;
        double max = 0;
    };
    Summary summarize(int fieldIndex) const;

    // Reads the given fields of every row in the cursor's order and filter with
    // one statement, for long read-only walks; moves nothing. `visit` gets the
    // values in the order of `fieldIndexes`. Needs the browse state.
    void scan(const std::vector<int>& fieldIndexes,
              const std::function<void(const ScannedRow& row)>& visit) const;

    // Row ids in the order of a field, for a view's own sorting.
    std::vector<int64_t> rowIdsOrderedBy(int fieldIndex, bool ascending) const;
    int rowOfId(int64_t rowId) const; // -1 if not in the set

    void addListener(CursorListener* listener);
    void removeListener(CursorListener* listener);
    // While disabled, listeners hear nothing; enabling again tells them once
    // that everything changed.
    void disableControls();
    void enableControls();
    bool controlsDisabled() const { return m_disabled > 0; }

private:
    friend class Field;

    Value currentValue(int index) const;
    void requireWritable(int index) const;
    void setCurrentValue(int index, Value value);

    void requireOpen() const;
    void finishPending();
    void moveToRow(int row);
    void loadCurrent();
    std::vector<Value> loadRow(int64_t rowId) const;
    std::vector<int64_t> selectRowIds(const std::string& order) const;
    // " FROM table [WHERE filter]", with the filter's parameters.
    std::string fromWhere(FilterSql& filter) const;
    void bindFilter(Statement& statement, const FilterSql& filter) const;
    void queryRowIds();
    void requeryKeeping(int64_t rowId, int fallbackRow);
    std::string orderClause() const;
    std::string selectColumns() const;
    Statement& writeStatement(bool insert);
    void setState(CursorState state);
    bool changesOrder() const;
    void applyFilter(std::string expression, bool filtered);

    template <class Call>
    void notify(Call&& call);

    std::string m_name;
    Connection& m_connection;
    const TableDef& m_table;
    std::string m_schema;
    std::vector<FieldInfo> m_fields;

    CursorState m_state = CursorState::Inactive;
    std::vector<int64_t> m_rowIds;
    int m_row = -1;
    int m_rowBeforeInsert = -1;
    bool m_eof = true;
    std::vector<Value> m_buffer;
    std::vector<bool> m_changed;
    bool m_modified = false;

    std::string m_indexName;
    std::string m_filter;
    bool m_filtered = false;

    mutable Statement m_selectRow;
    Statement m_deleteRow;
    std::map<std::pair<bool, std::vector<bool>>, Statement> m_writeStatements;
    mutable std::unordered_map<int64_t, std::vector<Value>> m_rowCache;

    std::map<int, Validator> m_validators;
    std::vector<CursorListener*> m_listeners;
    int m_disabled = 0;
};

} // namespace store
