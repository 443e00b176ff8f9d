#pragma once

#include "exchange/SourceReader.h"
#include "exchange/TextSourceOptions.h"

namespace exchange {

struct DelimitedTextOptions : TextSourceOptions
{
    char delimiter = '\t';
    char quote = '"'; // '\0': fields are never quoted
};

// Text files with one record per line and fields between a separator, as
// spreadsheets and accounting systems export them ("CSV"). A quoted field
// may hold the separator, line breaks and its quote doubled.
class DelimitedTextReader final : public SourceReader
{
public:
    DelimitedTextOptions options;

    std::string name() const override { return "Text (delimited)"; }
    std::vector<std::string> fileFilters() const override;
    bool recognises(const std::string& path) const override;
    bool tables(const std::string& path, std::vector<std::string>& names) override;
    std::unique_ptr<RowStream> open(const std::string& path, int tableIndex) override;
};

} // namespace exchange
