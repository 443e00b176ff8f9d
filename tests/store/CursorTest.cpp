#include "StoreFixture.h"

#include <sqlite3.h>

namespace store {
namespace {

using test::expectStoreError;

class CursorTest : public test::StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        data.openAll();
    }

    // What the file itself holds, read past the store with plain SQLite.
    std::string rawQuery(const TableDef& table, const std::string& sql)
    {
        sqlite3* db = nullptr;
        sqlite3_open((dir / table.fileName).c_str(), &db);
        std::string result;
        sqlite3_exec(
            db, sql.c_str(),
            [](void* out, int columns, char** values, char**) {
                auto& text = *static_cast<std::string*>(out);
                for (int i = 0; i < columns; ++i)
                    text += std::string(i ? "|" : "") + (values[i] ? values[i] : "NULL");
                text += ";";
                return 0;
            },
            &result, nullptr);
        sqlite3_close(db);
        return result;
    }
};

TEST_F(CursorTest, EmptyAndClosedDatasets)
{
    Cursor& z = data.Zahlung_tt;
    EXPECT_TRUE(z.eof());
    EXPECT_EQ(z.recordCount(), 0);
    EXPECT_EQ(z.currentRow(), -1);
    EXPECT_EQ(z.field("Name").asString(), "");
    expectStoreError([&] { z.remove(); }, "Cannot perform this operation on an empty dataset");

    z.close();
    expectStoreError([&] { z.first(); }, "Cannot perform this operation on a closed dataset");
    expectStoreError([&] { z.append(); }, "Cannot perform this operation on a closed dataset");
}

TEST_F(CursorTest, EditOnAnEmptyTableBeginsANewRow)
{
    Cursor& s = data.Stamm_tt;
    ASSERT_EQ(s.recordCount(), 0);
    s.edit();
    EXPECT_EQ(s.state(), CursorState::Insert);
    s.field("Erstelldatum").setDate(dtazv::encodeDate(2026, 12, 11));
    s.post();
    EXPECT_EQ(rawQuery(stammTable(), "SELECT Erstelldatum, WAEHRUNG FROM stamm"),
              "2026-12-11|NULL;");
}

TEST_F(CursorTest, PendingNewRowsOnMoveAndOnPost)
{
    Cursor& z = data.Zahlung_tt;
    addTransfer("Erster");

    z.append(); // untouched, then moved away from: dropped
    EXPECT_EQ(z.recordCount(), 2);
    z.first();
    EXPECT_EQ(z.recordCount(), 1);

    z.append(); // typed into, then moved away from: stored
    z.field("Name").setString("Zweiter");
    z.first();
    EXPECT_EQ(names(z), (std::vector<std::string>{"Erster", "Zweiter"}));

    z.append(); // untouched but posted: stored as an empty transfer
    z.post();
    EXPECT_EQ(z.recordCount(), 3);
    EXPECT_EQ(z.field("Zaehler").asInteger(), 3);
    EXPECT_TRUE(z.field("Name").isNull());
}

TEST_F(CursorTest, EditCancelAndUnchangedWrites)
{
    Cursor& z = data.Zahlung_tt;
    addTransfer("Meier");
    expectStoreError([&] { z.field("Name").setString("x"); }, "not in edit or insert mode");
    z.edit();
    z.field("Name").setString("Schulze");
    z.cancel();
    EXPECT_EQ(z.field("Name").asString(), "Meier");

    z.edit();
    z.field("Name").setString("Meier"); // the same value: nothing to store
    EXPECT_FALSE(z.isModified());
    expectStoreError([&] { z.field("Zaehler").setInteger(9); }, "cannot be modified");
    expectStoreError([&] { z.field("Unbekannt"); }, "Field 'Unbekannt' not found");
}

