#pragma once

#include "store/Schema.h"
#include "store/Value.h"

#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace store {

struct FilterColumn
{
    std::string column;
    FieldType type;
};

struct FilterSql
{
    std::string where;         // an SQL condition with ? placeholders
    std::vector<Value> params; // in placeholder order
};

// Translates a filter expression into SQL. The expression compares fields
// with literals: `field op literal` with op one of = <> != < > <= >=, the
// literals True, False, numbers and 'texts' (a quote doubled inside), joined
// by AND, OR, NOT and parentheses, e.g. "pruefen<>True". Field names are
// matched without regard to case through `resolve`; an empty field compares
// as false, 0 or the empty text. A malformed expression raises StoreError.
FilterSql
translateFilter(const std::string& expression,
                const std::function<std::optional<FilterColumn>(const std::string&)>& resolve);

} // namespace store
