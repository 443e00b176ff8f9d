#include "store/ScannedRow.h"

#include "store/ValueLocation.h"

#include <utility>

namespace store {

ScannedRow::ScannedRow(const TableDef& table, std::vector<std::string> columns,
                       std::vector<FieldType> types)
    : m_table(table), m_columns(std::move(columns)), m_types(std::move(types)),
      m_values(m_columns.size())
{}

bool ScannedRow::asBoolean(std::size_t i) const
{
    return readStoredValue(m_table, m_rowId, m_columns[i],
                           [&] { return valueAsBoolean(m_values[i], m_types[i]); });
}

double ScannedRow::asFloat(std::size_t i) const
{
    return readStoredValue(m_table, m_rowId, m_columns[i],
                           [&] { return valueAsFloat(m_values[i], m_types[i]); });
}

Money ScannedRow::asMoney(std::size_t i) const
{
    return readStoredValue(m_table, m_rowId, m_columns[i],
                           [&] { return valueAsMoney(m_values[i], m_types[i]); });
}

DateTime ScannedRow::asDate(std::size_t i) const
{
    return readStoredValue(m_table, m_rowId, m_columns[i],
                           [&] { return valueAsDate(m_values[i], m_types[i]); });
}

} // namespace store