TEST_F(CursorTest, DeleteMovesToTheFollowingOrThePreviousRow)
{
    Cursor& z = data.Zahlung_tt;
    for (const char* name : {"A", "B", "C"})
        addTransfer(name);
    z.first();
    z.next(); // B
    z.remove();
    EXPECT_EQ(z.field("Name").asString(), "C");
    z.remove(); // the last row: the one before becomes current
    EXPECT_EQ(z.field("Name").asString(), "A");
    EXPECT_FALSE(z.eof());
    z.append(); // deleting a row being added only drops the addition
    z.remove();
    EXPECT_EQ(z.recordCount(), 1);
    EXPECT_EQ(rawQuery(zahlungTable(), "SELECT Name FROM ZAHLUNG"), "A;");
}

TEST_F(CursorTest, BulkDeleteLoops)
{
    struct Case
    {
        const char* name;
        std::vector<bool> marks;
        std::vector<std::string> left;
        std::string current;
    };
    const Case cases[] = {
        {"last row marked", {false, true, false, true}, {"0", "2"}, "2"},
        {"all marked", {true, true}, {}, ""},
        {"none marked", {false, false}, {"0", "1"}, "1"},
        {"first rows marked", {true, true, false}, {"2"}, "2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Cursor& z = data.Zahlung_tt;
        for (z.first(); !z.eof();)
            z.remove();
        for (std::size_t i = 0; i < c.marks.size(); ++i)
            addTransfer(std::to_string(i), c.marks[i]);

        z.first();
        while (!z.eof()) {
            if (z.field("PRUEFEN").asBoolean())
                z.remove(); // the following row is current already
            else
                z.next();
        }
        EXPECT_EQ(z.field("Name").asString(), c.current);
        EXPECT_EQ(names(z), c.left);
    }

    Cursor& z = data.Zahlung_tt;
    for (int i = 0; i < 3; ++i)
        addTransfer("x");
    z.first();
    while (!z.eof())
        z.remove();
    EXPECT_EQ(z.recordCount(), 0);
    EXPECT_EQ(rawQuery(zahlungTable(), "SELECT count(*) FROM ZAHLUNG"), "0;");
}

TEST_F(CursorTest, TwoCursorsOverTransfersSeeEachOtherAfterRefresh)
{
    Cursor& import = data.Import_tt;
    const std::string thirty = "Abcdefghij Klmnopqrst Uvwxyzäö";
    import.append();
    import.field("Name").setString(thirty);
    import.field("Betrag").setFloat(12.5);
    import.field("Ausfuehrungsdatum").setString("2026-12-14");
    import.post();
    EXPECT_EQ(import.fieldCount(), 12);
    EXPECT_EQ(import.field("Name").asString(), thirty.substr(0, 27))
        << "27 wide in the import view";

    Cursor& z = data.Zahlung_tt;
    EXPECT_EQ(z.recordCount(), 0);
    z.refresh();
    ASSERT_EQ(z.recordCount(), 1);
    EXPECT_DOUBLE_EQ(z.field("BETRAG").asFloat(), 12.5);
    EXPECT_FALSE(z.field("PRUEFEN").asBoolean());
    EXPECT_TRUE(z.field("Hinweis").isNull());

    z.edit();
    z.field("Name").setString(thirty); // typed into the grid: stored whole
    z.post();
    EXPECT_EQ(z.field("Name").asString(), thirty);
    import.refresh();
    EXPECT_EQ(import.field("Name").asString(), thirty);
}

TEST_F(CursorTest, FieldsWithoutAFieldInTheCursorAreNeverTouched)
{
    addTransfer("Meier");
    EXPECT_EQ(data.Zahlung_tt.fieldIndex("Auftraggeber"), -1);
    EXPECT_EQ(data.Zahlung_tt.fieldIndex("VERWLANG"), -1);
    EXPECT_EQ(data.Zahlung_tt.fieldCount(), 24);
    EXPECT_EQ(data.Zahlung_tt.fieldInfo(1).name, "BLZNUM");
}

TEST_F(CursorTest, TextsAreCutToTheirWidthInCharacters)
{
    Cursor& z = data.Zahlung_tt;
    z.append();
    z.field("Name").setString(std::string(40, 'n'));
    z.field("Hinweis").setString(std::string(99, 'h') + "äö");
    z.field("TYP").setString("ÄÖÜ");
    z.field("Infofeld").setString("");
    z.post();
    EXPECT_EQ(z.field("Name").asString(), std::string(35, 'n'));
    EXPECT_EQ(z.field("Hinweis").asString(), std::string(99, 'h') + "ä");
    EXPECT_EQ(z.field("TYP").asString(), "ÄÖ");
    EXPECT_EQ(rawQuery(zahlungTable(), "SELECT Infofeld, typeof(PRUEFEN) FROM ZAHLUNG"),
              "NULL|null;")
        << "an empty text is stored as NULL";
}

TEST_F(CursorTest, ReadingEachKind)
{
    struct Case
    {
        double stored;
        int32_t asInteger;
        int64_t asLargeInt;
    };
    const Case cases[] = {
        {2.5, 2, 2},
        {3.5, 4, 4},
        {-2.5, -2, -2},
        {37040044.4, 37040044, 37040044},
        {9999999999.0, 1410065407, 9999999999}, // cut to 32 bits
        {4294967296.0, 0, 4294967296},
    };
    Cursor& a = data.Auftrag_tt;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.stored);
        a.append();
        a.field("KontoNr").setFloat(c.stored);
        a.post();
        EXPECT_EQ(a.field("KontoNr").asInteger(), c.asInteger);
        EXPECT_EQ(a.field("KontoNr").asLargeInt(), c.asLargeInt);
    }

    a.append();
    a.post(); // every field empty
    EXPECT_EQ(a.field("Name").asString(), "");
    EXPECT_EQ(a.field("BLZ").asInteger(), 0);
    EXPECT_DOUBLE_EQ(a.field("KontoNr").asFloat(), 0.0);
    EXPECT_FALSE(a.field("Bundesbankmeldung").asBoolean());
    data.Stamm_tt.edit();
    data.Stamm_tt.post();
    EXPECT_DOUBLE_EQ(data.Stamm_tt.field("DATUM").asDate(), 0.0);

    data.Stamm_tt.edit();
    data.Stamm_tt.field("Ausfuehrungstermin").setString("11.12.2026");
    data.Stamm_tt.field("BEGLEIT").setString("True");
    data.Stamm_tt.field("SUMME_EURO").setString("1234,56");
    data.Stamm_tt.post();
    EXPECT_DOUBLE_EQ(data.Stamm_tt.field("Ausfuehrungstermin").asDate(),
                     dtazv::encodeDate(2026, 12, 11));
    EXPECT_EQ(data.Stamm_tt.field("Ausfuehrungstermin").asString(), "2026-12-11");
    EXPECT_TRUE(data.Stamm_tt.field("BEGLEIT").asBoolean());
    EXPECT_DOUBLE_EQ(data.Stamm_tt.field("SUMME_EURO").asFloat(), 1234.56);

    data.Stamm_tt.edit();
    expectStoreError([&] { data.Stamm_tt.field("SUMME_EURO").setString("zwölf"); },
                     "'zwölf' is not a valid floating point value");
    expectStoreError([&] { data.Stamm_tt.field("DATUM").setString("31.04.2026"); },
                     "is not a valid date");
}

