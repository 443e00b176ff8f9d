#pragma once

#include "store/Cursor.h"

#include <QString>

namespace filecreation {

// Where a report's data items get their values: a number of records, each
// with values by field name.
class ReportPipeline
{
public:
    virtual ~ReportPipeline() = default;
    virtual int recordCount() const = 0;
    // Raises ReportError for a field the pipeline does not have.
    virtual store::Value value(int record, const QString& field) const = 0;
    virtual store::FieldType type(const QString& field) const = 0;
};

// A pipeline over a cursor: all its rows in its current order and filter, or
// only its current row. Reading moves nothing.
class CursorPipeline final : public ReportPipeline
{
public:
    enum class Records
    {
        All,
        Current,
    };
    CursorPipeline(const store::Cursor& cursor, Records records);

    int recordCount() const override;
    store::Value value(int record, const QString& field) const override;
    store::FieldType type(const QString& field) const override;

private:
    int fieldIndex(const QString& field) const;

    const store::Cursor& m_cursor;
    Records m_records;
};

} // namespace filecreation
