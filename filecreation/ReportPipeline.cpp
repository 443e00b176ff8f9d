#include "filecreation/ReportPipeline.h"

#include "filecreation/ReportError.h"

namespace filecreation {

CursorPipeline::CursorPipeline(const store::Cursor& cursor, Records records)
    : m_cursor(cursor), m_records(records)
{}

int CursorPipeline::recordCount() const
{
    if (!m_cursor.isOpen())
        return 0;
    if (m_records == Records::All)
        return m_cursor.recordCount();
    return m_cursor.currentRow() >= 0 ? 1 : 0;
}

int CursorPipeline::fieldIndex(const QString& field) const
{
    const int index = m_cursor.fieldIndex(field.toStdString());
    if (index < 0)
        throw ReportError(QStringLiteral("Das Feld %1 gibt es in %2 nicht.")
                              .arg(field, QString::fromStdString(m_cursor.name()))
                              .toStdString());
    return index;
}

store::Value CursorPipeline::value(int record, const QString& field) const
{
    const int index = fieldIndex(field);
    const int row = m_records == Records::All ? record : m_cursor.currentRow();
    return m_cursor.valueAt(row, index);
}

store::FieldType CursorPipeline::type(const QString& field) const
{
    return m_cursor.fieldInfo(fieldIndex(field)).type;
}

} // namespace filecreation
