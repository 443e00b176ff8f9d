#include "store/ValueLocation.h"

#include <algorithm>

namespace store {

std::string valueLocation(const TableDef& table, int64_t rowId, const std::string& column)
{
    const auto numbered =
        std::find_if(table.fields.begin(), table.fields.end(),
                     [](const FieldDef& f) { return f.type == FieldType::AutoInc; });
    // A table's row number is its rowid (INTEGER PRIMARY KEY).
    std::string row;
    if (rowId == 0)
        row = "a new row";
    else if (numbered != table.fields.end())
        row = "row with " + numbered->name + " " + std::to_string(rowId);
    else
        row = "row " + std::to_string(rowId);
    return table.fileName + ", " + row + ", field " + column;
}

} // namespace store