TEST_F(CursorTest, CurrencyTotalsAreExact)
{
    // 99,999 amounts of 5005.6447 and one of 5008.49 make 500564472.8453; added
    // as binary fractions they drift by more than half a cent.
    rawQuery(zahlungTable(),
             "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
             "WHERE i < 99999) "
             "INSERT INTO ZAHLUNG (Name, BETRAG) SELECT 'Lieferant', 5005.6447 FROM n");
    rawQuery(zahlungTable(), "INSERT INTO ZAHLUNG (Name, BETRAG) VALUES ('Letzter', 5008.49)");
    Cursor& z = data.Zahlung_tt;
    z.refresh();
    const int amount = z.fieldIndex("BETRAG");
    const Cursor::Summary summary = z.summarize(amount);
    EXPECT_EQ(summary.sum, 500564472.8453);
    EXPECT_EQ(summary.values, 100000);
    EXPECT_EQ(summary.min, 5005.6447);
    EXPECT_EQ(summary.max, 5008.49);

    // A pending change counts instead of the stored amount, as exactly.
    z.last();
    z.edit();
    z.field("BETRAG").setFloat(5005.6447);
    EXPECT_EQ(z.summarize(amount).sum, 500564470.0);
    z.field("BETRAG").clear();
    EXPECT_EQ(z.summarize(amount).sum, 500559464.3553);
    EXPECT_EQ(z.summarize(amount).values, 99999);
    z.cancel();
}

