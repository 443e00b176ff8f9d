#include "StoreFixture.h"

#include <fstream>
#include <sqlite3.h>
#include <sys/wait.h>
#include <unistd.h>

namespace store {
namespace {

using test::expectStoreError;

class Opening : public test::StoreFixture
{};

TEST_F(Opening, CursorsOpenInTheirOrderAndStopAtAMissingFile)
{
    std::filesystem::remove(dir / "BLZ.ADT");
    expectStoreError([&] { data.openAll(); }, "The table file BLZ.ADT is missing");
    EXPECT_TRUE(data.Zahlung_tt.isOpen());
    EXPECT_TRUE(data.Auftrag_tt.isOpen());
    EXPECT_FALSE(data.BLZ_tt.isOpen());
    EXPECT_FALSE(data.Stamm_tt.isOpen()) << "the remaining cursors stay closed";
    EXPECT_FALSE(std::filesystem::exists(dir / "BLZ.ADT")) << "the program never creates a table";
    EXPECT_EQ(data.Auftrag_tt.field("Bank").asString(), "");
}

TEST_F(Opening, FilesThatAreNotTheExpectedTable)
{
    struct Case
    {
        const char* name;
        const char* sql; // run on a fresh waehrung.adt; empty: write garbage instead
        const char* message;
    };
    const Case cases[] = {
        {"not a database", "", "waehrung.adt is damaged or not a table file"},
        {"another table", "CREATE TABLE other (x)",
         "waehrung.adt is not a table of the expected "
         "shape: it holds no table waehrung"},
        {"a column missing", "CREATE TABLE waehrung (Zaehler INTEGER PRIMARY KEY, Code TEXT)",
         "the column Waehrung is missing"},
        {"a column renamed",
         "CREATE TABLE waehrung (Zaehler INTEGER PRIMARY KEY, Kode TEXT, Waehrung TEXT)",
         "column 2 is Kode instead of Code"},
        {"a wrong type",
         "CREATE TABLE waehrung (Zaehler INTEGER PRIMARY KEY, Code REAL, Waehrung TEXT)",
         "column Code has the type REAL instead of TEXT"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        data.pointAt(dir.string());
        const auto path = dir / "waehrung.adt";
        std::filesystem::remove(path);
        if (*c.sql == '\0') {
            std::ofstream(path) << "Dies ist keine Tabelle, sondern nur ein Text.";
        } else {
            sqlite3* db = nullptr;
            sqlite3_open(path.c_str(), &db);
            sqlite3_exec(db, c.sql, nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        expectStoreError([&] { data.WH_TT.open(); }, c.message);
        EXPECT_FALSE(data.WH_TT.isOpen());
    }
}

// The program never writes into a file it rejects: neither an SQLite header
// into an empty file, nor the switch to write-ahead logging, nor the -wal and
// -shm files that SQLite keeps beside a file in that mode.
TEST_F(Opening, RejectedFilesAreLeftAsTheyWere)
{
    struct Case
    {
        const char* name;
        const char* sql; // run on a fresh waehrung.adt in the given journal mode
        const char* journalMode;
        const char* content; // written instead when there is no SQL
        const char* message;
    };
    const Case cases[] = {
        {"an empty file", "", "", "", "waehrung.adt is empty"},
        {"a text file", "", "", "Dies ist keine Tabelle.\n",
         "waehrung.adt is damaged or not a table file"},
        {"another table", "CREATE TABLE other (x)", "DELETE", "", "it holds no table waehrung"},
        {"a column missing, in write-ahead-log mode",
         "CREATE TABLE waehrung (Zaehler INTEGER PRIMARY KEY, Code TEXT)", "WAL", "",
         "the column Waehrung is missing"},
    };
    const auto path = dir / "waehrung.adt";
    const auto read = [](const std::filesystem::path& file) {
        std::ifstream in(file, std::ios::binary);
        return std::string(std::istreambuf_iterator<char>(in), {});
    };
    const auto companions = [&] {
        std::vector<std::string> found;
        for (const char* ending : {"-wal", "-shm", "-journal"}) {
            if (std::filesystem::exists(path.string() + ending))
                found.push_back(ending);
        }
        return found;
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        data.pointAt(dir.string());
        std::filesystem::remove(path);
        if (*c.sql == '\0') {
            std::ofstream(path, std::ios::binary) << c.content;
        } else {
            sqlite3* db = nullptr;
            sqlite3_open(path.c_str(), &db);
            sqlite3_exec(db, (std::string("PRAGMA journal_mode = ") + c.journalMode).c_str(),
                         nullptr, nullptr, nullptr);
            sqlite3_exec(db, c.sql, nullptr, nullptr, nullptr);
            sqlite3_close(db);
        }
        ASSERT_TRUE(companions().empty());
        const std::string before = read(path);

        expectStoreError([&] { data.WH_TT.open(); }, c.message);
        // Compared whole, reported by size: the bytes themselves say little.
        const auto expectUnchanged = [&](const char* when) {
            const std::string after = read(path);
            EXPECT_TRUE(after == before)
                << when << ": the rejected file is changed, " << before.size() << " bytes before, "
                << after.size() << " after";
        };
        expectUnchanged("while the program runs");
        EXPECT_EQ(companions(), std::vector<std::string>{}) << "while the program runs";
        data.pointAt(dir.string());
        data.connection.disconnect();
        expectUnchanged("after the connection is closed");
        EXPECT_EQ(companions(), std::vector<std::string>{}) << "after the connection is closed";
    }
}

TEST_F(Opening, AcceptedFileIsSwitchedToWriteAheadLog)
{
    const auto path = dir / "waehrung.adt";
    sqlite3* db = nullptr;
    sqlite3_open(path.c_str(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode = DELETE", nullptr, nullptr, nullptr);
    sqlite3_close(db);
    data.WH_TT.open();
    EXPECT_TRUE(data.WH_TT.isOpen());
    data.connection.disconnect();
    sqlite3_open(path.c_str(), &db);
    sqlite3_stmt* mode = nullptr;
    sqlite3_prepare_v2(db, "PRAGMA journal_mode", -1, &mode, nullptr);
    ASSERT_EQ(sqlite3_step(mode), SQLITE_ROW);
    EXPECT_STREQ(reinterpret_cast<const char*>(sqlite3_column_text(mode, 0)), "wal");
    sqlite3_finalize(mode);
    sqlite3_close(db);
}

TEST_F(Opening, TableLockedByAnotherProcessGivesAClearMessage)
{
    data.openAll();
    addTransfer("vorher");

    int toChild[2], toParent[2];
    ASSERT_EQ(pipe(toChild), 0);
    ASSERT_EQ(pipe(toParent), 0);
    const pid_t child = fork();
    ASSERT_GE(child, 0);
    if (child == 0) {
        sqlite3* db = nullptr;
        sqlite3_open((dir / "ZAHLUNG.ADT").c_str(), &db);
        const int locked = sqlite3_exec(db, "BEGIN IMMEDIATE", nullptr, nullptr, nullptr);
        const char ready = locked == SQLITE_OK ? 'y' : 'n';
        [[maybe_unused]] auto written = write(toParent[1], &ready, 1);
        char done;
        [[maybe_unused]] auto got = read(toChild[0], &done, 1);
        sqlite3_exec(db, "ROLLBACK", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        _exit(0);
    }
    char ready = 0;
    ASSERT_EQ(read(toParent[0], &ready, 1), 1);
    ASSERT_EQ(ready, 'y');

    Cursor& z = data.Zahlung_tt;
    z.edit();
    z.field("Name").setString("nachher");
    expectStoreError([&] { z.post(); }, "The table ZAHLUNG.ADT is locked by another program");
    EXPECT_EQ(z.state(), CursorState::Edit) << "the change stays pending";

    const char done = 'x';
    ASSERT_EQ(write(toChild[1], &done, 1), 1);
    int status = 0;
    waitpid(child, &status, 0);
    z.post();
    z.refresh();
    EXPECT_EQ(names(z), std::vector<std::string>{"nachher"});
    for (int fd : {toChild[0], toChild[1], toParent[0], toParent[1]})
        close(fd);
}

TEST(BundesbankFile, RecordsOfBothLengthsAreRead)
{
    const auto path = std::filesystem::temp_directory_path() / "tarvion-blz-test.txt";
    // Two records laid out by position, in ISO-8859-1 with CR LF.
    auto record = [](std::string blz, char mark, std::string name, std::string plz,
                     std::string town, std::string shortName, std::string bic, std::string method) {
        auto pad = [](std::string s, std::size_t n) { return s.append(n - s.size(), ' '); };
        return blz + mark + pad(name, 58) + plz + pad(town, 35) + pad(shortName, 27) + "12345" +
               pad(bic, 11) + method + "000001" + "U" + "0" + "00000000";
    };
    std::ofstream(path, std::ios::binary)
        << record("37040044", '1', "Commerzbank", "50447", "K\xF6ln", "Commerzbank K\xF6ln",
                  "COBADEFFXXX", "13")
        << "\r\n"
        << record("10000000", '2', "Bundesbank", "10591", "Berlin-Mitte-Ost-Sued-West-Nord-End",
                  "BBk Berlin", "MARKDEF1100", "09")
        << "000000\r\n";
    const auto rows = tablegen::readBundesbankFile(path.string());
    std::filesystem::remove(path);
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].blz, "37040044");
    EXPECT_EQ(rows[0].name, "Commerzbank Köln");
    EXPECT_EQ(rows[0].plz, "50447");
    EXPECT_EQ(rows[0].ort, "Köln");
    EXPECT_EQ(rows[0].przIff, "13");
    EXPECT_EQ(rows[0].kzHst, "1");
    EXPECT_EQ(rows[0].bic, "COBADEFFXXX");
    EXPECT_EQ(rows[1].ort, "Berlin-Mitte-Ost-Sued-West-") << "cut to 27 characters";
    EXPECT_EQ(rows[1].kzHst, "2");
}

TEST(DeliveredTables, AreReadyInTheProgramFolder)
{
    PaymentStore data;
    data.pointAt(TARVION_PROGRAM_DIR);
    data.openAll();
    EXPECT_GT(data.BLZ_tt.recordCount(), 10000);
    data.BLZ_tt.first();
    const std::string firstCode = data.BLZ_tt.field("BLZ").asString();
    data.BLZ_tt.next();
    EXPECT_LE(firstCode, data.BLZ_tt.field("BLZ").asString()) << "in bank-code order";

    bool euro = false;
    for (data.WH_TT.first(); !data.WH_TT.eof(); data.WH_TT.next())
        euro = euro || (data.WH_TT.field("Code").asString() == "EUR" &&
                        data.WH_TT.field("Waehrung").asString() == "Euro");
    EXPECT_TRUE(euro);
    ASSERT_EQ(data.Stamm_tt.recordCount(), 1);
    EXPECT_EQ(data.Stamm_tt.field("WAEHRUNG").asString(), "EUR");
}

} // namespace
} // namespace store
