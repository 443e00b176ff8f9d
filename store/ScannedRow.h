#pragma once

#include "store/Money.h"
#include "store/Schema.h"
#include "store/Value.h"

#include <cstdint>
#include <string>
#include <vector>

namespace store {

// One row as Cursor::scan reads it: the values of the fields asked for, in
// that order. Reading a value as a kind it cannot be read as raises
// StoreError naming the table file, the row and the field.
class ScannedRow
{
public:
    ScannedRow(const TableDef& table, std::vector<std::string> columns,
               std::vector<FieldType> types);

    std::size_t size() const { return m_values.size(); }
    const Value& operator[](std::size_t i) const { return m_values[i]; }
    int64_t rowId() const { return m_rowId; }

    const std::string& text(std::size_t i) const { return textOf(m_values[i]); }
    bool asBoolean(std::size_t i) const;
    double asFloat(std::size_t i) const;
    Money asMoney(std::size_t i) const; // rounded once to whole units of 1/10,000
    DateTime asDate(std::size_t i) const;

private:
    friend class Cursor;

    const TableDef& m_table;
    std::vector<std::string> m_columns;
    std::vector<FieldType> m_types;
    std::vector<Value> m_values;
    int64_t m_rowId = 0;
};

} // namespace store