TEST_F(CursorTest, IndexOrderFollowsChanges)
{
    Cursor& z = data.Zahlung_tt;
    for (const char* name : {"meier", "Albers", "Zander", "", "becker"})
        addTransfer(name);
    z.setIndexName("Name");
    EXPECT_EQ(names(z), (std::vector<std::string>{"", "Albers", "becker", "meier", "Zander"}));

    z.first();
    z.next(); // Albers
    z.edit();
    z.field("Name").setString("Xaver");
    z.post();
    EXPECT_EQ(z.field("Name").asString(), "Xaver") << "the changed row stays current";
    EXPECT_EQ(z.currentRow(), 3);

    addTransfer("Anton"); // a new row takes its place in the order
    EXPECT_EQ(z.currentRow(), 1);
    z.setIndexName("");
    EXPECT_EQ(names(z),
              (std::vector<std::string>{"meier", "Xaver", "Zander", "", "becker", "Anton"}));
    expectStoreError([&] { z.setIndexName("Kein"); }, "has no index Kein");
}

TEST_F(CursorTest, FilterOnMarks)
{
    Cursor& z = data.Zahlung_tt;
    addTransfer("offen");
    addTransfer("markiert", true);
    z.append();
    z.field("Name").setString("nicht gesetzt"); // PRUEFEN stays NULL
    z.post();
    z.edit();
    z.field("PRUEFEN").setBoolean(false);
    z.field("PRUEFEN").clear();
    z.post();

    const struct
    {
        const char* expression;
        std::vector<std::string> shown;
    } cases[] = {
        {"pruefen<>True", {"offen", "nicht gesetzt"}},
        {"PRUEFEN = true", {"markiert"}},
        {"not (Pruefen = False) or name = 'offen'", {"offen", "markiert"}},
        {"Betrag > 5 and NAME <> 'markiert'", {"offen"}}, // an empty amount counts as 0
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.expression);
        z.setFilter(c.expression);
        z.setFiltered(true);
        EXPECT_EQ(names(z), c.shown);
        z.setFiltered(false);
        EXPECT_EQ(z.recordCount(), 3);
    }
    z.setFilter("pruefen<>");
    expectStoreError([&] { z.setFiltered(true); }, "Invalid filter");
    EXPECT_FALSE(z.isFiltered()) << "a filter that cannot be applied is not left on";
    EXPECT_EQ(z.recordCount(), 3);
    z.setFilter("Unbekannt = 1");
    expectStoreError([&] { z.setFiltered(true); }, "there is no field Unbekannt");
}

TEST_F(CursorTest, BankOfTheOrderingPartyIsLookedUp)
{
    tablegen::fillBankCodes((dir / "BLZ.ADT").string(), {{"37040044", "Commerzbank Köln", "50447",
                                                          "Köln", "13", "1", "COBADEFFXXX"}});
    data.BLZ_tt.refresh();
    Cursor& a = data.Auftrag_tt;
    a.append();
    a.field("BLZ").setFloat(37040044);
    EXPECT_EQ(a.field("Bank").asString(), "Commerzbank Köln");
    a.field("BLZ").setFloat(12345678);
    EXPECT_EQ(a.field("Bank").asString(), "");
    a.post();
    EXPECT_EQ(a.valueAt(0, a.fieldIndex("Bank")), Value{});
    expectStoreError([&] { a.edit(), a.field("Bank").setString("x"); }, "cannot be modified");
}

