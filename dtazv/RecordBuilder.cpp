#include "dtazv/RecordBuilder.h"

#include "dtazv/TextCodec.h"

#include <cstring>
#include <stdexcept>

namespace dtazv {

RecordBuilder::RecordBuilder(std::string& record, std::size_t length) : m_record(record)
{
    m_record.assign(length, ' ');
}

char* RecordBuilder::reserve(std::size_t width)
{
    if (width > m_record.size() - m_position)
        throw std::logic_error("DTAZV fields overrun their record");
    char* field = m_record.data() + m_position;
    m_position += width;
    return field;
}

RecordBuilder& RecordBuilder::constant(std::string_view literal)
{
    std::memcpy(reserve(literal.size()), literal.data(), literal.size());
    return *this;
}

RecordBuilder& RecordBuilder::blanks(std::size_t count)
{
    reserve(count);
    return *this;
}

RecordBuilder& RecordBuilder::numeric(int64_t value, std::size_t width)
{
    if (value < 0)
        throw std::logic_error("negative value in a numeric DTAZV field");
    char* field = reserve(width);
    for (std::size_t i = width; i-- > 0;) {
        field[i] = static_cast<char>('0' + value % 10);
        value /= 10;
    }
    if (value != 0)
        throw std::logic_error("value too wide for its DTAZV field");
    return *this;
}

RecordBuilder& RecordBuilder::converted(std::string_view utf8, std::size_t width)
{
    text::writeConverted(reserve(width), width, utf8);
    return *this;
}

RecordBuilder& RecordBuilder::raw(std::string_view utf8, std::size_t width)
{
    text::writeRaw(reserve(width), width, utf8);
    return *this;
}

RecordBuilder& RecordBuilder::date(DateTime value)
{
    if (!isRepresentable(value))
        throw std::logic_error("date outside the years 1 to 9999 in a DTAZV field");
    const CivilDateTime civil = decodeDateTime(value);
    return numeric(civil.year % 100, 2).numeric(civil.month, 2).numeric(civil.day, 2);
}

void RecordBuilder::finish() const
{
    if (m_position != m_record.size())
        throw std::logic_error("DTAZV record of the wrong length");
}

} // namespace dtazv
