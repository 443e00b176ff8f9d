#pragma once

#include <string>
#include <string_view>

namespace exchange {

// The encoding a text file most likely has, from its first bytes: UTF-8 when
// it starts with the byte order mark or when every byte sequence is valid
// UTF-8, else Windows-1252, what accounting systems on German Windows write.
// `complete` tells whether `bytes` is the whole file (else a sequence cut at
// the end is no evidence against UTF-8).
std::string guessEncoding(std::string_view bytes, bool complete);

bool isValidUtf8(std::string_view bytes, bool allowCutEnd = false);
bool startsWithUtf8Bom(std::string_view bytes);
bool isUtf8Name(std::string_view encoding);

// Turns the bytes of one encoding into UTF-8. Single-byte encodings go
// through glibc's iconv, which knows every code page a file may come in
// (Windows-1252, ISO-8859-15, CP850, ...); UTF-8 is only checked.
class TextDecoder
{
public:
    // An unknown name leaves the decoder invalid; error() says why.
    explicit TextDecoder(std::string encoding);
    ~TextDecoder();
    TextDecoder(const TextDecoder&) = delete;
    TextDecoder& operator=(const TextDecoder&) = delete;

    bool isValid() const { return m_error.empty(); }
    const std::string& error() const { return m_error; }
    const std::string& encoding() const { return m_encoding; }
    bool isUtf8() const { return m_utf8; }

    // Appends the UTF-8 text of `bytes` to `out`; false for bytes the
    // encoding does not have.
    bool decode(std::string_view bytes, std::string& out);

private:
    std::string m_encoding;
    std::string m_error;
    bool m_utf8 = false;
    void* m_iconv = nullptr;
};

} // namespace exchange
