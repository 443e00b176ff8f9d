#include "checking/CheckRun.h"

#include "StoreFixture.h"
#include "checking/ExecutionDateRule.h"
#include "dtazv/VekDTAZV.h"
#include "store/Schema.h"

#include <cmath>
#include <optional>
#include <sqlite3.h>

namespace checking {
namespace {

using dtazv::encodeDate;

const double kCreated = encodeDate(2026, 12, 11);

class CheckRunTest : public store::test::StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        data.openAll();
        setSettings(kCreated, kCreated + 2, false);
        addOrderer("Muster GmbH", 37040044, 532013000, false);
    }

    void setSettings(std::optional<double> created, std::optional<double> execution,
                     bool reportingAllowed)
    {
        store::Cursor& s = data.Stamm_tt;
        s.edit();
        const auto date = [&](const char* field, std::optional<double> value) {
            if (value)
                s.field(field).setDate(*value);
            else
                s.field(field).clear();
        };
        date("Erstelldatum", created);
        date("Ausfuehrungstermin", execution);
        s.field("Meldepflicht").setBoolean(reportingAllowed);
        s.post();
    }

    void addOrderer(const char* name, std::optional<double> blz, std::optional<double> account,
                    bool over50000Allowed)
    {
        store::Cursor& a = data.Auftrag_tt;
        for (a.first(); !a.eof();)
            a.remove();
        a.append();
        a.field("Name").setString(name);
        if (blz)
            a.field("BLZ").setFloat(*blz);
        if (account)
            a.field("KontoNr").setFloat(*account);
        a.field("Zahlung50T").setBoolean(over50000Allowed);
        a.post();
    }

    struct Transfer
    {
        std::optional<double> amount = 100.0;
        std::string name = "Meier";
        std::string iban = "DE89370400440532013000";
        std::string bic = "COBADEFFXXX";
        std::optional<double> date = std::nullopt; // execution date, empty when not set
    };

    void addTransfer(const Transfer& t)
    {
        store::Cursor& z = data.Zahlung_tt;
        z.append();
        if (t.amount)
            z.field("BETRAG").setFloat(*t.amount);
        z.field("Name").setString(t.name);
        z.field("IBAN").setString(t.iban);
        z.field("BIC").setString(t.bic);
        if (t.date)
            z.field("Ausfuehrungsdatum").setDate(*t.date);
        z.post();
    }

    CheckResult check(bool english = false) { return CheckRun(data, writer).run(english); }

    dtazv::TVekDTAZV writer;
};

