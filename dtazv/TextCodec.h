#pragma once

#include <cstddef>
#include <string>
#include <string_view>

// Texts reach the engine as UTF-8; the file holds one Windows-1252 byte per
// character. Every width here counts characters (code points), and every
// append writes exactly `width` bytes, so a record never changes length.
namespace dtazv::text {

inline constexpr char32_t kReplacementCharacter = 0xFFFD;

// Decodes the character at `pos` and moves `pos` past it. A malformed byte
// yields the replacement character and moves one byte on.
char32_t decodeNext(std::string_view utf8, std::size_t& pos);

std::size_t characterCount(std::string_view utf8);

// The Windows-1252 byte of a character, or '?' where the code page has none.
char toCp1252(char32_t character);

// Raw field: the first `width` characters of `utf8` in Windows-1252 written
// to `dest`, each control character as '?' like a character the code page
// lacks; returns how many bytes it wrote (the caller pads the rest).
std::size_t writeRaw(char* dest, std::size_t width, std::string_view utf8);

// Converted field: the DTAZV conversion of `utf8`, cut after `width`
// characters, written to `dest`; returns how many it wrote.
std::size_t writeConverted(char* dest, std::size_t width, std::string_view utf8);

// The same two field kinds appended to `out`, blank-padded to `width`.
void appendRaw(std::string& out, std::string_view utf8, std::size_t width);
void appendConverted(std::string& out, std::string_view utf8, std::size_t width);

// The DTAZV conversion: "ß" becomes "SS", letters become capitals, the
// umlauts "AE", "OE", "UE", and every character outside blank, + , - . /,
// the digits and A to Z is removed. The result is plain ASCII.
std::string convert(std::string_view utf8);
// The same into `out`, replacing its contents and reusing its capacity.
void convertInto(std::string& out, std::string_view utf8);

} // namespace dtazv::text
