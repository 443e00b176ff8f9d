#include "dtazv/TextCodec.h"

#include <algorithm>
#include <array>
#include <cstring>

namespace dtazv::text {
namespace {

// Code points of the bytes 0x80 to 0x9F; 0 marks the five unassigned bytes.
constexpr std::array<char32_t, 32> kCp1252High = {
    0x20AC, 0,      0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0,      0x017D, 0,      0,      0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0,      0x017E, 0x0178};

// For each ASCII character its DTAZV spelling: itself, its capital, or 0
// where it is removed.
constexpr std::array<char, 128> kAsciiSpelling = [] {
    std::array<char, 128> table{};
    for (char c = 'A'; c <= 'Z'; ++c)
        table[static_cast<unsigned char>(c)] = c;
    for (char c = 'a'; c <= 'z'; ++c)
        table[static_cast<unsigned char>(c)] = static_cast<char>(c - 'a' + 'A');
    for (char c = '0'; c <= '9'; ++c)
        table[static_cast<unsigned char>(c)] = c;
    for (char c : std::string_view(" +,-./"))
        table[static_cast<unsigned char>(c)] = c;
    return table;
}();

// The DTAZV spelling of one character: up to two ASCII characters, or none.
// Letters with other diacritical marks are removed, not transliterated.
std::string_view dtazvSpelling(char32_t c)
{
    if (c < 0x80) {
        const char& spelled = kAsciiSpelling[c];
        return spelled == 0 ? std::string_view() : std::string_view(&spelled, 1);
    }
    switch (c) {
    case U'ß':
        return "SS";
    case U'ä':
    case U'Ä':
        return "AE";
    case U'ö':
    case U'Ö':
        return "OE";
    case U'ü':
    case U'Ü':
        return "UE";
    default:
        return {};
    }
}

bool isPrintableAscii(char byte)
{
    return byte >= 0x20 && byte < 0x7F;
}

// The byte a raw field holds for a character. A control character would
// break the record for the bank's reader and has no printable byte, so like
// a character outside the code page it becomes a question mark.
char recordByte(char32_t c)
{
    if (c < 0x20 || (c >= 0x7F && c < 0xA0))
        return '?';
    return toCp1252(c);
}

} // namespace

char32_t decodeNext(std::string_view s, std::size_t& pos)
{
    const auto lead = static_cast<unsigned char>(s[pos]);
    if (lead < 0x80) {
        ++pos;
        return lead;
    }
    std::size_t length = 0;
    char32_t c = 0;
    char32_t smallest = 0;
    if ((lead & 0xE0) == 0xC0) {
        length = 2, c = lead & 0x1F, smallest = 0x80;
    } else if ((lead & 0xF0) == 0xE0) {
        length = 3, c = lead & 0x0F, smallest = 0x800;
    } else if ((lead & 0xF8) == 0xF0) {
        length = 4, c = lead & 0x07, smallest = 0x10000;
    } else {
        ++pos;
        return kReplacementCharacter;
    }
    if (s.size() - pos < length) {
        ++pos;
        return kReplacementCharacter;
    }
    for (std::size_t i = 1; i < length; ++i) {
        const auto next = static_cast<unsigned char>(s[pos + i]);
        if ((next & 0xC0) != 0x80) {
            ++pos;
            return kReplacementCharacter;
        }
        c = (c << 6) | (next & 0x3F);
    }
    if (c < smallest || c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF)) {
        ++pos;
        return kReplacementCharacter;
    }
    pos += length;
    return c;
}

std::size_t characterCount(std::string_view utf8)
{
    std::size_t count = 0;
    for (std::size_t pos = 0; pos < utf8.size(); ++count) {
        if (static_cast<unsigned char>(utf8[pos]) < 0x80)
            ++pos;
        else
            decodeNext(utf8, pos);
    }
    return count;
}

char toCp1252(char32_t c)
{
    if (c < 0x80 || (c >= 0xA0 && c <= 0xFF))
        return static_cast<char>(c);
    for (std::size_t i = 0; i < kCp1252High.size(); ++i) {
        if (kCp1252High[i] == c)
            return static_cast<char>(0x80 + i);
    }
    return '?';
}

std::size_t writeRaw(char* dest, std::size_t width, std::string_view utf8)
{
    std::size_t written = 0;
    std::size_t pos = 0;
    while (pos < utf8.size() && written < width) {
        if (isPrintableAscii(utf8[pos])) {
            // Printable ASCII is its own Windows-1252 byte: copy the whole run at once.
            std::size_t run = 1;
            const std::size_t limit = std::min(utf8.size() - pos, width - written);
            while (run < limit && isPrintableAscii(utf8[pos + run]))
                ++run;
            std::memcpy(dest + written, utf8.data() + pos, run);
            pos += run;
            written += run;
        } else {
            dest[written++] = recordByte(decodeNext(utf8, pos));
        }
    }
    return written;
}

std::size_t writeConverted(char* dest, std::size_t width, std::string_view utf8)
{
    std::size_t written = 0;
    std::size_t pos = 0;
    while (pos < utf8.size() && written < width) {
        const auto byte = static_cast<unsigned char>(utf8[pos]);
        if (byte < 0x80) {
            ++pos;
            if (const char c = kAsciiSpelling[byte]; c != 0)
                dest[written++] = c;
            continue;
        }
        for (char c : dtazvSpelling(decodeNext(utf8, pos))) {
            if (written == width)
                break;
            dest[written++] = c;
        }
    }
    return written;
}

void appendRaw(std::string& out, std::string_view utf8, std::size_t width)
{
    const std::size_t start = out.size();
    out.append(width, ' ');
    writeRaw(out.data() + start, width, utf8);
}

void appendConverted(std::string& out, std::string_view utf8, std::size_t width)
{
    const std::size_t start = out.size();
    out.append(width, ' ');
    writeConverted(out.data() + start, width, utf8);
}

void convertInto(std::string& out, std::string_view utf8)
{
    // No character's spelling is longer than its UTF-8 encoding.
    out.resize(utf8.size());
    out.resize(writeConverted(out.data(), out.size(), utf8));
}

std::string convert(std::string_view utf8)
{
    std::string out;
    convertInto(out, utf8);
    return out;
}

} // namespace dtazv::text
