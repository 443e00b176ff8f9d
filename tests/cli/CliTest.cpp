#include "StoreFixture.h"
#include "language/IniFile.h"

#include <cstdio>
#include <fstream>
#include <sys/wait.h>
#include <thread>

namespace {

struct CliRun
{
    int exitCode = -1;
    std::string output;
};

CliRun runCli(const std::string& arguments)
{
    CliRun run;
    FILE* pipe = popen((std::string(TARVION_CLI) + " " + arguments + " 2>&1").c_str(), "r");
    if (!pipe)
        return run;
    char buffer[4096];
    while (const std::size_t n = fread(buffer, 1, sizeof buffer, pipe))
        run.output.append(buffer, n);
    const int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

class Cli : public store::test::StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        tablegen::fillDefaultSettings((dir / "stamm.ADT").string());
        data.openAll();
        store::Cursor& a = data.Auftrag_tt;
        for (const char* name : {"Erste GmbH", ""}) {
            a.append();
            a.field("Name").setString(name);
            a.field("BLZ").setFloat(37040044);
            a.field("KontoNr").setFloat(532013000);
            a.post();
        }
        addTransfer("Meier");
        data.Zahlung_tt.edit();
        data.Zahlung_tt.field("IBAN").setString("DE89 3704 0044 0532 0130 00");
        data.Zahlung_tt.field("BIC").setString("COBADEFFXXX");
        data.Zahlung_tt.post();
        addTransfer("Schulze", false, 0.5);
        data.pointAt(dir.string()); // the tool works on the files alone
    }

    std::string dataOption() const { return "--data " + dir.string(); }
};

TEST_F(Cli, CheckPrintsTheCertificateAndStoresTheResults)
{
    const CliRun run = runCli("check " + dataOption());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("  Remark date                 OK"), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("!   Amount < 1 EUR            1 ( wird nicht ausgeführt )"),
              std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("    Missing payee name        keine"), std::string::npos)
        << run.output;
    EXPECT_NE(run.output.find("Schulze"), std::string::npos);
    EXPECT_NE(run.output.find("< Betrag kleiner als 1 EUR >"), std::string::npos);
    EXPECT_EQ(run.output.find("Meier "), std::string::npos) << "only marked transfers are listed";

    data.openAll();
    data.Zahlung_tt.first();
    EXPECT_EQ(data.Zahlung_tt.field("IBAN").asString(), "DE89370400440532013000");
    EXPECT_FALSE(data.Zahlung_tt.field("PRUEFEN").asBoolean());
    data.Zahlung_tt.next();
    EXPECT_TRUE(data.Zahlung_tt.field("PRUEFEN").asBoolean());
}

TEST_F(Cli, VerdictNoExitsWithTwoInTheStoredLanguage)
{
    language::IniFile ini;
    ini.setValue("Sprache", "Sprache", "English");
    ini.save((dir / "VIZUZAR.INI").string());
    data.openAll();
    addTransfer("");
    data.pointAt(dir.string());
    const CliRun run =
        runCli("check --party 2 --created 2026-12-11 --execute 2026-12-28 " + dataOption());
    EXPECT_EQ(run.exitCode, 2) << run.output;
    EXPECT_NE(run.output.find("Das Ausführungsdatum darf max. 15 Tage nach dem Erstellungsdatum "
                              "liegen !"),
              std::string::npos)
        << "the execution-date rule warns";
    EXPECT_NE(run.output.find("Client incorrect ! "), std::string::npos) << run.output;
    EXPECT_NE(run.output.find("lies more than 15 days after the date of preparation !"),
              std::string::npos);
    EXPECT_NE(run.output.find("!   Missing payee name        1 ( does not implement )"),
              std::string::npos)
        << "a transfer left out for its missing name is counted";
    EXPECT_NE(run.output.find("! DTAZV file cannot be provided !"), std::string::npos);
}

TEST_F(Cli, CreateWritesTheFileAndTheReports)
{
    for (const char* name : {"Begleitzettel.rtm", "Protokoll.rtm"})
        std::filesystem::copy_file(std::filesystem::path(TARVION_DATA_SOURCE) / name, dir / name);
    const std::string out = (dir / "DTAZV").string();
    const std::string note = (dir / "note.pdf").string();
    const CliRun run = runCli("create --out " + out + " --note " + note + " " + dataOption());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("1 transfers, sum 10.00, written to " + out), std::string::npos)
        << run.output;
    EXPECT_EQ(std::filesystem::file_size(out), 512u + 768u);
    EXPECT_TRUE(std::filesystem::exists(note));
    EXPECT_FALSE(std::filesystem::exists(dir / "journal.pdf"));

    const CliRun refused = runCli("create --party 2 --out " + out + " " + dataOption());
    EXPECT_EQ(refused.exitCode, 2) << refused.output;
    EXPECT_NE(refused.output.find("Auftraggebername fehlt!"), std::string::npos);
    EXPECT_EQ(runCli("create " + dataOption()).exitCode, 1) << "--out is needed";
}

