#include "exchange/DelimitedTextReader.h"
#include "exchange/FixedWidthReader.h"
#include "exchange/TextEncoding.h"

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <random>

namespace exchange {
namespace {

std::string fixture(const char* name)
{
    return std::string(TARVION_EXCHANGE_DATA) + name;
}

struct ReadTable
{
    std::vector<std::string> titles;
    std::vector<long long> lines;
    std::vector<std::vector<std::string>> rows;
    std::string error;
};

ReadTable readAll(SourceReader& reader, const std::string& path)
{
    ReadTable table;
    std::unique_ptr<RowStream> stream = reader.open(path, 0);
    if (!stream) {
        table.error = reader.lastError();
        return table;
    }
    table.titles = stream->titles();
    SourceRow row;
    while (stream->next(row)) {
        table.lines.push_back(row.position);
        std::vector<std::string> cells;
        for (const Cell& cell : row.cells)
            cells.push_back(cell.text);
        table.rows.push_back(cells);
    }
    table.error = stream->error();
    return table;
}

// A file with exactly these bytes, removed with the test.
class TextFile : public ::testing::Test
{
protected:
    void TearDown() override { std::filesystem::remove(m_path); }

    const std::string& write(const std::string& bytes)
    {
        std::random_device random;
        m_path = (std::filesystem::temp_directory_path() /
                  ("tarvion-text-" + std::to_string(random()) + ".csv"))
                     .string();
        std::ofstream(m_path, std::ios::binary) << bytes;
        return m_path;
    }

    std::string m_path;
};

TEST(DelimitedTextReader, AccountingExportInWindows1252)
{
    DelimitedTextReader reader;
    reader.options.delimiter = ';';
    reader.options.skipLines = 1;
    const ReadTable t = readAll(reader, fixture("buchhaltung_cp1252.csv"));
    ASSERT_EQ(t.error, "");
    EXPECT_EQ(t.titles, (std::vector<std::string>{"Empfänger", "IBAN", "BIC", "Betrag", "Zweck",
                                                  "Fällig", "Ort", "Notiz"}));
    ASSERT_EQ(t.rows.size(), 3u);
    EXPECT_EQ(t.rows[0][0], "Müller & Söhne GmbH");
    EXPECT_EQ(t.rows[0][3], "1.234,56 €");
    EXPECT_EQ(t.rows[0][4], "Rechnung 4711; Teil 1") << "a separator inside quotes";
    EXPECT_EQ(t.rows[1][0], "Dupont \"Le Grand\" SARL") << "doubled quotes";
    EXPECT_EQ(t.rows[1][7], "erste Zeile\nzweite Zeile") << "a line break inside quotes";
    EXPECT_EQ(t.rows[2][6], "København");
    // The lines a text editor shows: the record with two lines counts both.
    EXPECT_EQ(t.lines, (std::vector<long long>{3, 4, 6}));
}

TEST(DelimitedTextReader, TabSeparatedUtf8WithByteOrderMark)
{
    DelimitedTextReader reader; // the defaults: tab, double quotes, titles
    const ReadTable t = readAll(reader, fixture("tabs_utf8_bom.txt"));
    ASSERT_EQ(t.error, "");
    ASSERT_FALSE(t.titles.empty());
    EXPECT_EQ(t.titles.front(), "Name") << "the byte order mark is not part of the title";
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[0][0], "Ærø Skibsværft og Maskinfabrik");
    EXPECT_EQ(t.rows[0][3], "2\u00a0500,00");
    EXPECT_EQ(t.rows[1][0], "Łódź Żegluga");
    EXPECT_EQ(t.rows[1].size(), 6u) << "an empty last field is a field";
}

TEST(DelimitedTextReader, CodePage850WithoutTitleRow)
{
    DelimitedTextReader reader;
    reader.options.delimiter = ';';
    reader.options.titleRow = false;
    reader.options.encoding = "CP850";
    const ReadTable t = readAll(reader, fixture("dos_cp850.txt"));
    ASSERT_EQ(t.error, "");
    EXPECT_TRUE(t.titles.empty());
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[0][0], "Bäckerei Größe");
    EXPECT_EQ(t.rows[1][0], "Ñúñez Óptica Ça");
    EXPECT_EQ(t.lines, (std::vector<long long>{1, 2}));
}

TEST(FixedWidthReader, ColumnsAtCharacterPositionsInLatin9)
{
    FixedWidthReader reader;
    reader.options.columnStarts = {1, 29, 63, 75, 83};
    reader.options.encoding = "ISO-8859-15";
    const ReadTable t = readAll(reader, fixture("fixed_latin9.prn"));
    ASSERT_EQ(t.error, "");
    ASSERT_EQ(t.titles.size(), 5u);
    EXPECT_EQ(t.titles[1], "IBAN                              ");
    ASSERT_EQ(t.rows.size(), 2u);
    EXPECT_EQ(t.rows[0][0], "Großhandel Nord             ") << "positions count characters";
    EXPECT_EQ(t.rows[0][2], "    1.500,00");
    EXPECT_EQ(t.rows[0][3], "15012027");
    EXPECT_EQ(t.rows[0][4], "Ware € netto");
    EXPECT_EQ(t.rows[1][4], "Gebühr");
}

