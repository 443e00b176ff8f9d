#include "exchange/ImportMode.h"

namespace exchange {

bool needsKeyFields(ImportMode mode)
{
    return mode != ImportMode::Copy && mode != ImportMode::Append;
}

std::optional<ImportMode> importModeNamed(std::string_view name)
{
    if (name == "copy")
        return ImportMode::Copy;
    if (name == "append")
        return ImportMode::Append;
    if (name == "update")
        return ImportMode::Update;
    if (name == "update-or-append")
        return ImportMode::UpdateOrAppend;
    if (name == "delete")
        return ImportMode::Delete;
    if (name == "append-new")
        return ImportMode::AppendNew;
    return std::nullopt;
}

} // namespace exchange
