#include "ExpectError.h"
#include "dtazv/Iban.h"
#include "dtazv/VekDTAZV.h"

#include <gtest/gtest.h>

namespace dtazv {
namespace {

using test::expectDtazvError;

struct CheckCase
{
    std::string value;
    bool passes;
};

TEST(CheckIBAN, AcceptsFiveToThirtyFourCharactersWithRemainderOne)
{
    const CheckCase cases[] = {
        {"DE89370400440532013000", true},
        {"de89370400440532013000", true}, // lower case passes
        {"GB82WEST12345698765432", true},
        {"AT611904300234573201", true},
        {"XX631", true},                                // shortest allowed, valid check digits
        {"XX32111111111111111111111111111111", true},   // 34 characters, valid
        {"XX651111111111111111111111111111111", false}, // 35 characters, valid check digits
        {"XX63", false},                                // 4 characters
        {"DE88370400440532013000", false},              // wrong check digits
        {"DE89 3704 0044 0532 0130 00", false},         // blanks make it fail
        {"DE89-370400440532013000", false},
        {"DE89370400440532013ä00", false},
        {"", false},
    };
    const TVekDTAZV writer;
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.passes)
            EXPECT_TRUE(writer.CheckIBAN(c.value));
        else
            expectDtazvError([&] { writer.CheckIBAN(c.value); },
                             "Es muss eine korrekte IBAN angegeben werden. Die IBAN darf "
                             "höchstens 34 Zeichen beinhalten.");
    }
}

TEST(IBANRemainder, IsTheMod97RemainderOrZeroForNonDigits)
{
    EXPECT_EQ(IBANRemainder("DE89370400440532013000"), 1);
    EXPECT_EQ(IBANRemainder("DE00370400440532013000"), 9);
    EXPECT_EQ(IBANRemainder("DE89 370400440532013000"), 0);
    EXPECT_EQ(IBANRemainder("ZZ00"), 32); // 353500 mod 97: each Z counts as 35
}

TEST(CheckBIC, AcceptsEightOrElevenLettersAndDigits)
{
    const CheckCase cases[] = {
        {"COBADEFF", true},
        {"COBADEFFXXX", true},
        {"12345678", true},
        {"cobadeff", true},
        {"COBADEF", false},
        {"COBADEFFX", false},
        {"COBADEFFXX", false},
        {"COBADEFFXXXX", false},
        {"", false},
        // Eight or eleven characters, but not all of them letters or digits.
        {"COBADE\n\r", false},
        {"COBADEFF\r\nX", false},
        {std::string("COBADEF\0", 8), false},
        {"COBADEF\x7F", false},
        {"COBA DEF", false},
        {"COBADEF-", false},
        {"ÄÖÜ€ßabc", false},
        {"COBADEFFÄXX", false},
    };
    const TVekDTAZV writer;
    for (const CheckCase& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.passes)
            EXPECT_TRUE(writer.CheckBIC(c.value));
        else
            expectDtazvError([&] { writer.CheckBIC(c.value); },
                             "Die BIC muss aus 8 oder 11 Ziffern bestehen.");
    }
}

TEST(SetCurrency, TakesExactlyThreeLettersAsCapitals)
{
    TVekDTAZV writer;
    EXPECT_EQ(writer.OrderCurrency(), "EUR");
    writer.SetCurrency("usd");
    EXPECT_EQ(writer.OrderCurrency(), "USD");
    for (const char* bad :
         {"EURO", "EU", "", "\x01\x02\x03", "E\nR", "EU\x7F", "€UR", "EU1", "EU "}) {
        SCOPED_TRACE(bad);
        expectDtazvError([&] { writer.SetCurrency(bad); },
                         "Der Währungscode muss aus genau drei Zeichen bestehen, z.B. USD.");
        EXPECT_EQ(writer.OrderCurrency(), "USD");
    }
}

TEST(CheckNameAndPurposeLines, RaiseTheirMessages)
{
    const TVekDTAZV writer;
    EXPECT_TRUE(writer.CheckName("x"));
    EXPECT_TRUE(writer.CheckPurposeLines({"1", "2", "3", "4"}));
    expectDtazvError([&] { writer.CheckName(""); }, "Der Name muss angegeben werden.");
    expectDtazvError(
        [&] {
            writer.CheckPurposeLines({"1", "2", "3", "4", "5"});
        },
        "Es sind nicht mehr als 4 Verwendungszwecke erlaubt.");
}

} // namespace
} // namespace dtazv
