#include "dtazv/TextCodec.h"
#include "dtazv/VekDTAZV.h"

#include <gtest/gtest.h>

namespace dtazv {
namespace {

struct Conversion
{
    const char* input;
    const char* expected;
};

TEST(ConvertText, FollowsTheDtazvCharacterRules)
{
    const Conversion cases[] = {
        {"Müller & Söhne", "MUELLER  SOEHNE"}, // the ampersand goes, both blanks stay
        {"Straße 5", "STRASSE 5"},
        {"Zürich", "ZUERICH"},
        {"Café", "CAF"}, // other diacritics are removed, not transliterated
        {"José", "JOS"},
        {"äöüÄÖÜß", "AEOEUEAEOEUESS"},
        {"a+b,c-d.e/f 0123456789", "A+B,C-D.E/F 0123456789"},
        {"Tab\tNeue\r\nZeile", "TABNEUEZEILE"},
        {"€ 1.000,00 (netto)!", " 1.000,00 NETTO"},
        {"Łódź", "D"},
        {"\xFF\xC3(ok", "OK"}, // malformed UTF-8 is removed like any foreign character
        {"", ""},
    };
    for (const Conversion& c : cases) {
        SCOPED_TRACE(c.input);
        const std::string converted = TVekDTAZV::ConvertText(c.input);
        EXPECT_EQ(converted, c.expected);
        EXPECT_EQ(TVekDTAZV::ConvertText(converted), converted) << "conversion is idempotent";
    }
}

struct FieldCase
{
    std::string input;
    std::size_t width;
    std::string expected;
};

TEST(ConvertText, FieldsAreCutAfterConversion)
{
    const FieldCase cases[] = {
        // 40 characters keep their first 35 after conversion
        {"abcdefghijklmnopqrstuvwxyz0123456789ABCD", 35, "ABCDEFGHIJKLMNOPQRSTUVWXYZ012345678"},
        // 34 characters with one umlaut fill 35 exactly
        {"Ä" + std::string(33, 'b'), 35, "AE" + std::string(33, 'B')},
        // an umlaut at the edge keeps only the first of its two letters
        {std::string(34, 'x') + "ü", 35, std::string(34, 'X') + "U"},
        // a removed character frees its position
        {"A&B", 5, "AB   "},
        {"", 3, "   "},
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.input);
        std::string field;
        text::appendConverted(field, c.input, c.width);
        EXPECT_EQ(field, c.expected);
    }
}

TEST(RawFields, AreWindows1252OneBytePerCharacter)
{
    const FieldCase cases[] = {
        {"ÄÖÜ€ßabc", 11, std::string("\xC4\xD6\xDC\x80\xDF") + "abc   "},
        {"Ωmega", 5, "?mega"}, // no Windows-1252 byte: a question mark keeps the width
        {"\xFFx", 3, "?x "},   // a malformed byte counts as one character
        {"toolong", 4, "tool"},
        {"de89 lower", 12, "de89 lower  "},
        // Control characters have no place in a record: each becomes a question mark.
        {"a\nb\r\x7F", 6, "a?b?? "},
        {std::string("\0\x1B", 2), 2, "??"},
        {"\xC2\x85x", 2, "?x"}, // U+0085, a control character of the C1 range
    };
    for (const FieldCase& c : cases) {
        SCOPED_TRACE(c.input);
        std::string field;
        text::appendRaw(field, c.input, c.width);
        EXPECT_EQ(field, c.expected);
    }
    EXPECT_EQ(text::characterCount(std::string("Ä€Ω\xFF") + "a"), 5u);
}

} // namespace
} // namespace dtazv
