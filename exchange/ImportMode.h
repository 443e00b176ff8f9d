#pragma once

#include <optional>
#include <string_view>

namespace exchange {

enum class ImportMode
{
    Copy,           // every transfer is replaced by the imported ones
    Append,         // every row is added
    Update,         // transfers whose key fields match a row take its values
    UpdateOrAppend, // as Update; a row that matches none is added
    Delete,         // transfers whose key fields match a row are deleted
    AppendNew,      // a row is added only when no transfer matches it
};

bool needsKeyFields(ImportMode mode);
// "copy", "append", "update", "update-or-append", "delete", "append-new".
std::optional<ImportMode> importModeNamed(std::string_view name);

} // namespace exchange