TEST_F(Cli, RunsToOnePathAtOnceLeaveOneWholeFile)
{
    // A second program folder whose run writes three transfers instead of one.
    const std::filesystem::path other = dir.string() + "-other";
    std::filesystem::create_directories(other);
    for (const auto& entry : std::filesystem::directory_iterator(dir))
        std::filesystem::copy_file(entry.path(), other / entry.path().filename());
    const std::string out = (dir / "DTAZV").string();
    for (int round = 0; round < 5; ++round) {
        CliRun first, second;
        std::thread a([&] { first = runCli("create --out " + out + " " + dataOption()); });
        std::thread b(
            [&] { second = runCli("create --out " + out + " --data " + other.string()); });
        a.join();
        b.join();
        EXPECT_EQ(first.exitCode, 0) << first.output;
        EXPECT_EQ(second.exitCode, 0) << second.output;
        const auto size = std::filesystem::file_size(out);
        EXPECT_EQ(size, 512u + 768u) << "round " << round;
        for (const auto& entry : std::filesystem::directory_iterator(dir))
            EXPECT_NE(entry.path().extension(), ".partial") << "an unfinished file is left";
    }
    std::filesystem::remove_all(other);
}

TEST_F(Cli, BrokenReportTemplateFailsTheCommandButKeepsTheFile)
{
    std::filesystem::copy_file(std::filesystem::path(TARVION_DATA_SOURCE) / "Protokoll.rtm",
                               dir / "Protokoll.rtm");
    std::FILE* broken = std::fopen((dir / "Begleitzettel.rtm").c_str(), "w");
    std::fputs("{ kaputt", broken);
    std::fclose(broken);
    const std::string out = (dir / "DTAZV").string();
    const CliRun run = runCli("create --out " + out + " --note " + (dir / "note.pdf").string() +
                              " --journal " + (dir / "journal.pdf").string() + " " + dataOption());
    EXPECT_EQ(run.exitCode, 1) << run.output;
    EXPECT_NE(run.output.find("Nicht gedruckt: Begleitzettel."), std::string::npos) << run.output;
    EXPECT_EQ(std::filesystem::file_size(out), 512u + 768u);
    EXPECT_FALSE(std::filesystem::exists(dir / "note.pdf"));
    EXPECT_TRUE(std::filesystem::exists(dir / "journal.pdf"));
}

TEST_F(Cli, ErrorsAndHelp)
{
    EXPECT_EQ(runCli("--help").exitCode, 0);
    EXPECT_NE(runCli("--help").output.find("usage: tarvion-cli"), std::string::npos);
    const CliRun unknown = runCli("check --party 9 " + dataOption());
    EXPECT_EQ(unknown.exitCode, 1);
    EXPECT_NE(unknown.output.find("there is no ordering party 9"), std::string::npos);
    std::filesystem::remove(dir / "stamm.ADT");
    const CliRun missing = runCli("check " + dataOption());
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_NE(missing.output.find("stamm.ADT is missing"), std::string::npos) << missing.output;
    EXPECT_EQ(runCli("frobnicate " + dataOption()).exitCode, 1);
}

TEST_F(Cli, MalformedOptionValuesNameTheOptionAndTheValue)
{
    const struct Case
    {
        std::string arguments;
        std::string option;
        std::string value; // empty when the value is missing
    } cases[] = {
        {"--party abc", "--party", "abc"},
        {"--party 2x", "--party", "2x"},
        {"--party 99999999999999999999", "--party", "99999999999999999999"},
        {"--created 2026-13-45", "--created", "2026-13-45"},
        {"--created gestern", "--created", "gestern"},
        {"--execute 2026-02-30", "--execute", "2026-02-30"},
        {"--execute 11.12.2026x", "--execute", "11.12.2026x"},
        {"--party --created 2026-12-11", "--party", ""},
        {"--execute", "--execute", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        const CliRun run = runCli("check " + dataOption() + " " + c.arguments);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.output.rfind("tarvion-cli: ", 0), 0u) << run.output;
        EXPECT_NE(run.output.find(c.option), std::string::npos) << run.output;
        if (!c.value.empty())
            EXPECT_NE(run.output.find("'" + c.value + "'"), std::string::npos) << run.output;
        else
            EXPECT_NE(run.output.find("needs a value"), std::string::npos) << run.output;
    }
}

