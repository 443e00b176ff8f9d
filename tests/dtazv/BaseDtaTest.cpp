#include "WriterFixture.h"
#include "dtazv/VekDTA.h"

#include <limits>

namespace dtazv {
namespace {

using test::expectDtazvError;
using test::fixedNow;

TEST(BaseDta, PathKeepsOneTrailingSeparator)
{
    TVekBaseDTA base;
    base.setPath("/srv/daten");
    EXPECT_EQ(base.Path(), "/srv/daten/");
    base.setPath("/srv/export/");
    EXPECT_EQ(base.Path(), "/srv/export/");
    base.setPath("");
    EXPECT_EQ(base.Path(), "/srv/export/") << "an empty value keeps the previous one";
}

TEST(BaseDta, BankCodeAndAccountRanges)
{
    struct Case
    {
        int64_t value;
        bool blzPasses;
        bool kontoPasses;
    };
    const Case cases[] = {
        {9, false, false},         {10, false, true},           {9999999, false, true},
        {10000000, true, true},    {99999999, true, true},      {100000000, false, true},
        {9999999999, false, true}, {10000000000, false, false}, {-37040044, false, false},
    };
    const TVekBaseDTA base;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        if (c.blzPasses)
            EXPECT_TRUE(base.CheckBLZ(c.value));
        else
            expectDtazvError([&] { base.CheckBLZ(c.value); },
                             "Die Bankleitzahl muss genau 8 Zeichen besitzen.");
        if (c.kontoPasses)
            EXPECT_TRUE(base.CheckKontoNr(c.value));
        else
            expectDtazvError([&] { base.CheckKontoNr(c.value); },
                             "Die Kontonummer muss zwischen 10 und 9999999999 liegen.");
    }
}

// The tables hold bank codes and account numbers as floating-point numbers:
// one with a fraction, or beyond what 64 bits hold, must fail rather than
// reach the file rounded or cut into another account.
TEST(BaseDta, StoredNumbersPassOnlyAsWholeNumbers)
{
    const double infinity = std::numeric_limits<double>::infinity();
    const double nan = std::numeric_limits<double>::quiet_NaN();
    const TVekBaseDTA base;
    EXPECT_TRUE(base.CheckBLZ(37040044.0));
    EXPECT_TRUE(base.CheckKontoNr(9999999999.0));
    for (const double blz : {37040044.7, 37040044.000001, 4332007340.0, infinity, nan}) {
        SCOPED_TRACE(blz);
        expectDtazvError([&] { base.CheckBLZ(blz); },
                         "Die Bankleitzahl muss genau 8 Zeichen besitzen.");
    }
    for (const double account :
         {532013000.5, 18446744074944119506.0, 9223372036854775808.0, -infinity, nan}) {
        SCOPED_TRACE(account);
        expectDtazvError([&] { base.CheckKontoNr(account); },
                         "Die Kontonummer muss zwischen 10 und 9999999999 liegen.");
    }
}

TEST(BaseDta, HeaderDateRule)
{
    const DateTime today = encodeDate(2026, 12, 11);
    struct Case
    {
        const char* name;
        DateTime given;
        DateTime expected;
    };
    const Case cases[] = {
        {"yesterday", today - 1, fixedNow()},
        {"today without a time of day", today, fixedNow()},
        {"later today", today + 0.75, today + 0.75},
        {"15 days ahead", today + 15, today + 15},
        {"16 days ahead", today + 16, fixedNow()},
        {"unset", 0, 0},
        {"negative", -3, -3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TVekBaseDTA base;
        base.setClock(fixedNow);
        base.setAuftraggeberBLZ(37040044);
        base.setAuftraggeberKontoNr(532013000);
        base.setAusfuehrungsdatum(c.given);
        base.CheckHeader();
        EXPECT_DOUBLE_EQ(base.Ausfuehrungsdatum(), c.expected);
    }
}

TEST(BaseDta, FailedHeaderCheckHasAlreadyAppliedTheDateRule)
{
    TVekBaseDTA base;
    base.setClock(fixedNow);
    base.setAusfuehrungsdatum(encodeDate(2026, 12, 10));
    base.setAuftraggeberBLZ(9999999);
    base.setAuftraggeberKontoNr(532013000);
    expectDtazvError([&] { base.CheckHeader(); },
                     "Die Bankleitzahl muss genau 8 Zeichen besitzen.");
    EXPECT_DOUBLE_EQ(base.Ausfuehrungsdatum(), fixedNow());
}

TEST(BaseDta, SpacesAndWritingWithoutAFile)
{
    EXPECT_EQ(TVekBaseDTA::Spaces(68), std::string(68, ' '));
    EXPECT_EQ(TVekBaseDTA::Spaces(0), "");
    EXPECT_EQ(TVekBaseDTA::Spaces(-2), "");

    TVekBaseDTA base;
    EXPECT_FALSE(base.isFileOpen());
    base.CloseFile(); // nothing open: nothing happens
    expectDtazvError([&] { base.WriteString("x"); }, "Es ist keine DTAZV-Datei geöffnet.");
}

} // namespace
} // namespace dtazv
