#include "exchange/DelimitedTextReader.h"

#include "exchange/TextFileKind.h"
#include "exchange/TextRowStream.h"

namespace exchange {

namespace {

class DelimitedRowStream final : public TextRowStream
{
public:
    explicit DelimitedRowStream(const DelimitedTextOptions& options) : m_options(options) {}

protected:
    bool readRecord(std::vector<std::string>& fields, long long& line) override
    {
        fields.clear();
        line = m_source.line();
        int c = m_source.get();
        if (c < 0)
            return false;
        const int delimiter = static_cast<unsigned char>(m_options.delimiter);
        const int quote = m_options.quote ? static_cast<unsigned char>(m_options.quote) : -2;
        for (;;) {
            m_bytes.clear();
            if (c == quote) {
                for (;;) {
                    c = m_source.get();
                    if (c < 0)
                        return fail("The quoted field that begins in line " + std::to_string(line) +
                                    " is not closed.");
                    if (c == quote) {
                        if (m_source.peek() != quote)
                            break;
                        m_source.get();
                    }
                    m_bytes += static_cast<char>(c);
                }
                c = m_source.get();
            }
            // Unquoted bytes, and any that follow a closing quote, as they stand.
            for (; c >= 0 && c != delimiter && c != '\n'; c = m_source.get())
                m_bytes += static_cast<char>(c);
            fields.emplace_back();
            if (!decode(m_bytes, fields.back(), line))
                return false;
            if (c != delimiter)
                return true;
            c = m_source.get();
        }
    }

private:
    DelimitedTextOptions m_options;
    std::string m_bytes;
};

} // namespace

std::vector<std::string> DelimitedTextReader::fileFilters() const
{
    return {"*.csv", "*.txt", "*.tab", "*.tsv", "*.asc"};
}

bool DelimitedTextReader::recognises(const std::string& path) const
{
    return hasTextExtension(path, {".csv", ".txt", ".tab", ".tsv", ".asc"}) && looksLikeText(path);
}

bool DelimitedTextReader::tables(const std::string& path, std::vector<std::string>& names)
{
    return textFileTable(path, names, m_lastError);
}

std::unique_ptr<RowStream> DelimitedTextReader::open(const std::string& path, int tableIndex)
{
    if (tableIndex != 0) {
        m_lastError = "A text file holds one table.";
        return nullptr;
    }
    if (options.delimiter & 0x80 || (options.quote & 0x80)) {
        m_lastError = "The separator and the quote must be ASCII characters.";
        return nullptr;
    }
    auto stream = std::make_unique<DelimitedRowStream>(options);
    if (!stream->start(path, options)) {
        m_lastError = stream->error();
        return nullptr;
    }
    return stream;
}

} // namespace exchange