// Values another program stored in a form their field cannot be read as: a
// transfer with one is left out of the file with a remark; where the command
// itself needs such a value, it stops and says where the value is stored.
TEST_F(Cli, UnreadableValuesAreMarkedOrNamed)
{
    data.openAll();
    addTransfer("Wagner", false, 20.0);
    data.Zahlung_tt.edit();
    data.Zahlung_tt.field("IBAN").setString("DE89370400440532013000");
    data.Zahlung_tt.field("BIC").setString("COBADEFFXXX");
    data.Zahlung_tt.post();
    const int64_t wagner = data.Zahlung_tt.currentRowId();
    data.pointAt(dir.string());

    struct Expected
    {
        int exitCode;
        std::string output;
    };
    const struct Case
    {
        const char* table;
        std::string assignment;
        Expected check;
        Expected create;
    } cases[] = {
        {"ZAHLUNG",
         "BETRAG = 'abc' WHERE Zaehler = " + std::to_string(wagner),
         {0, "Wagner" + std::string(35 - 6, ' ') + "  < Betrag nicht lesbar > \n"},
         {0, "1 transfers, sum 10.00"}},
        {"ZAHLUNG",
         "BETRAG = x'310030' WHERE Zaehler = " + std::to_string(wagner),
         {0, "< Betrag nicht lesbar >"},
         {0, "1 transfers, sum 10.00"}},
        {"ZAHLUNG",
         "Ausfuehrungsdatum = '0000-00-00' WHERE Zaehler = " + std::to_string(wagner),
         {0, "< Ausführungsdatum nicht lesbar >"},
         {0, "1 transfers, sum 10.00"}},
        {"auftraggeber",
         "Zahlung50T = x'00'",
         {1, "tarvion-cli: auftraggeber.adt, row with Zaehler 1, field Zahlung50T: '\\x00' is "
             "not a valid boolean value\n"},
         {1, "tarvion-cli: auftraggeber.adt, row with Zaehler 1, field Zahlung50T: '\\x00' is "
             "not a valid boolean value\n"}},
        {"stamm",
         "Meldepflicht = 'abc'",
         {1, "tarvion-cli: stamm.ADT, row 1, field Meldepflicht: 'abc' is not a valid boolean "
             "value"},
         {1, "tarvion-cli: stamm.ADT, row 1, field Meldepflicht: 'abc' is not a valid boolean "
             "value"}},
        {"auftraggeber",
         "Bundesbankmeldung = 'vielleicht'",
         {0, "Tarvion - Test certificate"},
         {1, "auftraggeber.adt, row with Zaehler 1, field Bundesbankmeldung: 'vielleicht' is "
             "not a valid boolean value"}},
    };
    const std::filesystem::path copy = dir.string() + "-damaged";
    for (const Case& c : cases) {
        for (const bool creating : {false, true}) {
            SCOPED_TRACE(std::string(creating ? "create: " : "check: ") + c.assignment);
            std::filesystem::remove_all(copy);
            std::filesystem::create_directories(copy);
            for (const auto& entry : std::filesystem::directory_iterator(dir))
                std::filesystem::copy_file(entry.path(), copy / entry.path().filename());
            data.pointAt(copy.string());
            data.openAll();
            store::Statement(data.connection.handle(),
                             std::string("UPDATE \"") + c.table + "\".\"" + c.table + "\" SET " +
                                 c.assignment,
                             c.table)
                .run();
            data.pointAt(copy.string());

            const Expected& expected = creating ? c.create : c.check;
            const CliRun run = runCli(creating ? "create --out " + (copy / "DTAZV").string() +
                                                     " --data " + copy.string()
                                               : "check --data " + copy.string());
            EXPECT_EQ(run.exitCode, expected.exitCode) << run.output;
            EXPECT_NE(run.output.find(expected.output), std::string::npos) << run.output;
        }
    }
    data.pointAt(dir.string());
    std::filesystem::remove_all(copy);
}

class CliImport : public Cli
{
protected:
    // The tool takes the separators of amounts from the system; a C/POSIX
    // system counts as German ("1.234,56").
    void SetUp() override
    {
        setenv("LC_ALL", "C.UTF-8", 1);
        Cli::SetUp();
    }

    // A semicolon file in Windows-1252 as an accounting system exports it.
    std::string source(const std::string& rows)
    {
        const std::string path = (dir / "export.csv").string();
        std::ofstream(path, std::ios::binary) << "Empf\xE4nger;Betrag;IBAN;Datum\r\n" << rows;
        return path;
    }

    std::vector<std::string> storedNames()
    {
        data.openAll();
        std::vector<std::string> result = names(data.Zahlung_tt);
        data.pointAt(dir.string());
        return result;
    }