// Values another program stored into fields that cannot read them: reading
// raises (a command fails with that message), isReadableAs tells a view to
// show them empty, and a bank code that is no number names no bank.
TEST_F(CursorTest, ValuesOfTheWrongKindStoredByAnotherProgram)
{
    rawQuery(stammTable(), "INSERT INTO stamm (BEGLEIT, SUMME_EURO, DATUM, PROTOKOLL, ANZAHL, "
                           "WAEHRUNG) VALUES ('ja', 'zwölf', 1e308, 'TRUE', ' 12 ', 7)");
    rawQuery(auftraggeberTable(), "INSERT INTO auftraggeber (BLZ, KontoNr) VALUES ('3704OO44', "
                                  "x'00ff')");
    data.Stamm_tt.refresh();
    data.Auftrag_tt.refresh();
    const struct
    {
        Cursor& cursor;
        const char* field;
        bool readable;
    } cases[] = {
        {data.Stamm_tt, "BEGLEIT", false}, {data.Stamm_tt, "SUMME_EURO", false},
        {data.Stamm_tt, "DATUM", false},   {data.Stamm_tt, "PROTOKOLL", true},
        {data.Stamm_tt, "ANZAHL", true},   {data.Stamm_tt, "WAEHRUNG", true},
        {data.Auftrag_tt, "BLZ", false},   {data.Auftrag_tt, "KontoNr", false},
        {data.Auftrag_tt, "Name", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        const Field field = c.cursor.field(c.field);
        EXPECT_EQ(isReadableAs(field.value(), field.type()), c.readable);
        if (c.readable)
            continue;
        const auto read = [&] {
            if (field.type() == FieldType::Boolean)
                field.asBoolean();
            else if (field.type() == FieldType::Date)
                field.asDate();
            else
                field.asFloat();
        };
        EXPECT_THROW(read(), StoreError);
    }
    EXPECT_EQ(data.Auftrag_tt.field("Bank").asString(), "");
}

// Such a value stops a reader with a message that says where it is stored,
// and shows it printably: a NUL byte would end the message early wherever it
// is printed as a C string. Reading the current row and scanning all rows
// say the same.
TEST_F(CursorTest, UnreadableValuesAreNamedByTableRowAndField)
{
    for (const char* name : {"Erste", "Zweite", "Dritte"})
        addTransfer(name);
    const std::string where = "ZAHLUNG.ADT, row with Zaehler 2, field ";
    const struct Case
    {
        std::string column;
        std::string literal;
        std::string message;
    } cases[] = {
        {"BETRAG", "'abc'", where + "BETRAG: 'abc' is not a valid floating point value"},
        {"Ausfuehrungsdatum", "'0000-00-00'",
         where + "Ausfuehrungsdatum: '0000-00-00' is not a valid date value"},
        {"BETRAG", "x'31003200'",
         where + "BETRAG: '1\\x002\\x00' is not a valid floating point value"},
        {"PRUEFEN", "'vielleicht'", where + "PRUEFEN: 'vielleicht' is not a valid boolean value"},
        {"Ausfuehrungsdatum", "'" + std::string(500, '9') + "'",
         where + "Ausfuehrungsdatum: '" + std::string(40, '9') + "...' is not a valid date value"},
    };
    Cursor& z = data.Zahlung_tt;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.column + " = " + c.literal.substr(0, 20));
        rawQuery(zahlungTable(),
                 "UPDATE ZAHLUNG SET " + c.column + " = " + c.literal + " WHERE Zaehler = 2");
        z.refresh();
        const int index = z.fieldIndex(c.column);
        const auto expectMessage = [&](auto&& read) {
            try {
                read();
                ADD_FAILURE() << "no error raised";
            } catch (const StoreError& e) {
                EXPECT_EQ(std::string(e.what()), c.message);
            }
        };
        z.moveTo(1);
        const Field field = z.field(index);
        expectMessage([&] {
            if (field.type() == FieldType::Boolean)
                field.asBoolean();
            else if (field.type() == FieldType::Date)
                field.asDate();
            else
                field.asMoney();
        });
        expectMessage([&] {
            z.scan({index}, [&](const ScannedRow& row) {
                if (field.type() == FieldType::Boolean)
                    row.asBoolean(0);
                else if (field.type() == FieldType::Date)
                    row.asDate(0);
                else
                    row.asMoney(0);
            });
        });
        rawQuery(zahlungTable(), "UPDATE ZAHLUNG SET " + c.column + " = NULL");
    }

    // The settings table has no Zaehler: its row is counted.
    rawQuery(stammTable(), "INSERT INTO stamm (Erstelldatum) VALUES ('2026-02-30')");
    data.Stamm_tt.refresh();
    expectStoreError(
        [&] { data.Stamm_tt.field("Erstelldatum").asDate(); },
        "stamm.ADT, row 1, field Erstelldatum: '2026-02-30' is not a valid date value");
}

