#include "exchange/ImportRun.h"

#include "store/Money.h"
#include "store/PaymentStore.h"
#include "store/Transaction.h"

#include <cctype>
#include <stdexcept>

namespace exchange {

namespace {

// Ends a run; the transaction that is left undone restores the transfers.
struct RunFailure : std::runtime_error
{
    using std::runtime_error::runtime_error;
};

std::string capitalised(std::string text)
{
    if (!text.empty())
        text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

// One key part, the same for a stored value and a converted cell that a user
// would call equal: amounts in whole units of 1/10,000, dates by their day.
std::string keyPart(const Cell& cell)
{
    switch (cell.kind) {
    case Cell::Kind::Text:
        return "s" + cell.text;
    case Cell::Kind::Number:
        return "m" + std::to_string(store::Money::fromDouble(cell.number).units());
    case Cell::Kind::Date:
        return cell.date == 0 ? std::string("-")
                              : "d" + std::to_string(static_cast<long long>(cell.date));
    case Cell::Kind::Empty:
        break;
    }
    return "-";
}

Cell storedCell(const store::ScannedRow& row, std::size_t i, store::FieldType type)
{
    if (store::isNull(row[i]))
        return Cell();
    switch (type) {
    case store::FieldType::Currency:
    case store::FieldType::Float:
        return Cell::fromNumber(row.asMoney(i).toDouble());
    case store::FieldType::Date:
        return Cell::fromDate(row.asDate(i));
    default:
        return Cell::fromText(row.text(i));
    }
}

} // namespace

ImportRun::ImportRun(store::PaymentStore& store, ImportSettings settings)
    : m_store(store), m_target(store.Import_tt), m_settings(std::move(settings)),
      m_converter(m_settings.formats)
{}

bool ImportRun::prepare(const RowStream& rows, std::string& error)
{
    if (!m_target.isOpen()) {
        error = "The transfers are not open.";
        return false;
    }
    if (m_settings.mapping.empty()) {
        error = "No source column is assigned to a field.";
        return false;
    }
    if (!resolveMapping(m_settings.mapping, rows.titles(), m_columns, error))
        return false;
    m_fieldIndexes.clear();
    for (const ResolvedColumn& column : m_columns) {
        const int index = m_target.fieldIndex(column.field);
        if (index < 0) {
            error = "The import cannot fill a field " + column.field + ".";
            return false;
        }
        m_fieldIndexes.push_back(index);
    }
    m_keyColumns.clear();
    if (!needsKeyFields(m_settings.mode))
        return true;
    if (m_settings.keyFields.empty()) {
        error = "This import mode needs the fields by which rows match.";
        return false;
    }
    for (const std::string& key : m_settings.keyFields) {
        const int index = m_target.fieldIndex(key);
        std::size_t position = 0;
        while (position < m_fieldIndexes.size() && m_fieldIndexes[position] != index)
            ++position;
        if (index < 0 || position == m_fieldIndexes.size()) {
            error = "The field " + key + " by which rows match is not filled from the source.";
            return false;
        }
        m_keyColumns.push_back(position);
    }
    return true;
}

bool ImportRun::convertRow(const RowStream& rows, const SourceRow& row, std::string& error)
{
    m_converted.resize(m_columns.size());
    static const Cell empty;
    for (std::size_t i = 0; i < m_columns.size(); ++i) {
        const auto index = static_cast<std::size_t>(m_columns[i].index);
        const Cell& cell = index < row.cells.size() ? row.cells[index] : empty;
        const store::Cursor::FieldInfo& field = m_target.fieldInfo(m_fieldIndexes[i]);
        std::string reason;
        if (!m_converter.convert(cell, field.type, field.width, m_converted[i], reason)) {
            error = capitalised(rows.placeOf(row)) + ", column " + m_columns[i].label +
                    ": the value \"" + cell.text + "\" is " + reason + " (field " + field.name +
                    ").";
            return false;
        }
    }
    return true;
}

void ImportRun::indexExistingRows()
{
    m_rowsByKey.clear();
    std::vector<int> fields;
    std::vector<store::FieldType> types;
    for (std::size_t position : m_keyColumns) {
        fields.push_back(m_fieldIndexes[position]);
        types.push_back(m_target.fieldInfo(m_fieldIndexes[position]).type);
    }
    m_target.scan(fields, [&](const store::ScannedRow& row) {
        std::string key;
        for (std::size_t i = 0; i < row.size(); ++i)
            key += keyPart(storedCell(row, i, types[i])) + '\x1F';
        m_rowsByKey[key].push_back(row.rowId());
    });
}

std::string ImportRun::keyOfConverted() const
{
    std::string key;
    for (std::size_t position : m_keyColumns)
        key += keyPart(m_converted[position]) + '\x1F';
    return key;
}

void ImportRun::writeConverted()
{
    for (std::size_t i = 0; i < m_converted.size(); ++i) {
        const store::Field field = m_target.field(m_fieldIndexes[i]);
        const Cell& value = m_converted[i];
        switch (value.kind) {
        case Cell::Kind::Empty:
            field.clear();
            break;
        case Cell::Kind::Text:
            field.setString(value.text);
            break;
        case Cell::Kind::Number:
            field.setFloat(value.number);
            break;
        case Cell::Kind::Date:
            field.setDate(value.date);
            break;
        }
    }
    m_target.post();
}

void ImportRun::apply(ImportResult& result)
{
    const ImportMode mode = m_settings.mode;
    if (mode == ImportMode::Copy || mode == ImportMode::Append) {
        m_target.append();
        writeConverted();
        ++result.appended;
        return;
    }
    const std::string key = keyOfConverted();
    const auto found = m_rowsByKey.find(key);
    const bool matches = found != m_rowsByKey.end() && !found->second.empty();
    if (matches && (mode == ImportMode::Update || mode == ImportMode::UpdateOrAppend)) {
        for (long long rowId : found->second) {
            m_target.moveTo(m_target.rowOfId(rowId));
            m_target.edit();
            writeConverted();
            ++result.updated;
        }
    } else if (matches && mode == ImportMode::Delete) {
        for (long long rowId : found->second) {
            m_target.moveTo(m_target.rowOfId(rowId));
            m_target.remove();
            ++result.deleted;
        }
        m_rowsByKey.erase(found);
    } else if (!matches && (mode == ImportMode::UpdateOrAppend || mode == ImportMode::AppendNew)) {
        // The new row counts as present for the rows that follow it.
        m_target.append();
        writeConverted();
        m_rowsByKey[key].push_back(m_target.currentRowId());
        ++result.appended;
    }
}

void ImportRun::refreshCursors()
{
    for (store::Cursor* cursor : {&m_store.Import_tt, &m_store.Zahlung_tt}) {
        if (!cursor->isOpen())
            continue;
        if (cursor->state() != store::CursorState::Browse)
            cursor->cancel();
        cursor->refresh();
    }
}

ImportResult ImportRun::run(RowStream& rows, const ImportProgress& progress)
{
    ImportResult result;
    std::string error;
    if (!prepare(rows, error)) {
        result.status = ImportResult::Status::Failed;
        result.message = error;
        refreshCursors();
        return result;
    }
    try {
        m_store.PostPendingEdits();
        store::Transaction transaction(m_store.connection);
        m_target.refresh();
        if (m_settings.mode == ImportMode::Copy) {
            for (m_target.last(); m_target.recordCount() > 0; m_target.last())
                m_target.remove();
        }
        if (needsKeyFields(m_settings.mode))
            indexExistingRows();

        SourceRow row;
        long long read = 0;
        bool cancelled = false;
        for (;;) {
            if (progress && !progress(read)) {
                cancelled = true;
                break;
            }
            if (!rows.next(row))
                break;
            ++read;
            if (!convertRow(rows, row, error))
                throw RunFailure(error);
            apply(result);
        }
        if (!rows.error().empty())
            throw RunFailure(rows.error());
        if (cancelled) {
            transaction.rollback();
            result = ImportResult();
            result.status = ImportResult::Status::Cancelled;
        } else {
            transaction.commit();
        }
    } catch (const std::exception& e) {
        // The transaction has been rolled back on the way here.
        result = ImportResult();
        result.status = ImportResult::Status::Failed;
        result.message = e.what();
    }
    refreshCursors();
    return result;
}

} // namespace exchange
