#pragma once

#include "exchange/FieldMapping.h"
#include "exchange/ImportMode.h"
#include "exchange/SourceReader.h"
#include "exchange/ValueConverter.h"

#include <functional>
#include <string>
#include <unordered_map>
#include <vector>

namespace store {
class Cursor;
class PaymentStore;
} // namespace store

namespace exchange {

struct ImportSettings
{
    ImportMode mode = ImportMode::Copy;
    std::vector<MappedColumn> mapping;
    std::vector<std::string> keyFields; // for the modes that match rows
    ValueFormats formats;
};

struct ImportResult
{
    enum class Status
    {
        Imported,
        Failed,
        Cancelled,
    };
    Status status = Status::Imported;
    long long appended = 0;
    long long updated = 0;
    long long deleted = 0;
    std::string message; // why the run failed
};

// Told the number of source rows read so far, before each row and once at
// the end; answering false cancels the run.
using ImportProgress = std::function<bool(long long rowsRead)>;

// One run of the import: the rows of a source written through the import
// view in one of the modes. The run is all or nothing: a row that cannot be
// taken over, a failure of the source or of the tables, or a cancel leaves
// the transfers exactly as they were, in copy mode too. Both transfer
// cursors are refreshed after every run, whatever its end.
class ImportRun
{
public:
    ImportRun(store::PaymentStore& store, ImportSettings settings);

    ImportResult run(RowStream& rows, const ImportProgress& progress = {});

private:
    bool prepare(const RowStream& rows, std::string& error);
    bool convertRow(const RowStream& rows, const SourceRow& row, std::string& error);
    void indexExistingRows();
    std::string keyOfConverted() const;
    void writeConverted();
    void apply(ImportResult& result);
    void refreshCursors();

    store::PaymentStore& m_store;
    store::Cursor& m_target;
    ImportSettings m_settings;
    ValueConverter m_converter;
    std::vector<ResolvedColumn> m_columns;
    std::vector<int> m_fieldIndexes;       // of the import view, for m_columns
    std::vector<std::size_t> m_keyColumns; // positions in m_columns
    std::vector<Cell> m_converted;
    std::unordered_map<std::string, std::vector<long long>> m_rowsByKey;
};

} // namespace exchange