TEST_F(CheckRunTest, TransferRules)
{
    const std::string below1 = " < Betrag kleiner als 1 EUR > ";
    const std::string over = " < Betrag über 50.000 EUR > ";
    const std::string reportable = " < Meldepflichtiger Betrag > ";
    const std::string tooLarge = " < Betrag zu groß für die DTAZV-Datei > ";
    const struct Case
    {
        const char* name;
        Transfer transfer;
        bool reportingAllowed;
        bool over50000Allowed;
        bool marked;
        std::string remark;
        int CheckResult::*counter; // the one counter that goes up, if any
    } cases[] = {
        {"1.00 passes", {1.00}, false, false, false, "", nullptr},
        {"0.99 fails", {0.99}, false, false, true, below1, &CheckResult::amountsBelowOne},
        {"an empty amount fails",
         {std::nullopt},
         false,
         false,
         true,
         below1,
         &CheckResult::amountsBelowOne},
        {"50000.50 rounds to 50000",
         {50000.50},
         false,
         false,
         true,
         reportable,
         &CheckResult::reportableAmounts},
        {"50000.51 rounds to 50001",
         {50000.51},
         true,
         false,
         true,
         over + reportable,
         &CheckResult::amountsOver50000},
        {"50001.50 rounds to 50002",
         {50001.50},
         true,
         false,
         true,
         over + reportable,
         &CheckResult::amountsOver50000},
        {"over 50000 allowed",
         {50001.50},
         true,
         true,
         false,
         reportable,
         &CheckResult::reportableAmounts},
        {"12500.00 reportable",
         {12500.00},
         false,
         false,
         true,
         reportable,
         &CheckResult::reportableAmounts},
        {"12500.00 allowed: remarked and counted, not marked",
         {12500.00},
         true,
         false,
         false,
         reportable,
         &CheckResult::reportableAmounts},
        {"12499.99", {12499.99}, false, false, false, "", nullptr},
        // Amounts as another program adds them up in binary fractions: the
        // table's amounts have four decimals, so these are 1.00, 50000.50 and
        // 12500.00.
        {"0.7 + 0.2 + 0.1 passes", {0.7 + 0.2 + 0.1}, false, false, false, "", nullptr},
        {"50000.50 a hair above rounds to 50000",
         {std::nextafter(50000.5, 60000.0)},
         true,
         false,
         false,
         reportable,
         &CheckResult::reportableAmounts},
        {"12500.00 a hair below is reportable",
         {std::nextafter(12500.0, 0.0)},
         false,
         false,
         true,
         reportable,
         &CheckResult::reportableAmounts},
        {"no payee name",
         {100.0, ""},
         false,
         false,
         true,
         " < Name fehlt > ",
         &CheckResult::missingPayeeNames},
        {"wrong IBAN",
         {100.0, "Meier", "DE88370400440532013000"},
         false,
         false,
         true,
         " < IBAN falsch > ",
         &CheckResult::wrongIbans},
        {"BIC of 7",
         {100.0, "Meier", "DE89370400440532013000", "COBADEF"},
         false,
         false,
         true,
         " < BIC falsch > ",
         &CheckResult::wrongBics},
        {"date + 15 days",
         {100.0, "Meier", "DE89370400440532013000", "COBADEFFXXX", kCreated + 15},
         false,
         false,
         false,
         "",
         nullptr},
        {"date + 16 days",
         {100.0, "Meier", "DE89370400440532013000", "COBADEFFXXX", kCreated + 16},
         false,
         false,
         true,
         " < Ausführungsdatum mehr als 15 Tage nach dem Erstellungsdatum > ",
         &CheckResult::wrongDates},
        {"date before creation",
         {100.0, "Meier", "DE89370400440532013000", "COBADEFFXXX", kCreated - 1},
         false,
         false,
         true,
         " < Ausführungsdatum liegt vor dem Erstellungsdatum > ",
         &CheckResult::wrongDates},
        {"the creation date itself",
         {100.0, "Meier", "DE89370400440532013000", "COBADEFFXXX", kCreated},
         false,
         false,
         false,
         "",
         nullptr},
        {"BIC with a line break",
         {100.0, "Meier", "DE89370400440532013000", "COBADE\r\n"},
         false,
         false,
         true,
         " < BIC falsch > ",
         &CheckResult::wrongBics},
        {"IBAN with a control character",
         {100.0, "Meier", "DE89370400440532013000\x01"},
         false,
         false,
         true,
         " < IBAN falsch > ",
         &CheckResult::wrongIbans},
        // Allowed over 50,000 and reportable: only the file's amount field
        // cannot hold them.
        {"2147483647.99 fits the file",
         {2147483647.99},
         true,
         true,
         false,
         reportable,
         &CheckResult::reportableAmounts},
        {"2147483648 does not", {2147483648.0}, true, true, true, reportable + tooLarge, nullptr},
        {"2147483647.996 rounds up to 2147483648",
         {2147483647.996},
         true,
         true,
         true,
         reportable + tooLarge,
         nullptr},
        {"1e15", {1e15}, true, true, true, reportable + tooLarge, nullptr},
        {"infinity", {HUGE_VAL}, true, true, true, reportable + tooLarge, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (data.Zahlung_tt.first(); !data.Zahlung_tt.eof();)
            data.Zahlung_tt.remove();
        setSettings(kCreated, kCreated + 2, c.reportingAllowed);
        addOrderer("Muster GmbH", 37040044, 532013000, c.over50000Allowed);
        addTransfer(c.transfer);

        const CheckResult result = check();
        EXPECT_EQ(result.verdict, "J") << "transfer rules never change the verdict";
        store::Cursor& z = data.Zahlung_tt;
        z.first();
        EXPECT_EQ(z.field("PRUEFEN").asBoolean(), c.marked);
        EXPECT_EQ(z.field("Hinweis").asString(), c.remark);
        for (int CheckResult::*counter :
             {&CheckResult::amountsBelowOne, &CheckResult::amountsOver50000,
              &CheckResult::reportableAmounts, &CheckResult::missingPayeeNames,
              &CheckResult::wrongIbans, &CheckResult::wrongBics, &CheckResult::wrongDates}) {
            const bool expected =
                counter == c.counter || (counter == &CheckResult::reportableAmounts &&
                                         c.remark.find(reportable) != std::string::npos);
            EXPECT_EQ(result.*counter, expected ? 1 : 0);
        }
        EXPECT_EQ(result.marked.size(), c.marked ? 1u : 0u);
    }
}

TEST_F(CheckRunTest, BlanksInIbanAndBicAreStoredAway)
{
    addTransfer({100.0, "Meier", "DE89 3704 0044 0532 0130 00", "COBA DEFF XXX"});
    addTransfer({100.0, "Schulze", "DE88 3704 0044 0532 0130 00", "COBADEFF"});
    const CheckResult result = check();
    store::Cursor& z = data.Zahlung_tt;
    z.first();
    EXPECT_EQ(z.field("IBAN").asString(), "DE89370400440532013000");
    EXPECT_EQ(z.field("BIC").asString(), "COBADEFFXXX");
    EXPECT_FALSE(z.field("PRUEFEN").asBoolean());
    z.next();
    EXPECT_EQ(z.field("IBAN").asString(), "DE88370400440532013000") << "also when it then fails";
    EXPECT_TRUE(z.field("PRUEFEN").asBoolean());
    EXPECT_EQ(result.wrongIbans, 1);
}

TEST_F(CheckRunTest, RemarkIsCutAtHundredCharacters)
{
    addTransfer({60000.0, "Meier", "DE00370400440532013000", "COBADEFFXXX", kCreated - 1});
    check();
    data.Zahlung_tt.first();
    const std::string full = std::string(" < Betrag über 50.000 EUR > ") +
                             " < Meldepflichtiger Betrag > " + " < IBAN falsch > " +
                             " < Ausführungsdatum liegt vor dem Erstellungsdatum > ";
    EXPECT_EQ(data.Zahlung_tt.field("Hinweis").asString(), store::cutToCharacters(full, 100));
}

TEST_F(CheckRunTest, HeaderRulesDecideTheVerdict)
{
    const struct Case
    {
        const char* name;
        std::optional<double> created, execution;
        const char* orderer;
        std::optional<double> blz, account;
        const char* mDatum;
        const char* mName;
        const char* mBLZ;
        const char* mKonto;
    } cases[] = {
        {"all fine", kCreated, kCreated + 15, "Muster", 37040044, 532013000, "OK", "OK", "OK",
         "OK"},
        {"execution before creation", kCreated, kCreated - 1, "Muster", 37040044, 532013000,
         "liegt vor dem Erstellungsdatum !  ", "OK", "OK", "OK"},
        {"execution 16 days after", kCreated, kCreated + 16, "Muster", 37040044, 532013000,
         "liegt mehr als 15 Tage nach dem Erstellungsdatum !  ", "OK", "OK", "OK"},
        {"empty execution date", kCreated, std::nullopt, "Muster", 37040044, 532013000,
         "liegt vor dem Erstellungsdatum !  ", "OK", "OK", "OK"},
        {"ordering party incomplete", kCreated, kCreated, "", std::nullopt, std::nullopt, "OK",
         "Auftraggebername fehlt! ", "Bankleitzahl fehlt! ", "Konto-Nr. fehlt! "},
        {"zero is a value", kCreated, kCreated, "Muster", 0, 0, "OK", "OK", "OK", "OK"},
        // Values that would reach the file cut to 32 or 64 bits or rounded.
        {"bank code beyond 32 bits", kCreated, kCreated, "Muster", 4332007340.0, 532013000, "OK",
         "OK", "Bankleitzahl fehlt! ", "OK"},
        {"bank code with a fraction", kCreated, kCreated, "Muster", 37040044.7, 532013000, "OK",
         "OK", "Bankleitzahl fehlt! ", "OK"},
        {"account beyond 64 bits", kCreated, kCreated, "Muster", 37040044, 18446744074944119506.0,
         "OK", "OK", "OK", "Konto-Nr. fehlt! "},
        {"account with a fraction", kCreated, kCreated, "Muster", 37040044, 532013000.5, "OK", "OK",
         "OK", "Konto-Nr. fehlt! "},
        {"infinite numbers", kCreated, kCreated, "Muster", HUGE_VAL, -HUGE_VAL, "OK", "OK",
         "Bankleitzahl fehlt! ", "Konto-Nr. fehlt! "},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        setSettings(c.created, c.execution, false);
        addOrderer(c.orderer, c.blz, c.account, false);
        const CheckResult r = check();
        const bool fine = std::string(c.mDatum) == "OK" && std::string(c.mName) == "OK" &&
                          std::string(c.mBLZ) == "OK" && std::string(c.mKonto) == "OK";
        EXPECT_EQ(r.verdict, fine ? "J" : "N");
        EXPECT_EQ(r.mDatum.text, c.mDatum);
        EXPECT_EQ(r.mName.text, c.mName);
        EXPECT_EQ(r.mBLZ.text, c.mBLZ);
        EXPECT_EQ(r.mKonto.text, c.mKonto);
        EXPECT_EQ(r.mDatum.colour,
                  std::string(c.mDatum) == "OK" ? LineColour::Normal : LineColour::Red);
        EXPECT_EQ(r.mHinweis, fine ? "" : "DTAZV Datei kann nicht erstellt werden !");
    }
}

// A single purpose line is split into pieces of 27 characters for the file,
// which has four purpose fields: 108 characters after the conversion fit.
TEST_F(CheckRunTest, PurposeTheFileCannotHoldIsMarked)
{
    const struct Case
    {
        const char* name;
        std::string line1;
        std::string line2;
        bool marked;
    } cases[] = {
        {"108 characters", std::string(108, 'x'), "", false},
        {"109 characters", std::string(109, 'x'), "", true},
        {"55 umlauts become 110 characters",
         [] {
             std::string line;
             for (int i = 0; i < 55; ++i)
                 line += "Ä";
             return line;
         }(),
         "", true},
        {"two long lines are cut, not split", std::string(200, 'x'), std::string(200, 'y'), false},
        {"characters that convert to nothing", std::string(200, '!') + "Rechnung", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        for (data.Zahlung_tt.first(); !data.Zahlung_tt.eof();)
            data.Zahlung_tt.remove();
        addTransfer({});
        // Written as another program may write it: the store cuts to the field's width.
        sqlite3_stmt* statement = nullptr;
        sqlite3_prepare_v2(data.connection.handle(),
                           ("UPDATE " + data.connection.attach(store::zahlungTable()) +
                            ".ZAHLUNG SET Verwendungszweck1 = ?, Verwendungszweck2 = ?")
                               .c_str(),
                           -1, &statement, nullptr);
        sqlite3_bind_text(statement, 1, c.line1.c_str(), -1, SQLITE_TRANSIENT);
        if (c.line2.empty())
            sqlite3_bind_null(statement, 2);
        else
            sqlite3_bind_text(statement, 2, c.line2.c_str(), -1, SQLITE_TRANSIENT);
        ASSERT_EQ(sqlite3_step(statement), SQLITE_DONE);
        sqlite3_finalize(statement);
        data.Zahlung_tt.refresh();

        for (const bool english : {false, true}) {
            const CheckResult result = check(english);
            EXPECT_EQ(result.verdict, "J");
            data.Zahlung_tt.first();
            EXPECT_EQ(data.Zahlung_tt.field("PRUEFEN").asBoolean(), c.marked);
            EXPECT_EQ(data.Zahlung_tt.field("Hinweis").asString(),
                      !c.marked ? ""
                      : english ? " < Purpose too long for the DTAZV file > "
                                : " < Verwendungszweck zu lang für die DTAZV-Datei > ");
        }
    }
}

TEST_F(CheckRunTest, CountLinesAndASecondRun)
{
    CheckResult r = check(); // no transfers
    for (const ResultLine* line :
         {&r.m1EUR, &r.mB50000, &r.mMelde, &r.mEmpfName, &r.mIBAN, &r.mBIC, &r.mAusDat}) {
        EXPECT_EQ(line->text, "keine");
        EXPECT_EQ(line->colour, LineColour::Normal);
    }

    addTransfer({0.5});
    addTransfer({0.75, "Schulze", "x"});
    addTransfer({20000.0});
    addTransfer({100.0, ""});
    addTransfer({100.0, ""});
    r = check();
    EXPECT_EQ(r.m1EUR.text, "2 ( wird nicht ausgeführt )");
    EXPECT_EQ(r.m1EUR.colour, LineColour::Red);
    EXPECT_EQ(r.mIBAN.text, "1 ( wird nicht ausgeführt )");
    EXPECT_EQ(r.mMelde.text, "1 ( werden nicht ausgeführt )");
    EXPECT_EQ(r.mMelde.colour, LineColour::Red);
    EXPECT_EQ(r.mBIC.text, "keine");
    EXPECT_EQ(r.mEmpfName.text, "2 ( wird nicht ausgeführt )") << "left out, so not in order";
    EXPECT_EQ(r.mEmpfName.colour, LineColour::Red);

    setSettings(kCreated, kCreated + 2, true);
    const CheckResult again = check();
    EXPECT_EQ(again.mMelde.text, "1") << "allowed: the bare number, still red";
    EXPECT_EQ(again.mMelde.colour, LineColour::Red);
    const CheckResult third = check();
    EXPECT_EQ(third.m1EUR.text, again.m1EUR.text);
    EXPECT_EQ(third.marked.size(), again.marked.size());
    EXPECT_EQ(third.marked.front().remark, again.marked.front().remark);
}

TEST_F(CheckRunTest, EnglishTexts)
{
    setSettings(kCreated, kCreated + 20, false);
    addOrderer("", 37040044, 532013000, false);
    addTransfer({0.5, "", "DE89370400440532013000", "COBADEFFXX"});
    const CheckResult r = check(true);
    EXPECT_EQ(r.mDatum.text, "lies more than 15 days after the date of preparation !  ");
    EXPECT_EQ(r.mName.text, "Client incorrect ! ");
    EXPECT_EQ(r.m1EUR.text, "1 ( does not implement )");
    EXPECT_EQ(r.mEmpfName.text, "1 ( does not implement )");
    EXPECT_EQ(r.mAusDat.text, "none");
    EXPECT_EQ(r.mHinweis, "DTAZV file cannot be provided !");
    data.Zahlung_tt.first();
    EXPECT_EQ(data.Zahlung_tt.field("Hinweis").asString(),
              " < Amount smaller than 1 EUR >  < Name incorrect >  < BIC incorrect > ");
}

TEST_F(CheckRunTest, PendingEditsAreStoredFirstAndTheGridHearsOnce)
{
    data.Zahlung_tt.append(); // untouched: stored as an empty transfer
    struct Listener final : store::CursorListener
    {
        int resets = 0;
        int changes = 0;
        void cursorReset() override { ++resets; }
        void rowChanged(int) override { ++changes; }
    } listener;
    data.Zahlung_tt.addListener(&listener);
    const CheckResult r = check();
    data.Zahlung_tt.removeListener(&listener);
    EXPECT_EQ(data.Zahlung_tt.recordCount(), 1);
    EXPECT_EQ(r.amountsBelowOne, 1);
    EXPECT_EQ(listener.changes, 1) << "only the pending row, stored before the walk";
    EXPECT_EQ(listener.resets, 1) << "the grid is detached during the walk";
}

// A value another program stored in a form its field cannot be read as keeps
// its transfer out of the file like any other fault of one transfer; the
// other transfers are checked as ever and may go into the file.
TEST_F(CheckRunTest, UnreadableTransferValuesMarkOnlyTheirTransfer)
{
    const struct Case
    {
        const char* name;
        const char* column;
        const char* literal;
        const char* german;
        const char* english;
        int wrongDates;
    } cases[] = {
        {"text in the amount", "BETRAG", "'abc'", " < Betrag nicht lesbar > ",
         " < Amount unreadable > ", 0},
        {"BLOB with a NUL byte in the amount", "BETRAG", "x'310030'", " < Betrag nicht lesbar > ",
         " < Amount unreadable > ", 0},
        {"impossible execution date", "Ausfuehrungsdatum", "'0000-00-00'",
         " < Ausführungsdatum nicht lesbar > ", " < Execution date unreadable > ", 1},
        {"BLOB with a NUL byte in the execution date", "Ausfuehrungsdatum", "x'00'",
         " < Ausführungsdatum nicht lesbar > ", " < Execution date unreadable > ", 1},
    };
    store::Cursor& z = data.Zahlung_tt;
    for (const Case& c : cases) {
        for (const bool english : {false, true}) {
            SCOPED_TRACE(std::string(c.name) + (english ? ", English" : ""));
            for (z.first(); !z.eof();)
                z.remove();
            for (int i = 0; i < 3; ++i)
                addTransfer({});
            z.moveTo(1);
            const int64_t damaged = z.currentRowId();
            store::Statement(data.connection.handle(),
                             std::string("UPDATE \"ZAHLUNG\".\"ZAHLUNG\" SET ") + c.column + " = " +
                                 c.literal + " WHERE rowid = " + std::to_string(damaged),
                             "ZAHLUNG.ADT")
                .run();
            z.refresh();

            const CheckResult r = check(english);
            EXPECT_EQ(r.verdict, "J");
            EXPECT_EQ(r.amountsBelowOne, 0) << "an amount it cannot read is no amount below 1";
            EXPECT_EQ(r.wrongDates, c.wrongDates);
            ASSERT_EQ(r.marked.size(), 1u);
            EXPECT_EQ(r.marked[0].zaehler, damaged);
            EXPECT_EQ(r.marked[0].remark, english ? c.english : c.german);
            for (z.first(); !z.eof(); z.next()) {
                const bool isDamaged = z.currentRowId() == damaged;
                EXPECT_EQ(z.field("PRUEFEN").asBoolean(), isDamaged);
                EXPECT_EQ(z.field("Hinweis").asString(),
                          isDamaged ? (english ? c.english : c.german) : "");
            }
        }
    }
}

// Where the run itself needs a value of the settings or the ordering party
// that cannot be read, it stops, saying where that value is stored.
TEST_F(CheckRunTest, UnreadableHeaderValuesStopTheRunNamingTheirPlace)
{
    const struct Case
    {
        const char* table;
        const char* file;
        const char* column;
        const char* literal;
        const char* message; // after the table file and the row
    } cases[] = {
        {"stamm", "stamm.ADT", "Erstelldatum", "'0000-00-00'",
         ", field Erstelldatum: '0000-00-00' is not a valid date value"},
        {"stamm", "stamm.ADT", "Meldepflicht", "'abc'",
         ", field Meldepflicht: 'abc' is not a valid boolean value"},
        {"auftraggeber", "auftraggeber.adt", "Zahlung50T", "x'00'",
         ", field Zahlung50T: '\\x00' is not a valid boolean value"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column);
        setSettings(kCreated, kCreated + 2, false);
        addOrderer("Muster GmbH", 37040044, 532013000, false);
        store::Statement(data.connection.handle(),
                         std::string("UPDATE \"") + c.table + "\".\"" + c.table + "\" SET " +
                             c.column + " = " + c.literal,
                         c.file)
            .run();
        data.Stamm_tt.refresh();
        data.Auftrag_tt.refresh();
        const std::string row = std::string(c.table) == "stamm"
                                    ? "stamm.ADT, row 1"
                                    : "auftraggeber.adt, row with Zaehler " +
                                          std::to_string(data.Auftrag_tt.currentRowId());
        try {
            check();
            ADD_FAILURE() << "the run went on";
        } catch (const store::StoreError& e) {
            EXPECT_EQ(std::string(e.what()), row + c.message);
        }
    }
}

TEST(ExecutionDateRule, WarnsButAccepts)
{
    const double c = kCreated;
    EXPECT_EQ(executionDateWarnings(c + 16, c),
              std::vector<std::string>{
                  "Das Ausführungsdatum darf max. 15 Tage nach dem Erstellungsdatum liegen !"});
    EXPECT_TRUE(executionDateWarnings(c + 15, c).empty());
    EXPECT_TRUE(executionDateWarnings(c, c).empty());
    EXPECT_EQ(
        executionDateWarnings(c - 1, c),
        std::vector<std::string>{"Das Ausführungsdatum nicht vor dem Erstellungsdatum liegen !"});
}

TEST_F(CheckRunTest, ExecutionDateRuleRunsOnEveryStoredValue)
{
    std::vector<std::string> warnings;
    installExecutionDateRule(data, [&](const std::string& w) { warnings.push_back(w); });
    setSettings(kCreated, kCreated, false);
    EXPECT_TRUE(warnings.empty()) << "today and today: no warning";
    setSettings(kCreated, kCreated + 16, false);
    ASSERT_EQ(warnings.size(), 1u);
    EXPECT_DOUBLE_EQ(data.Stamm_tt.field("Ausfuehrungstermin").asDate(), kCreated + 16)
        << "the value is accepted";
    EXPECT_EQ(check().mDatum.text, "liegt mehr als 15 Tage nach dem Erstellungsdatum !  ");
}

} // namespace
} // namespace checking