    static constexpr const char* kTextOptions =
        " --delimiter ';' --map Name=Empfänger --map Betrag=Betrag"
        " --map IBAN=3 --map Ausführungsdatum=Datum ";
};

TEST_F(CliImport, CopyReplacesTheTransfersAndCountsThem)
{
    const std::string file = source("M\xFCller;1.234,56 \x80;DE89 3704 0044;18.12.2026\r\n"
                                    "Dupont;12,50;FR76;01.02.2027\r\n");
    const CliRun run = runCli("import " + file + kTextOptions + dataOption());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("2 transfers imported"), std::string::npos) << run.output;

    data.openAll();
    store::Cursor& z = data.Zahlung_tt;
    ASSERT_EQ(z.recordCount(), 2);
    z.first();
    EXPECT_EQ(z.field("Name").asString(), "Müller");
    EXPECT_EQ(z.field("BETRAG").asMoney(), store::Money::fromUnits(12345600));
    EXPECT_EQ(z.field("IBAN").asString(), "DE89 3704 0044");
    EXPECT_EQ(store::formatIsoDate(z.field("Ausfuehrungsdatum").asDate()), "2026-12-18");
    data.pointAt(dir.string());
}

TEST_F(CliImport, ARefusedRunNamesTheRowAndChangesNothing)
{
    const std::string file =
        source("A;1,00;;01.01.2027\r\nB;2,00;;01.01.2027\r\nC;2,0O;;01.01.2027\r\n");
    for (const char* mode : {"copy", "append"}) {
        const CliRun run =
            runCli("import " + file + kTextOptions + "--mode " + mode + " " + dataOption());
        EXPECT_EQ(run.exitCode, 1) << run.output;
        EXPECT_NE(run.output.find("Line 4, column \"Betrag\": the value \"2,0O\" is not an amount"),
                  std::string::npos)
            << run.output;
        EXPECT_EQ(storedNames(), (std::vector<std::string>{"Meier", "Schulze"})) << mode;
    }
}

TEST_F(CliImport, MatchingModeByKeyAndLabelsOfTheStoredLanguage)
{
    language::IniFile ini;
    ini.setValue("Sprache", "Sprache", "English");
    ini.save((dir / "VIZUZAR.INI").string());
    const std::string file = (dir / "update.txt").string();
    std::ofstream(file, std::ios::binary) << "Meier neu\t99,00\tDE89 3704 0044 0532 0130 00\r\n";
    const CliRun run = runCli("import " + file +
                              " --no-header --decimal , --mode update --key iban --map Name=1"
                              " --map Amount=2 --map IBAN=3 " +
                              dataOption());
    EXPECT_EQ(run.exitCode, 0) << run.output;
    EXPECT_NE(run.output.find("0 transfers imported, 1 updated, 0 deleted"), std::string::npos)
        << run.output;
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Meier neu", "Schulze"}));
}

TEST_F(CliImport, RefusesWhatItCannotDoYet)
{
    const std::string file = source("A;1,00;;01.01.2027\r\n");
    struct Case
    {
        std::string arguments;
        const char* message;
    } cases[] = {
        {"import " + (dir / "book.xlsx").string(), "the format xlsx is not yet supported"},
        {"import " + file + " --format ods", "the format ods is not yet supported"},
        {"import " + file + " --format pdf", "--format: 'pdf' is not text"},
        {"import " + file + " --spec Monat", "specifications are not yet supported"},
        {"import " + file + " --sheet 2", "do not apply to text files"},
        {"import " + file + " --mode merge", "--mode: 'merge' is not copy"},
        {"import " + file + " --map Konto=1", "--map: 'Konto' is not a field of the import"},
        {"import " + file + " --map Name", "--map: 'Name' is not FIELD=COLUMN"},
        {"import " + file + " --delimiter ';;' --map Name=1", "--delimiter: ';;' is not one"},
        {"import " + file + " --fixed 1,x --map Name=1", "--fixed: 'x' is not a whole number"},
        {"import " + file + " --date-order DDMM", "--date-order: 'DDMM' is not DMY"},
        {"import", "import needs the FILE to read"},
        {"check --mode append", "the import options apply to the import command only"},
    };
    for (const Case& c : cases) {
        const CliRun run = runCli(c.arguments + " " + dataOption());
        EXPECT_EQ(run.exitCode, 1) << c.arguments << "\n" << run.output;
        EXPECT_NE(run.output.find(c.message), std::string::npos) << c.arguments << "\n"
                                                                 << run.output;
    }
    EXPECT_EQ(storedNames(), (std::vector<std::string>{"Meier", "Schulze"}));
}

} // namespace
