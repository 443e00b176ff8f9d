#pragma once

#include <string>
#include <vector>

namespace exchange {

// Which source column fills a target field: by the column's title in the
// title row, or, when no title matches, by its number counted from 1.
struct MappedColumn
{
    std::string field;  // a field of the import view
    std::string column; // a title, or a number
};

// A mapping resolved against a source's titles: column indexes from 0 and
// the names under which the user knows the columns, for messages.
struct ResolvedColumn
{
    std::string field;
    int index = 0;
    std::string label;
};

// False, with the reason, when a column is neither a title nor a number the
// rows can have, or a field is filled twice.
bool resolveMapping(const std::vector<MappedColumn>& mapping,
                    const std::vector<std::string>& titles, std::vector<ResolvedColumn>& resolved,
                    std::string& error);

} // namespace exchange
