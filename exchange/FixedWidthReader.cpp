#include "exchange/FixedWidthReader.h"

#include "exchange/TextFileKind.h"
#include "exchange/TextRowStream.h"

#include <algorithm>

namespace exchange {

namespace {

// Byte offset of the character at `index` (from 0) of a UTF-8 text, or its size.
std::size_t offsetOfCharacter(const std::string& text, std::size_t index)
{
    std::size_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) {
            if (characters == index)
                return i;
            ++characters;
        }
    }
    return text.size();
}

class FixedWidthRowStream final : public TextRowStream
{
public:
    explicit FixedWidthRowStream(std::vector<int> starts) : m_starts(std::move(starts)) {}

protected:
    bool readRecord(std::vector<std::string>& fields, long long& line) override
    {
        fields.clear();
        line = m_source.line();
        if (!m_source.readLine(m_bytes))
            return false;
        m_text.clear();
        if (!decode(m_bytes, m_text, line))
            return false;
        if (m_text.empty())
            return true; // a blank line, skipped
        for (std::size_t i = 0; i < m_starts.size(); ++i) {
            const std::size_t begin =
                offsetOfCharacter(m_text, static_cast<std::size_t>(m_starts[i] - 1));
            const std::size_t end =
                i + 1 < m_starts.size()
                    ? offsetOfCharacter(m_text, static_cast<std::size_t>(m_starts[i + 1] - 1))
                    : m_text.size();
            fields.push_back(m_text.substr(begin, end - begin));
        }
        return true;
    }

private:
    std::vector<int> m_starts;
    std::string m_bytes;
    std::string m_text;
};

} // namespace

std::vector<std::string> FixedWidthReader::fileFilters() const
{
    return {"*.txt", "*.prn", "*.dat", "*.asc"};
}

bool FixedWidthReader::recognises(const std::string& path) const
{
    return hasTextExtension(path, {".txt", ".prn", ".dat", ".asc"}) && looksLikeText(path);
}

bool FixedWidthReader::tables(const std::string& path, std::vector<std::string>& names)
{
    return textFileTable(path, names, m_lastError);
}

std::unique_ptr<RowStream> FixedWidthReader::open(const std::string& path, int tableIndex)
{
    if (tableIndex != 0) {
        m_lastError = "A text file holds one table.";
        return nullptr;
    }
    const std::vector<int>& starts = options.columnStarts;
    if (starts.empty() || starts.front() < 1 || !std::is_sorted(starts.begin(), starts.end()) ||
        std::adjacent_find(starts.begin(), starts.end()) != starts.end()) {
        m_lastError = "The column starts must be rising positions from 1 on.";
        return nullptr;
    }
    auto stream = std::make_unique<FixedWidthRowStream>(starts);
    if (!stream->start(path, options)) {
        m_lastError = stream->error();
        return nullptr;
    }
    return stream;
}

} // namespace exchange
