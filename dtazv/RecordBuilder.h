#pragma once

#include "dtazv/DateTime.h"

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace dtazv {

// Lays out one record of a fixed length field after field, in the file's
// code page. The record starts as blanks, so a field that holds less than its
// width is blank-padded by what it leaves alone. A value that does not fit
// its field is a fault of the caller, whose checks must have stopped it, and
// raises std::logic_error instead of shifting the record.
class RecordBuilder
{
public:
    RecordBuilder(std::string& record, std::size_t length);

    // K: a literal (ASCII).
    RecordBuilder& constant(std::string_view literal);
    // B: blanks.
    RecordBuilder& blanks(std::size_t count);
    // N: a non-negative integer, zero-padded on the left.
    RecordBuilder& numeric(int64_t value, std::size_t width);
    // C: converted to the DTAZV character set, then cut or blank-padded.
    RecordBuilder& converted(std::string_view utf8, std::size_t width);
    // R: unconverted, cut or blank-padded.
    RecordBuilder& raw(std::string_view utf8, std::size_t width);
    // D: "yymmdd".
    RecordBuilder& date(DateTime value);

    // Raises std::logic_error unless the fields filled the record exactly.
    void finish() const;

private:
    char* reserve(std::size_t width);

    std::string& m_record;
    std::size_t m_position = 0;
};

} // namespace dtazv
