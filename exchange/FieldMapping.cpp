#include "exchange/FieldMapping.h"

#include "exchange/ValueConverter.h"
#include "store/Schema.h"

#include <algorithm>
#include <charconv>

namespace exchange {

namespace {

int titleIndex(const std::vector<std::string>& titles, const std::string& column)
{
    const std::string wanted = trimmedText(column);
    for (bool exact : {true, false}) {
        for (std::size_t i = 0; i < titles.size(); ++i) {
            const std::string title = trimmedText(titles[i]);
            if (exact ? title == wanted : store::equalsIgnoringCase(title, wanted))
                return static_cast<int>(i);
        }
    }
    return -1;
}

} // namespace

bool resolveMapping(const std::vector<MappedColumn>& mapping,
                    const std::vector<std::string>& titles, std::vector<ResolvedColumn>& resolved,
                    std::string& error)
{
    resolved.clear();
    for (const MappedColumn& m : mapping) {
        const bool twice = std::any_of(resolved.begin(), resolved.end(), [&](const auto& r) {
            return store::equalsIgnoringCase(r.field, m.field);
        });
        if (twice) {
            error = "The field " + m.field + " is filled from two columns.";
            return false;
        }
        ResolvedColumn r{m.field, titleIndex(titles, m.column), {}};
        if (r.index >= 0) {
            r.label = "\"" + trimmedText(titles[static_cast<std::size_t>(r.index)]) + "\"";
        } else {
            int number = 0;
            const char* end = m.column.data() + m.column.size();
            const auto [stop, failure] = std::from_chars(m.column.data(), end, number);
            if (m.column.empty() || failure != std::errc() || stop != end || number < 1) {
                error = "The source has no column \"" + m.column + "\".";
                return false;
            }
            r.index = number - 1;
            r.label = static_cast<std::size_t>(r.index) < titles.size()
                          ? "\"" + trimmedText(titles[static_cast<std::size_t>(r.index)]) + "\""
                          : std::to_string(number);
        }
        resolved.push_back(std::move(r));
    }
    return true;
}

} // namespace exchange
