// Expected records are spelled out field by field from the DTAZV layout, in
// layout order with their positions, never taken from the writer itself.
#include "WriterFixture.h"

namespace dtazv {
namespace {

using test::blanks;
using test::field;
using test::positions;
using test::Transfer;

class RecordLayout : public test::WriterFixture
{};

std::string expectedHeader()
{
    return "0256Q"                       // 1-5
           "37040044"                    // 6-13 bank code
           "0532013000"                  // 14-23 account number
           + field("MUSTER GMBH", 35)    // 24-58
           + field("BUCHHALTUNG", 35)    // 59-93
           + field("HAUPTSTRASSE 1", 35) // 94-128
           + field("MUENCHEN", 35)       // 129-163
           + "261211"                    // 164-169 creation date
           + "01"                        // 170-171 serial
           + "261213"                    // 172-177 execution date
           + "N" + "00" + "00000000"     // 178-188 report data as the writer leaves it
           + blanks(68);                 // 189-256
}

TEST_F(RecordLayout, FileWithOneTransferMatchesTheLayoutByteForByte)
{
    Transfer t;
    t.payee1 = "Müller & Söhne";
    t.payee2 = "Straße 5";
    t.payee3 = "Zürich";
    t.payee4 = "Café";
    t.amount = 1234.56;
    t.purposeLines = {"Rechnung 4711"};
    t.executionDate = encodeDate(2026, 12, 14);

    const std::string expectedTransfer =
        std::string("0768T")                       // 1-5
        + "37040044"                               // 6-13 bank code
        + "EUR"                                    // 14-16 account currency
        + "0532013000"                             // 17-26 account number
        + "261214"                                 // 27-32 execution date
        + "00000000" + blanks(3) + "0000000000"    // 33-53 charges account
        + "COBADEFFXXX"                            // 54-64 BIC
        + blanks(3) + blanks(140)                  // 65-207 payee's bank
        + "DE "                                    // 208-210 payee's country
        + field("MUELLER  SOEHNE", 35)             // 211-245
        + field("STRASSE 5", 35)                   // 246-280
        + field("ZUERICH", 35)                     // 281-315
        + field("CAF", 35)                         // 316-350
        + blanks(70)                               // 351-420
        + "/"                                      // 421
        + field("DE89370400440532013000", 34)      // 422-455 IBAN
        + "EUR"                                    // 456-458 order currency
        + "00000000001234" + "560"                 // 459-475 amount
        + field("RECHNUNG 4711", 35) + blanks(105) // 476-615 purpose lines
        + "00" + "00" + "00" + "00"                // 616-623 instruction codes
        + blanks(25)                               // 624-648
        + "00"                                     // 649-650 charges rule
        + "13"                                     // 651-652 EU standard transfer
        + blanks(27) + blanks(35)                  // 653-714 statement text, contact
        + "0"                                      // 715 reporting key
        + blanks(51)                               // 716-766
        + "00";                                    // 767-768
    const std::string expectedTrailer = "0256Z"
                                        "000000000001234" // 6-20 sum of whole units
                                        "000000000000001" // 21-35 count
                                        + blanks(221);

    ASSERT_EQ(expectedHeader().size(), 256u);
    ASSERT_EQ(expectedTransfer.size(), 768u);
    EXPECT_EQ(fileWith({t}), expectedHeader() + expectedTransfer + expectedTrailer);
    EXPECT_EQ(writer.TransferCount(), 1);
    EXPECT_EQ(writer.AmountSum(), 1234);
    EXPECT_FALSE(writer.isFileOpen());
}

TEST_F(RecordLayout, FileWithoutTransfersIsHeaderAndZeroTrailer)
{
    EXPECT_EQ(fileWith({}), expectedHeader() + "0256Z" + std::string(30, '0') + blanks(221));
}

TEST_F(RecordLayout, SerialNumberFillsTwoDigits)
{
    for (int serial : {0, 7, 99}) {
        writer.BeginFile(serial);
        writer.EndFile();
        EXPECT_EQ(positions(output(), 170, 171),
                  serial < 10 ? "0" + std::to_string(serial) : std::to_string(serial));
    }
}

TEST_F(RecordLayout, AmountSplitAndTrailerSum)
{
    struct Case
    {
        std::vector<double> amounts;
        std::string wholeOfFirst;      // T 459-472
        std::string hundredthsOfFirst; // T 473-475
        std::string sum;               // Z 6-20
    };
    const Case cases[] = {
        {{1234.56}, "00000000001234", "560", "000000000001234"},
        {{1234.5}, "00000000001234", "500", "000000000001234"},
        {{5.999}, "00000000000006", "000", "000000000000006"}, // hundredths of 100 carry
        {{0.125}, "00000000000000", "120", "000000000000000"}, // ties go to the even one
        {{0.375}, "00000000000000", "380", "000000000000000"},
        {{10.60, 20.70}, "00000000000010", "600", "000000000000030"}, // hundredths not summed
        {{0.0}, "00000000000000", "000", "000000000000000"},
        {{2147483647.99}, "00002147483647", "990", "000002147483647"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.amounts.front());
        std::vector<Transfer> transfers;
        for (double amount : c.amounts) {
            Transfer t;
            t.amount = amount;
            transfers.push_back(t);
        }
        const std::string file = fileWith(transfers);
        ASSERT_EQ(file.size(), 512 + 768 * c.amounts.size());
        const std::string first = file.substr(256, 768);
        EXPECT_EQ(positions(first, 459, 472), c.wholeOfFirst);
        EXPECT_EQ(positions(first, 473, 475), c.hundredthsOfFirst);
        const std::string trailer = file.substr(file.size() - 256);
        EXPECT_EQ(positions(trailer, 6, 20), c.sum);
        EXPECT_EQ(positions(trailer, 21, 35),
                  std::string(14, '0') + std::to_string(c.amounts.size()));
    }
}

TEST_F(RecordLayout, RawFieldsKeepTheCallersText)
{
    Transfer t;
    t.bic = "COBADEFF";
    t.iban = "de89370400440532013000";
    const std::string record = transferRecord(t);
    EXPECT_EQ(positions(record, 54, 64), "COBADEFF   ");
    EXPECT_EQ(positions(record, 422, 455), field("de89370400440532013000", 34));

    t.countryCode = "Österreich";
    const std::string encoded = transferRecord(t);
    ASSERT_EQ(encoded.size(), 768u);
    EXPECT_EQ(positions(encoded, 208, 210), "\xD6s ");

    t.countryCode = "Ω\n"; // neither has a byte of its own in a record
    EXPECT_EQ(positions(transferRecord(t), 208, 210), "?? ");

    t.countryCode = "";
    EXPECT_EQ(positions(transferRecord(t), 208, 210), "   ");
}

TEST_F(RecordLayout, NoControlCharacterReachesAnyRecord)
{
    writer.setAuftraggeberName("Muster\r\nGmbH");
    writer.setAuftraggeberName2("Buch\thaltung");
    writer.setAuftraggeberStrasse("Hauptstra\xC3\x9F"
                                  "e\x001");
    writer.setAuftraggeberOrt("M\x7F\xC2\x85nchen");
    Transfer t;
    t.payee1 = "Hans\nMeier";
    t.payee2 = "\x1B[31mrot";
    t.payee3 = std::string("Weg\0 2", 6);
    t.payee4 = "Z\xC2\x9Frich";
    t.countryCode = "D\n";
    t.purposeLines = {"Rechnung\r\n4711", "\a", "\x0B\x0C"};
    t.statementText = "\b";
    t.contactPerson = "Frau\tWeiß";
    const std::string file = fileWith({t});
    ASSERT_EQ(file.size(), 512u + 768u);
    for (std::size_t i = 0; i < file.size(); ++i) {
        const auto byte = static_cast<unsigned char>(file[i]);
        EXPECT_TRUE(byte >= 0x20 && byte != 0x7F) << "byte " << int(byte) << " at " << i;
    }
    const std::string record = file.substr(256, 768);
    EXPECT_EQ(positions(file, 24, 58), field("MUSTERGMBH", 35));
    EXPECT_EQ(positions(record, 208, 210), "D? ");
    EXPECT_EQ(positions(record, 211, 245), field("HANSMEIER", 35));
    EXPECT_EQ(positions(record, 476, 510), field("RECHNUNG4711", 35));
    EXPECT_EQ(positions(record, 511, 580), blanks(70)) << "lines that convert to nothing stay";
}

TEST_F(RecordLayout, PaymentTypeFollowsTheOrderCurrency)
{
    writer.SetCurrency("usd");
    std::string record = transferRecord(Transfer{});
    EXPECT_EQ(positions(record, 456, 458), "USD");
    EXPECT_EQ(positions(record, 651, 652), "00");

    writer.SetCurrency("eur");
    record = transferRecord(Transfer{});
    EXPECT_EQ(positions(record, 456, 458), "EUR");
    EXPECT_EQ(positions(record, 651, 652), "13");
}

TEST_F(RecordLayout, ConvertedFieldsAreCutAndPadded)
{
    Transfer t;
    t.payee1 = std::string(40, 'p');
    t.payee2 = "Ä" + std::string(33, 'b');
    t.statementText = "Überweisung Dezember 2026 an Lieferanten";
    t.contactPerson = "Frau Weiß";
    const std::string record = transferRecord(t);
    EXPECT_EQ(positions(record, 211, 245), std::string(35, 'P'));
    EXPECT_EQ(positions(record, 246, 280), "AE" + std::string(33, 'B'));
    EXPECT_EQ(positions(record, 653, 679), "UEBERWEISUNG DEZEMBER 2026 ");
    EXPECT_EQ(positions(record, 680, 714), field("FRAU WEISS", 35));
}

} // namespace
} // namespace dtazv
