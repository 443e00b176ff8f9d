#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace exchange {

// The twelve fields of the import view, in the order in which they are
// offered, with the labels a user knows them by.
struct TargetField
{
    const char* name;
    const char* german;
    const char* english;
};

const std::vector<TargetField>& targetFields();

// The field named `text` by its name or by its label in the language
// (`english` or German); any case. Empty if none.
std::string targetFieldName(std::string_view text, bool english);

} // namespace exchange
