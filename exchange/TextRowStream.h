#pragma once

#include "exchange/ByteSource.h"
#include "exchange/SourceReader.h"
#include "exchange/TextEncoding.h"
#include "exchange/TextSourceOptions.h"

#include <memory>

namespace exchange {

// What delimited and fixed-width files share: the encoding (guessed unless
// given), the byte order mark, the lines skipped before the title row, the
// title row, and the rows as text cells. Subclasses split one record.
class TextRowStream : public RowStream
{
public:
    const std::vector<std::string>& titles() const override { return m_titles; }
    bool next(SourceRow& row) override;
    const std::string& error() const override { return m_error; }
    std::string placeOf(const SourceRow& row) const override
    {
        return "line " + std::to_string(row.position);
    }

    const std::string& encoding() const { return m_decoder->encoding(); }

    // Opens the file and reads up to the first data row; false and error()
    // on a failure.
    bool start(const std::string& path, const TextSourceOptions& options);

protected:
    // The next record's fields in UTF-8 and the line it starts on; false at
    // the end, or on a failure after fail().
    virtual bool readRecord(std::vector<std::string>& fields, long long& line) = 0;
    bool fail(std::string message);
    // Appends the decoded `bytes` of the record that starts at `line`.
    bool decode(std::string_view bytes, std::string& out, long long line);

    ByteSource m_source;

private:
    std::unique_ptr<TextDecoder> m_decoder;
    std::vector<std::string> m_titles;
    std::vector<std::string> m_fields;
    std::string m_error;
};

} // namespace exchange
