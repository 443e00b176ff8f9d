#include "exchange/TextRowStream.h"

namespace exchange {

namespace {

bool isBlankRecord(const std::vector<std::string>& fields)
{
    return fields.empty() || (fields.size() == 1 && fields.front().empty());
}

} // namespace

bool TextRowStream::fail(std::string message)
{
    m_error = std::move(message);
    return false;
}

bool TextRowStream::decode(std::string_view bytes, std::string& out, long long line)
{
    if (m_decoder->decode(bytes, out))
        return true;
    return fail("Line " + std::to_string(line) + " holds bytes that are not " +
                m_decoder->encoding() + " text.");
}

bool TextRowStream::start(const std::string& path, const TextSourceOptions& options)
{
    if (!m_source.open(path))
        return fail("The file " + path + " cannot be opened.");
    const std::string head = m_source.head(1 << 16);
    const std::string encoding =
        options.encoding.empty() ? guessEncoding(head, head.size() < (1u << 16)) : options.encoding;
    m_decoder = std::make_unique<TextDecoder>(encoding);
    if (!m_decoder->isValid())
        return fail(m_decoder->error());
    if (m_decoder->isUtf8() && startsWithUtf8Bom(head))
        m_source.skip(3);

    std::string skipped;
    for (int i = 0; i < options.skipLines && m_source.readLine(skipped); ++i) {
    }
    if (options.titleRow) {
        long long line = 0;
        do {
            if (!readRecord(m_titles, line))
                return m_error.empty();
        } while (isBlankRecord(m_titles));
    }
    return true;
}

bool TextRowStream::next(SourceRow& row)
{
    if (!m_error.empty())
        return false;
    long long line = 0;
    do {
        if (!readRecord(m_fields, line))
            return false;
    } while (isBlankRecord(m_fields));
    row.position = line;
    row.cells.resize(m_fields.size());
    for (std::size_t i = 0; i < m_fields.size(); ++i)
        row.cells[i] = Cell::fromText(std::move(m_fields[i]));
    return true;
}

} // namespace exchange
