#include "exchange/ByteSource.h"

#include <algorithm>

namespace exchange {

namespace {
constexpr std::size_t kBlockSize = 1 << 16;
}

ByteSource::~ByteSource()
{
    if (m_file)
        std::fclose(m_file);
}

bool ByteSource::open(const std::string& path)
{
    m_file = std::fopen(path.c_str(), "rb");
    m_buffer.resize(kBlockSize);
    return m_file != nullptr;
}

bool ByteSource::fill()
{
    if (m_position < m_size)
        return true;
    if (!m_file)
        return false;
    m_size = std::fread(m_buffer.data(), 1, m_buffer.size(), m_file);
    m_position = 0;
    return m_size > 0;
}

std::string ByteSource::head(std::size_t count)
{
    // Only called before reading; the first block holds what is asked.
    fill();
    return std::string(m_buffer.data() + m_position, std::min(count, m_size - m_position));
}

void ByteSource::skip(std::size_t count)
{
    for (std::size_t i = 0; i < count; ++i)
        rawGet();
}

int ByteSource::rawGet()
{
    if (!fill())
        return -1;
    return static_cast<unsigned char>(m_buffer[m_position++]);
}

int ByteSource::rawPeek()
{
    if (!fill())
        return -1;
    return static_cast<unsigned char>(m_buffer[m_position]);
}

int ByteSource::get()
{
    const int c = rawGet();
    if (c == '\r') {
        if (rawPeek() == '\n')
            rawGet();
        ++m_line;
        return '\n';
    }
    if (c == '\n')
        ++m_line;
    return c;
}

int ByteSource::peek()
{
    const int c = rawPeek();
    return c == '\r' ? '\n' : c;
}

bool ByteSource::readLine(std::string& text)
{
    text.clear();
    int c = get();
    if (c < 0)
        return false;
    for (; c >= 0 && c != '\n'; c = get())
        text += static_cast<char>(c);
    return true;
}

} // namespace exchange
