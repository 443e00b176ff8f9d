#pragma once

#include "exchange/SourceReader.h"
#include "exchange/TextSourceOptions.h"

namespace exchange {

struct FixedWidthOptions : TextSourceOptions
{
    // The character position (from 1) at which each column begins; a column
    // ends where the next begins, the last at the end of the line.
    std::vector<int> columnStarts;
};

// Text files whose columns stand at fixed character positions, as printed
// lists and older host programs write them.
class FixedWidthReader final : public SourceReader
{
public:
    FixedWidthOptions options;

    std::string name() const override { return "Text (fixed width)"; }
    std::vector<std::string> fileFilters() const override;
    bool recognises(const std::string& path) const override;
    bool tables(const std::string& path, std::vector<std::string>& names) override;
    std::unique_ptr<RowStream> open(const std::string& path, int tableIndex) override;
};

} // namespace exchange
