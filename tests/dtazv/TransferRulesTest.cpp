#include "WriterFixture.h"

#include <cmath>
#include <limits>

namespace dtazv {
namespace {

using test::blanks;
using test::expectDtazvError;
using test::field;
using test::fixedNow;
using test::positions;
using test::Transfer;

class TransferRules : public test::WriterFixture
{};

TEST_F(TransferRules, PurposeLinesAreCleanedConvertedAndSplit)
{
    struct Case
    {
        const char* name;
        std::vector<std::string> given;
        std::vector<std::string> afterCall; // the caller's list, changed in place
        std::string fields;                 // T 476-615
    };
    const std::string long35 = std::string(27, 'a') + "bbbbbbbb";
    const std::string long60 = std::string(27, 'c') + std::string(27, 'd') + "eeeeee";
    const std::string forty = std::string(40, 'f');
    const Case cases[] = {
        {"empty lines go",
         {"", "Rechnung 4711", ""},
         {"RECHNUNG 4711"},
         field("RECHNUNG 4711", 35) + blanks(105)},
        {"one line of 35 becomes 27 and 8",
         {long35},
         {std::string(27, 'A'), "BBBBBBBB"},
         field(std::string(27, 'A'), 35) + field("BBBBBBBB", 35) + blanks(70)},
        {"one line of 60 becomes three pieces",
         {long60},
         {std::string(27, 'C'), std::string(27, 'D'), "EEEEEE"},
         field(std::string(27, 'C'), 35) + field(std::string(27, 'D'), 35) + field("EEEEEE", 35) +
             blanks(35)},
        {"a line emptied by conversion stays", {"€€€"}, {""}, blanks(140)},
        {"two long lines are only cut",
         {forty, "Zahlung für März"},
         {std::string(40, 'F'), "ZAHLUNG FUER MAERZ"},
         std::string(35, 'F') + field("ZAHLUNG FUER MAERZ", 35) + blanks(70)},
        {"no lines", {}, {}, blanks(140)},
        {"four lines",
         {"1", "2", "3", "4"},
         {"1", "2", "3", "4"},
         field("1", 35) + field("2", 35) + field("3", 35) + field("4", 35)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Transfer t;
        t.purposeLines = c.given;
        writer.BeginFile(1);
        add(t);
        // add() passes a copy; check the in-place change on a list of our own
        std::vector<std::string> lines = c.given;
        writer.AddTransfer(t.bic, t.iban, t.payee1, "", "", "", t.countryCode, 1.0, lines, 0, " ",
                           " ", "EUR");
        writer.EndFile();
        EXPECT_EQ(lines, c.afterCall);
        EXPECT_EQ(positions(output().substr(256, 768), 476, 615), c.fields);
    }
}

TEST_F(TransferRules, ExecutionDateRule)
{
    const DateTime today = encodeDate(2026, 12, 11);
    struct Case
    {
        const char* name;
        DateTime given;
        std::string written; // T 27-32
    };
    const Case cases[] = {
        {"yesterday", today - 1, "261211"},
        {"today without a time of day", today, "261211"},
        {"tomorrow", today + 1, "261212"},
        {"exactly 15 days ahead", today + 15, "261226"},
        {"16 days ahead", today + 16, "261211"},
        {"unset", 0, "261211"},
        {"negative dates are left alone", -1, "991229"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Transfer t;
        t.executionDate = c.given;
        EXPECT_EQ(positions(transferRecord(t), 27, 32), c.written);
    }
}

TEST_F(TransferRules, UnsetHeaderDateIsWrittenAsItsOwnDay)
{
    writer.setAusfuehrungsdatum(0);
    EXPECT_EQ(positions(fileWith({}), 172, 177), "991230");
    writer.setAusfuehrungsdatum(encodeDate(2026, 12, 10));
    EXPECT_EQ(positions(fileWith({}), 172, 177), "261211");
    EXPECT_DOUBLE_EQ(writer.Ausfuehrungsdatum(), fixedNow());
}

TEST_F(TransferRules, RejectedTransferLeavesNoTrace)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case
    {
        const char* name;
        Transfer transfer;
        std::string message;
    };
    auto with = [](auto change) {
        Transfer t;
        change(t);
        return t;
    };
    const std::string iban = "Es muss eine korrekte IBAN angegeben werden. Die IBAN darf "
                             "höchstens 34 Zeichen beinhalten.";
    const Case cases[] = {
        {"BIC of 9", with([](Transfer& t) { t.bic = "COBADEFFX"; }),
         "Die BIC muss aus 8 oder 11 Ziffern bestehen."},
        {"BIC with a line break", with([](Transfer& t) { t.bic = "COBADE\r\n"; }),
         "Die BIC muss aus 8 oder 11 Ziffern bestehen."},
        {"BIC with a character no BIC has", with([](Transfer& t) { t.bic = "ÄÖÜ€Ωabc"; }),
         "Die BIC muss aus 8 oder 11 Ziffern bestehen."},
        {"IBAN with a line break", with([](Transfer& t) { t.iban = "DE8937040044053201300\n"; }),
         iban},
        {"IBAN of 4", with([](Transfer& t) { t.iban = "XX63"; }), iban},
        {"IBAN of 35", with([](Transfer& t) { t.iban = "XX651111111111111111111111111111111"; }),
         iban},
        {"IBAN with blanks", with([](Transfer& t) { t.iban = "DE89 3704 0044 0532 0130 00"; }),
         iban},
        {"five purpose lines", with([](Transfer& t) {
             t.purposeLines = {"1", "2", "3", "4", "5"};
         }),
         "Es sind nicht mehr als 4 Verwendungszwecke erlaubt."},
        {"negative amount", with([](Transfer& t) { t.amount = -0.01; }),
         "Der Betrag darf nicht negativ sein."},
        {"amount of 2^31", with([](Transfer& t) { t.amount = 2147483648.0; }),
         "Der Betrag muss kleiner als 2147483648 sein."},
        {"amount rounding up to 2^31", with([](Transfer& t) { t.amount = 2147483647.996; }),
         "Der Betrag muss kleiner als 2147483648 sein."},
        {"infinite amount", with([](Transfer& t) { t.amount = HUGE_VAL; }),
         "Der Betrag muss kleiner als 2147483648 sein."},
        {"amount not a number", with([&](Transfer& t) { t.amount = nan; }),
         "Der Betrag muss eine Zahl sein."},
        {"account currency of 2", with([](Transfer& t) { t.accountCurrency = "EU"; }),
         "Der Währungscode des Kontos muss aus genau drei Zeichen bestehen, z.B. EUR."},
        {"account currency of 4", with([](Transfer& t) { t.accountCurrency = "EURO"; }),
         "Der Währungscode des Kontos muss aus genau drei Zeichen bestehen, z.B. EUR."},
        {"account currency with a control character",
         with([](Transfer& t) { t.accountCurrency = "E\tR"; }),
         "Der Währungscode des Kontos muss aus genau drei Zeichen bestehen, z.B. EUR."},
        {"account currency with a euro sign", with([](Transfer& t) { t.accountCurrency = "€UR"; }),
         "Der Währungscode des Kontos muss aus genau drei Zeichen bestehen, z.B. EUR."},
        {"date beyond the year 9999", with([](Transfer& t) { t.executionDate = -1e9; }),
         "Das Ausführungsdatum muss zwischen den Jahren 1 und 9999 liegen."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        writer.BeginFile(1);
        add(Transfer{});
        expectDtazvError([&] { add(c.transfer); }, c.message);
        EXPECT_EQ(writer.TransferCount(), 1);
        EXPECT_EQ(writer.AmountSum(), 100);
        writer.EndFile();
        const std::string file = output();
        ASSERT_EQ(file.size(), 512u + 768u);
        EXPECT_EQ(positions(file.substr(1024), 6, 35), "000000000000100"
                                                       "000000000000001");
    }
}

TEST_F(TransferRules, FileSumThatWouldOutgrowFifteenDigitsIsRefused)
{
    // Half a million records: written to the null device, only the totals matter.
    writer.setPath("/dev/");
    writer.setFileName("null");
    writer.BeginFile(1);
    Transfer big;
    big.amount = 2147483647.0;
    big.purposeLines.clear();
    for (int i = 0; i < 465661; ++i)
        add(big);
    EXPECT_EQ(writer.AmountSum(), 2147483647LL * 465661);
    expectDtazvError([&] { add(big); },
                     "Die Summe der Beträge einer Datei darf 999999999999999 nicht übersteigen.");
    EXPECT_EQ(writer.TransferCount(), 465661);
    Transfer fits;
    fits.amount = static_cast<double>(999999999999999LL - writer.AmountSum());
    add(fits);
    EXPECT_EQ(writer.AmountSum(), 999999999999999LL);
    writer.EndFile();
}

} // namespace
} // namespace dtazv
