#include "exchange/ImportRun.h"

#include "StoreFixture.h"
#include "exchange/DelimitedTextReader.h"
#include "exchange/FixedWidthReader.h"

#include <fstream>

namespace exchange {
namespace {

using store::Cursor;

struct Transfer
{
    std::string name;
    double amount;
    friend bool operator==(const Transfer&, const Transfer&) = default;
    friend std::ostream& operator<<(std::ostream& out, const Transfer& t)
    {
        return out << t.name << " " << t.amount;
    }
};

class ImportRunTest : public store::test::StoreFixture
{
protected:
    void SetUp() override
    {
        StoreFixture::SetUp();
        tablegen::fillDefaultSettings((dir / "stamm.ADT").string());
        data.openAll();
    }

    std::string writeSource(const std::string& bytes)
    {
        const std::string path = (dir / "source.csv").string();
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }

    ImportResult import(SourceReader& reader, const std::string& path,
                        const ImportSettings& settings, const ImportProgress& progress = {})
    {
        std::unique_ptr<RowStream> rows = reader.open(path, 0);
        if (!rows) {
            ADD_FAILURE() << reader.lastError();
            return {};
        }
        return ImportRun(data, settings).run(*rows, progress);
    }

    // A semicolon file with a title row "Name;Betrag;IBAN".
    ImportResult importRows(const std::string& body, const ImportSettings& settings,
                            const ImportProgress& progress = {})
    {
        DelimitedTextReader reader;
        reader.options.delimiter = ';';
        return import(reader, writeSource("Name;Betrag;IBAN\r\n" + body), settings, progress);
    }

    static ImportSettings settingsFor(ImportMode mode, std::vector<std::string> keys = {})
    {
        ImportSettings settings;
        settings.mode = mode;
        settings.mapping = {{"Name", "Name"}, {"Betrag", "Betrag"}, {"IBAN", "IBAN"}};
        settings.keyFields = std::move(keys);
        return settings;
    }

    std::vector<Transfer> transfers()
    {
        std::vector<Transfer> result;
        Cursor& z = data.Zahlung_tt;
        for (z.first(); !z.eof(); z.next())
            result.push_back({z.field("Name").asString(), z.field("BETRAG").asFloat()});
        return result;
    }

    void addTransfers(int count)
    {
        for (int i = 1; i <= count; ++i)
            addTransfer("Alt " + std::to_string(i), false, i);
    }

