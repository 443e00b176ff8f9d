#include "exchange/TextEncoding.h"

#include <algorithm>
#include <cctype>
#include <cerrno>
#include <iconv.h>

namespace exchange {

namespace {

const iconv_t kNoIconv = reinterpret_cast<iconv_t>(-1);

// Length of the UTF-8 sequence starting at `i`, 0 if invalid, -1 if cut off.
int sequenceLength(std::string_view bytes, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(bytes[k]); };
    const unsigned char lead = byte(i);
    int length = 0;
    unsigned minimum = 0;
    if (lead < 0x80)
        return 1;
    if (lead >= 0xC2 && lead <= 0xDF) {
        length = 2;
        minimum = 0x80;
    } else if (lead >= 0xE0 && lead <= 0xEF) {
        length = 3;
        minimum = 0x800;
    } else if (lead >= 0xF0 && lead <= 0xF4) {
        length = 4;
        minimum = 0x10000;
    } else {
        return 0;
    }
    if (i + static_cast<std::size_t>(length) > bytes.size()) {
        for (std::size_t k = i + 1; k < bytes.size(); ++k) {
            if ((byte(k) & 0xC0) != 0x80)
                return 0;
        }
        return -1;
    }
    unsigned code = lead & (0x7F >> length);
    for (int k = 1; k < length; ++k) {
        const unsigned char c = byte(i + static_cast<std::size_t>(k));
        if ((c & 0xC0) != 0x80)
            return 0;
        code = (code << 6) | (c & 0x3F);
    }
    if (code < minimum || code > 0x10FFFF || (code >= 0xD800 && code <= 0xDFFF))
        return 0;
    return length;
}

} // namespace

bool isValidUtf8(std::string_view bytes, bool allowCutEnd)
{
    for (std::size_t i = 0; i < bytes.size();) {
        const int length = sequenceLength(bytes, i);
        if (length == 0)
            return false;
        if (length < 0)
            return allowCutEnd;
        i += static_cast<std::size_t>(length);
    }
    return true;
}

bool startsWithUtf8Bom(std::string_view bytes)
{
    return bytes.substr(0, 3) == "\xEF\xBB\xBF";
}

bool isUtf8Name(std::string_view encoding)
{
    std::string lower;
    for (char c : encoding) {
        if (c != '-' && c != '_')
            lower += static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower == "utf8";
}

std::string guessEncoding(std::string_view bytes, bool complete)
{
    if (startsWithUtf8Bom(bytes) || isValidUtf8(bytes, !complete))
        return "UTF-8";
    return "Windows-1252";
}

TextDecoder::TextDecoder(std::string encoding) : m_encoding(std::move(encoding))
{
    m_utf8 = isUtf8Name(m_encoding);
    if (m_utf8)
        return;
    iconv_t handle = iconv_open("UTF-8", m_encoding.c_str());
    if (handle == kNoIconv)
        m_error = "The encoding " + m_encoding + " is not known.";
    else
        m_iconv = handle;
}

TextDecoder::~TextDecoder()
{
    if (m_iconv)
        iconv_close(static_cast<iconv_t>(m_iconv));
}

bool TextDecoder::decode(std::string_view bytes, std::string& out)
{
    if (m_utf8) {
        if (!isValidUtf8(bytes))
            return false;
        out.append(bytes);
        return true;
    }
    if (!m_iconv)
        return false;
    const std::size_t start = out.size();
    // A single-byte code page never needs more than four bytes of UTF-8 each.
    out.resize(start + bytes.size() * 4);
    char* in = const_cast<char*>(bytes.data()); // iconv's interface is not const-correct
    std::size_t inLeft = bytes.size();
    char* target = out.data() + start;
    std::size_t outLeft = bytes.size() * 4;
    iconv(static_cast<iconv_t>(m_iconv), nullptr, nullptr, nullptr, nullptr);
    const std::size_t result =
        iconv(static_cast<iconv_t>(m_iconv), &in, &inLeft, &target, &outLeft);
    out.resize(static_cast<std::size_t>(target - out.data()));
    if (result == static_cast<std::size_t>(-1) || inLeft != 0) {
        out.resize(start);
        return false;
    }
    return true;
}

} // namespace exchange
