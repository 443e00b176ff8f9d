#pragma once

#include <cstdio>
#include <string>
#include <vector>

namespace exchange {

// A file read in blocks, byte by byte, counting lines (CR LF, LF or a lone
// CR each end one), so that the text readers stream any size of file.
class ByteSource
{
public:
    ByteSource() = default;
    ~ByteSource();
    ByteSource(const ByteSource&) = delete;
    ByteSource& operator=(const ByteSource&) = delete;

    bool open(const std::string& path);
    // The first bytes of the file, without consuming them.
    std::string head(std::size_t count);
    void skip(std::size_t count);

    // The next byte, or -1 at the end. A line end comes back as one '\n'.
    int get();
    int peek();
    // The line the next byte belongs to, counted from 1.
    long long line() const { return m_line; }
    // Reads to the end of the line, without its end; false at the file's end.
    bool readLine(std::string& text);

private:
    int rawGet();
    int rawPeek();
    bool fill();

    std::FILE* m_file = nullptr;
    std::vector<char> m_buffer;
    std::size_t m_position = 0;
    std::size_t m_size = 0;
    long long m_line = 1;
};

} // namespace exchange