    std::string field(const char* name) { return data.Zahlung_tt.field(name).asString(); }
    std::string date()
    {
        return store::formatIsoDate(data.Zahlung_tt.field("Ausfuehrungsdatum").asDate());
    }
};

TEST_F(ImportRunTest, AccountingExportStoredFieldByField)
{
    addTransfers(2);
    DelimitedTextReader reader;
    reader.options.delimiter = ';';
    reader.options.skipLines = 1;
    ImportSettings settings;
    settings.mapping = {{"Name", "Empfänger"},
                        {"IBAN", "IBAN"},
                        {"BIC", "BIC"},
                        {"Betrag", "Betrag"},
                        {"Verwendungszweck1", "Zweck"},
                        {"Ausfuehrungsdatum", "Fällig"},
                        {"OrtLand", "Ort"},
                        {"Verwendungszweck2", "Notiz"}};
    const ImportResult result =
        import(reader, std::string(TARVION_EXCHANGE_DATA) + "buchhaltung_cp1252.csv", settings);
    ASSERT_EQ(result.status, ImportResult::Status::Imported) << result.message;
    EXPECT_EQ(result.appended, 3);

    Cursor& z = data.Zahlung_tt;
    ASSERT_EQ(z.recordCount(), 3) << "copy mode replaces the transfers";
    z.first();
    EXPECT_EQ(field("Name"), "Müller & Söhne GmbH");
    EXPECT_EQ(field("IBAN"), "DE89 3704 0044 0532 0130 00");
    EXPECT_EQ(field("BIC"), "COBADEFFXXX");
    EXPECT_EQ(z.field("BETRAG").asMoney(), store::Money::fromUnits(12345600));
    EXPECT_EQ(field("Verwendungszweck1"), "Rechnung 4711; Teil 1");
    EXPECT_EQ(date(), "2026-12-18");
    EXPECT_EQ(field("OrtLand"), "Köln");
    EXPECT_TRUE(z.field("Verwendungszweck2").isNull());
    // Nothing the import does not fill gets a value.
    EXPECT_TRUE(z.field("Waehrung").isNull());
    EXPECT_FALSE(z.field("PRUEFEN").asBoolean());
    EXPECT_TRUE(z.field("Hinweis").isNull());
    EXPECT_TRUE(z.field("Name2").isNull());
    z.next();
    EXPECT_EQ(field("Name"), "Dupont \"Le Grand\" SARL");
    EXPECT_EQ(z.field("BETRAG").asMoney(), store::Money::fromUnits(125000));
    EXPECT_EQ(date(), "2027-02-01");
    EXPECT_EQ(field("Verwendungszweck2"), "erste Zeile\nzweite Zeile");
    z.next();
    EXPECT_EQ(field("Name"), "Øresund ApS");
    EXPECT_EQ(z.field("BETRAG").asMoney(), store::Money::fromWhole(50000));
    EXPECT_EQ(field("OrtLand"), "København");
}

TEST_F(ImportRunTest, TabSeparatedUtf8NameCutIbanBlanksKept)
{
    DelimitedTextReader reader;
    ImportSettings settings;
    settings.mapping = {{"Name", "Name"},
                        {"IBAN", "IBAN"},
                        {"BIC", "BIC"},
                        {"Betrag", "Betrag"},
                        {"Ausfuehrungsdatum", "Datum"},
                        {"Verwendungszweck1", "Zweck"}};
    const ImportResult result =
        import(reader, std::string(TARVION_EXCHANGE_DATA) + "tabs_utf8_bom.txt", settings);
    ASSERT_EQ(result.status, ImportResult::Status::Imported) << result.message;
    Cursor& z = data.Zahlung_tt;
    ASSERT_EQ(z.recordCount(), 2);
    z.first();
    EXPECT_EQ(field("Name"), "Ærø Skibsværft og Maskinfab") << "the first 27 of 30 characters";
    EXPECT_EQ(field("IBAN"), "DE02 1203 0000 0000 2020 51") << "outer blanks go, inner stay";
    EXPECT_EQ(z.field("BETRAG").asMoney(), store::Money::fromWhole(2500));
    EXPECT_EQ(date(), "2026-12-18");
    EXPECT_EQ(field("Verwendungszweck1"), "Vertrag Nr. 12");
    z.next();
    EXPECT_EQ(field("Name"), "Łódź Żegluga");
    EXPECT_EQ(z.field("BETRAG").asMoney(), store::Money::fromUnits(9900));
    EXPECT_TRUE(z.field("Verwendungszweck1").isNull());
}

TEST_F(ImportRunTest, CodePage850ByColumnNumbersAndFixedWidthLatin9)
{
    DelimitedTextReader dos;
    dos.options.delimiter = ';';
    dos.options.titleRow = false;
    dos.options.encoding = "CP850";
    ImportSettings settings;
    settings.mapping = {
        {"Name", "1"}, {"IBAN", "2"}, {"BIC", "3"}, {"Betrag", "4"}, {"Ausfuehrungsdatum", "5"}};
    ImportResult result =
        import(dos, std::string(TARVION_EXCHANGE_DATA) + "dos_cp850.txt", settings);
    ASSERT_EQ(result.status, ImportResult::Status::Imported) << result.message;
    data.Zahlung_tt.first();
    EXPECT_EQ(field("Name"), "Bäckerei Größe");
    EXPECT_EQ(date(), "2026-12-24");
    data.Zahlung_tt.next();
    EXPECT_EQ(field("Name"), "Ñúñez Óptica Ça");
    EXPECT_EQ(field("BIC"), "CAIXESBB");
    EXPECT_EQ(data.Zahlung_tt.field("BETRAG").asMoney(), store::Money::fromWhole(1000));

    FixedWidthReader fixed;
    fixed.options.columnStarts = {1, 29, 63, 75, 83};
    fixed.options.encoding = "ISO-8859-15";
    settings.mapping = {{"Name", "Name"},
                        {"IBAN", "IBAN"},
                        {"Betrag", "Betrag"},
                        {"Ausfuehrungsdatum", "Datum"},
                        {"Verwendungszweck1", "Zweck"}};
    result = import(fixed, std::string(TARVION_EXCHANGE_DATA) + "fixed_latin9.prn", settings);
    ASSERT_EQ(result.status, ImportResult::Status::Imported) << result.message;
    ASSERT_EQ(data.Zahlung_tt.recordCount(), 2);
    data.Zahlung_tt.first();
    EXPECT_EQ(field("Name"), "Großhandel Nord");
    EXPECT_EQ(field("IBAN"), "DE75 5121 0800 1245 1261 99");
    EXPECT_EQ(data.Zahlung_tt.field("BETRAG").asMoney(), store::Money::fromWhole(1500));
    EXPECT_EQ(date(), "2027-01-15");
    EXPECT_EQ(field("Verwendungszweck1"), "Ware € netto");
    data.Zahlung_tt.next();
    EXPECT_EQ(field("Name"), "Société Générale Paris");
}

TEST_F(ImportRunTest, TenTransfersAndThreeRowsGiveThreeInCopyModeThirteenInAppendMode)
{
    addTransfers(10);
    const std::string rows = "A;1,00;\r\nB;2,00;\r\nC;3,00;\r\n";
    ASSERT_EQ(importRows(rows, settingsFor(ImportMode::Copy)).status,
              ImportResult::Status::Imported);
    EXPECT_EQ(transfers(), (std::vector<Transfer>{{"A", 1}, {"B", 2}, {"C", 3}}));

    StoreFixture::TearDown();
    SetUp();
    addTransfers(10);
    const ImportResult result = importRows(rows, settingsFor(ImportMode::Append));
    ASSERT_EQ(result.status, ImportResult::Status::Imported);
    EXPECT_EQ(result.appended, 3);
    EXPECT_EQ(data.Zahlung_tt.recordCount(), 13);
    EXPECT_EQ(transfers().back(), (Transfer{"C", 3}));
}

TEST_F(ImportRunTest, ARowThatCannotBeTakenOverLeavesEveryTransferAsItWas)
{
    const std::string rows = "A;1,00;\r\nB;2,00;\r\nC;12,3x;\r\nD;4,00;\r\nE;5,00;\r\n";
    for (ImportMode mode : {ImportMode::Copy, ImportMode::Append}) {
        data.Zahlung_tt.first();
        while (data.Zahlung_tt.recordCount() > 0)
            data.Zahlung_tt.remove();
        addTransfers(4);
        const std::vector<Transfer> before = transfers();
        const ImportResult result = importRows(rows, settingsFor(mode));
        EXPECT_EQ(result.status, ImportResult::Status::Failed);
        EXPECT_EQ(result.appended, 0);
        // Row 3 of the data is line 4 of the file, below the title row.
        EXPECT_EQ(result.message, "Line 4, column \"Betrag\": the value \"12,3x\" is not an "
                                  "amount (field Betrag).");
        EXPECT_EQ(transfers(), before);
        data.Import_tt.refresh();
        EXPECT_EQ(data.Import_tt.recordCount(), 4);

        store::PaymentStore other; // what the file itself holds
        other.pointAt(dir.string());
        other.Zahlung_tt.open();
        EXPECT_EQ(other.Zahlung_tt.recordCount(), 4);
    }
}

TEST_F(ImportRunTest, ASourceThatFailsOrAMappingThatDoesNotFitChangesNothing)
{
    addTransfers(3);
    const std::vector<Transfer> before = transfers();
    ImportResult result = importRows("A;1,00;\r\n\"B;2,00;\r\n", settingsFor(ImportMode::Copy));
    EXPECT_EQ(result.status, ImportResult::Status::Failed);
    EXPECT_NE(result.message.find("begins in line 3 is not closed"), std::string::npos)
        << result.message;
    EXPECT_EQ(transfers(), before);

    ImportSettings settings = settingsFor(ImportMode::Copy);
    settings.mapping.push_back({"BIC", "Swift"});
    result = importRows("A;1,00;\r\n", settings);
    EXPECT_EQ(result.message, "The source has no column \"Swift\".");
    settings.mapping = {{"Name", "Name"}, {"Name", "IBAN"}};
    result = importRows("A;1,00;\r\n", settings);
    EXPECT_EQ(result.message, "The field Name is filled from two columns.");
    result = importRows("A;1,00;\r\n", settingsFor(ImportMode::Update));
    EXPECT_EQ(result.message, "This import mode needs the fields by which rows match.");
    result = importRows("A;1,00;\r\n", settingsFor(ImportMode::Update, {"BIC"}));
    EXPECT_EQ(result.message, "The field BIC by which rows match is not filled from the source.");
    EXPECT_EQ(transfers(), before);
}

TEST_F(ImportRunTest, CancelThroughTheProgressLeavesEveryTransferAsItWas)
{
    addTransfers(10);
    const std::vector<Transfer> before = transfers();
    std::vector<long long> told;
    const ImportResult result = importRows("A;1,00;\r\nB;2,00;\r\nC;3,00;\r\n",
                                           settingsFor(ImportMode::Copy), [&](long long read) {
                                               told.push_back(read);
                                               return read < 2;
                                           });
    EXPECT_EQ(result.status, ImportResult::Status::Cancelled);
    EXPECT_EQ(told, (std::vector<long long>{0, 1, 2}));
    EXPECT_EQ(transfers(), before);
}

TEST_F(ImportRunTest, EachMatchingModeByItsKeyFields)
{
    struct Case
    {
        ImportMode mode;
        std::vector<Transfer> after;
        long long appended, updated, deleted;
    } cases[] = {
        {ImportMode::Update, {{"A", 10}, {"Neu B", 99}, {"C", 30}}, 0, 1, 0},
        {ImportMode::UpdateOrAppend, {{"A", 10}, {"Neu B", 99}, {"C", 30}, {"Neu D", 44}}, 1, 1, 0},
        {ImportMode::Delete, {{"A", 10}, {"C", 30}}, 0, 0, 1},
        {ImportMode::AppendNew, {{"A", 10}, {"B", 20}, {"C", 30}, {"Neu D", 44}}, 1, 0, 0},
    };
    for (const Case& c : cases) {
        data.Zahlung_tt.first();
        while (data.Zahlung_tt.recordCount() > 0)
            data.Zahlung_tt.remove();
        for (const auto& [name, iban] : {std::pair{"A", "DE01"}, {"B", "DE02 X"}, {"C", "DE03"}}) {
            addTransfer(name, false, name[0] == 'A' ? 10 : name[0] == 'B' ? 20 : 30);
            data.Zahlung_tt.edit();
            data.Zahlung_tt.field("IBAN").setString(iban);
            data.Zahlung_tt.post();
        }
        // The IBAN matches after its outer blanks are gone; the second "Neu D"
        // matches the row the first one added.
        const ImportResult result =
            importRows("Neu B;99,00; DE02 X \r\nNeu D;44,00;DE04\r\nNeu D;44,00;DE04\r\n",
                       settingsFor(c.mode, {"IBAN"}));
        ASSERT_EQ(result.status, ImportResult::Status::Imported) << result.message;
        EXPECT_EQ(transfers(), c.after) << static_cast<int>(c.mode);
        if (c.mode == ImportMode::UpdateOrAppend) {
            // The second "Neu D" updates the first instead of adding a row.
            EXPECT_EQ(result.updated, 2);
            EXPECT_EQ(result.appended, 1);
            continue;
        }
        EXPECT_EQ(result.appended, c.appended);
        EXPECT_EQ(result.updated, c.updated);
        EXPECT_EQ(result.deleted, c.deleted);
    }
}

TEST_F(ImportRunTest, KeysMatchAmountsAndDatesByValueNotByText)
{
    addTransfer("A", false, 1234.5);
    ImportSettings settings;
    settings.mode = ImportMode::Update;
    settings.mapping = {{"Betrag", "Betrag"}, {"Name", "Name"}};
    settings.keyFields = {"Betrag"};
    const ImportResult result = importRows("Neu;1.234,50;\r\n", settings);
    ASSERT_EQ(result.status, ImportResult::Status::Imported) << result.message;
    EXPECT_EQ(transfers(), (std::vector<Transfer>{{"Neu", 1234.5}}));
}

} // namespace
} // namespace exchange