TEST(FixedWidthReader, RefusesColumnStartsThatDoNotRise)
{
    FixedWidthReader reader;
    for (const std::vector<int>& starts : {std::vector<int>{}, std::vector<int>{0, 5},
                                           std::vector<int>{1, 5, 5}, std::vector<int>{1, 9, 5}}) {
        reader.options.columnStarts = starts;
        EXPECT_EQ(reader.open(fixture("fixed_latin9.prn"), 0), nullptr);
        EXPECT_FALSE(reader.lastError().empty());
    }
}

TEST_F(TextFile, SeparatorQuoteAndLineEndsOfEveryKind)
{
    DelimitedTextReader reader;
    reader.options.delimiter = '|';
    reader.options.quote = '\'';
    reader.options.titleRow = false;
    const ReadTable t = readAll(reader, write("a|'b|''c'''|\r\n\r\n'x\ry'|z\rlast|\n"));
    ASSERT_EQ(t.error, "");
    ASSERT_EQ(t.rows.size(), 3u);
    EXPECT_EQ(t.rows[0], (std::vector<std::string>{"a", "b|'c'", ""}));
    EXPECT_EQ(t.rows[1], (std::vector<std::string>{"x\ny", "z"}));
    EXPECT_EQ(t.rows[2], (std::vector<std::string>{"last", ""}));
    EXPECT_EQ(t.lines, (std::vector<long long>{1, 3, 5})) << "the blank line 2 is skipped";
}

TEST_F(TextFile, FailuresNameTheLine)
{
    struct Case
    {
        const char* bytes;
        const char* encoding;
        const char* message;
    } cases[] = {
        {"a\tb\r\n\"open\tx\r\nmore\r\n", "", "quoted field that begins in line 2 is not closed"},
        {"a\r\nok\r\n\xC3\x28\r\n", "UTF-8", "Line 3 holds bytes that are not UTF-8 text"},
        {"a\r\n\x81\r\n", "Windows-1252", "Line 2 holds bytes that are not Windows-1252 text"},
    };
    for (const Case& c : cases) {
        DelimitedTextReader reader;
        reader.options.encoding = c.encoding;
        const ReadTable t = readAll(reader, write(c.bytes));
        EXPECT_NE(t.error.find(c.message), std::string::npos) << t.error;
    }
    DelimitedTextReader reader;
    reader.options.encoding = "no-such-encoding";
    EXPECT_EQ(reader.open(write("a\r\n"), 0), nullptr);
    EXPECT_NE(reader.lastError().find("no-such-encoding"), std::string::npos);
}

TEST(TextEncoding, GuessFromTheFirstBytes)
{
    EXPECT_EQ(guessEncoding("\xEF\xBB\xBFName", true), "UTF-8");
    EXPECT_EQ(guessEncoding("M\xC3\xBCller", true), "UTF-8");
    EXPECT_EQ(guessEncoding("M\xFCller", true), "Windows-1252");
    EXPECT_EQ(guessEncoding("plain ASCII", true), "UTF-8");
    // A block that ends inside a character is still UTF-8; a whole file not.
    EXPECT_EQ(guessEncoding("M\xC3", false), "UTF-8");
    EXPECT_EQ(guessEncoding("M\xC3", true), "Windows-1252");
    EXPECT_FALSE(isValidUtf8("\xC0\xAF")) << "an overlong form";
    EXPECT_FALSE(isValidUtf8("\xED\xA0\x80")) << "a surrogate";
}

TEST(TextEncoding, SingleByteCodePagesAtTheirDifferingPlaces)
{
    struct Case
    {
        const char* encoding;
        std::string bytes;
        const char* text;
    } cases[] = {
        {"Windows-1252", "\x80\x8A\x9F\xE4\xDF", "€ŠŸäß"},
        {"ISO-8859-15", "\xA4\xA6\xBC\xBE\xE4", "€ŠŒŸä"},
        {"ISO-8859-1", "\xA4\xA6\xBC", "¤¦¼"},
        {"CP850", "\x81\x84\x8E\x94\x99\x9A\xE1\xD5\xB0", "üäÄöÖÜßı░"},
    };
    for (const Case& c : cases) {
        TextDecoder decoder(c.encoding);
        ASSERT_TRUE(decoder.isValid()) << decoder.error();
        std::string out;
        EXPECT_TRUE(decoder.decode(c.bytes, out)) << c.encoding;
        EXPECT_EQ(out, c.text) << c.encoding;
    }
}

TEST(TextReaders, RecogniseTextFilesByNameAndContent)
{
    DelimitedTextReader delimited;
    FixedWidthReader fixed;
    EXPECT_TRUE(delimited.recognises(fixture("buchhaltung_cp1252.csv")));
    EXPECT_FALSE(delimited.recognises(fixture("fixed_latin9.prn")));
    EXPECT_TRUE(fixed.recognises(fixture("fixed_latin9.prn")));
    EXPECT_FALSE(delimited.recognises(fixture("missing.csv")));
    std::vector<std::string> names;
    EXPECT_TRUE(delimited.tables(fixture("dos_cp850.txt"), names));
    EXPECT_EQ(names, (std::vector<std::string>{"dos_cp850.txt"}));
    EXPECT_FALSE(delimited.tables(fixture("missing.csv"), names));
}

} // namespace
} // namespace exchange