struct Recorder final : CursorListener
{
    std::vector<std::string> events;
    void cursorReset() override { events.push_back("reset"); }
    void rowsInserted(int first, int) override
    {
        events.push_back("inserted " + std::to_string(first));
    }
    void rowsRemoved(int first, int) override
    {
        events.push_back("removed " + std::to_string(first));
    }
    void rowChanged(int row) override { events.push_back("changed " + std::to_string(row)); }
    void currentRowChanged(int row) override { events.push_back("current " + std::to_string(row)); }
};

TEST_F(CursorTest, ListenersFollowChangesUnlessDetached)
{
    Cursor& z = data.Zahlung_tt;
    addTransfer("A");
    Recorder recorder;
    z.addListener(&recorder);
    z.append();
    z.field("Name").setString("B");
    z.post();
    z.remove();
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"inserted 1", "current 1", "changed 1",
                                                         "changed 1", "removed 1", "current 0"}));

    recorder.events.clear();
    std::vector<bool> busy;
    data.setBusyHook([&](bool on) { busy.push_back(on); });
    try {
        BulkRun run(data);
        for (z.first(); !z.eof(); z.next()) {
            z.edit();
            z.field("Hinweis").setString("geprüft");
            z.post();
        }
        throw std::runtime_error("stop");
    } catch (const std::runtime_error&) {
    }
    EXPECT_EQ(recorder.events, (std::vector<std::string>{"reset", "current 0"}));
    EXPECT_EQ(busy, (std::vector<bool>{true, false}));
    EXPECT_FALSE(z.controlsDisabled());
    z.removeListener(&recorder);
}

TEST_F(CursorTest, PostPendingEditsStoresEvenAnUntouchedNewTransfer)
{
    data.Stamm_tt.append();
    data.Stamm_tt.post();
    data.Stamm_tt.edit();
    data.Stamm_tt.field("WAEHRUNG").setString("EUR");
    data.Auftrag_tt.append();
    data.Auftrag_tt.field("Name").setString("Muster GmbH");
    data.Zahlung_tt.append();
    data.PostPendingEdits();
    for (Cursor* c : data.cursorsInOpeningOrder())
        EXPECT_EQ(c->state(), CursorState::Browse) << c->name();
    EXPECT_EQ(rawQuery(zahlungTable(), "SELECT Zaehler, Name FROM ZAHLUNG"), "1|NULL;");
    EXPECT_EQ(rawQuery(auftraggeberTable(), "SELECT Name FROM auftraggeber"), "Muster GmbH;");
    EXPECT_EQ(rawQuery(stammTable(), "SELECT WAEHRUNG FROM stamm"), "EUR;");
}

TEST_F(CursorTest, RowOfIdFollowsAppendsAndDeletesInEveryOrder)
{
    for (const char* index : {"", "NAME"}) {
        Cursor& z = data.Zahlung_tt;
        z.setIndexName(index);
        for (const char* name : {"d", "b", "e", "a", "c"})
            addTransfer(name);
        z.moveTo(1);
        z.remove();
        addTransfer("f");
        for (int row = 0; row < z.recordCount(); ++row)
            EXPECT_EQ(z.rowOfId(z.rowIdAt(row)), row) << index << " row " << row;
        EXPECT_EQ(z.rowOfId(0), -1);
        EXPECT_EQ(z.rowOfId(z.rowIdAt(z.recordCount() - 1) + 1), -1);
        for (z.first(); z.recordCount() > 0;)
            z.remove();
    }
}

} // namespace
} // namespace store
