// Prints the time of the create-file workflow (check run included, reports
// left out) for 100,000 transfers, with the parts spent in the check run, in
// the writer, and in the rest of the workflow.
//
//   create_file_bench [folder] [transfers]
#include "TableFiles.h"
#include "dtazv/VekDTAZV.h"
#include "filecreation/CreateFileWorkflow.h"
#include "store/PaymentStore.h"

#include <QDate>
#include <QGuiApplication>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sqlite3.h>

namespace fs = std::filesystem;

namespace {

class QuietUi final : public filecreation::CreateFileUi
{
public:
    explicit QuietUi(std::string out) : m_out(std::move(out)) {}
    void information(const std::string& text, const std::string& details) override
    {
        std::fprintf(stderr, "%s %s\n", text.c_str(), details.c_str());
    }
    void showCertificate(const checking::CheckResult&) override {}
    std::optional<std::string> chooseOutputFile(const std::string&, const std::string&) override
    {
        return m_out;
    }
    filecreation::ReportOutput* noteOutput(bool) override { return nullptr; }
    filecreation::ReportOutput* journalOutput(bool) override { return nullptr; }

private:
    std::string m_out;
};

void fill(const fs::path& file, int count)
{
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO ZAHLUNG (Name, Strasse, OrtLand, BETRAG, IBAN, BIC, "
                       "Verwendungszweck1, Verwendungszweck2) VALUES (?, 'Hauptstraße 5', "
                       "'München', ?, ?, ?, 'Rechnung 2026-4711', 'Kunde 0815')",
                       -1, &insert, nullptr);
    for (int i = 0; i < count; ++i) {
        const int kind = i % 50;
        const std::string name = "Lieferant Müller " + std::to_string((i * 7919) % count);
        const double amount = kind == 3 ? 0.5 : 100.0 + i % 900;
        const char* iban = kind < 4    ? "DE89 3704 0044 0532 0130 00"
                           : kind == 9 ? "DE88370400440532013000"
                                       : "DE89370400440532013000";
        sqlite3_bind_text(insert, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 2, amount);
        sqlite3_bind_text(insert, 3, iban, -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 4, "COBADEFFXXX", -1, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

} // namespace

int main(int argc, char* argv[])
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::current_path();
    const int count = argc > 2 ? std::atoi(argv[2]) : 100000;
    const fs::path dir = fs::absolute(base / "create-bench-data");
    fs::remove_all(dir);
    fs::create_directories(dir);
    tablegen::createEmptyTables(dir.string(), true);
    fill(dir / "ZAHLUNG.ADT", count);

    store::PaymentStore data;
    data.pointAt(dir.string());
    data.openAll();
    data.Auftrag_tt.append();
    data.Auftrag_tt.field("Name").setString("Muster GmbH");
    data.Auftrag_tt.field("BLZ").setFloat(37040044);
    data.Auftrag_tt.field("KontoNr").setFloat(532013000);
    data.Auftrag_tt.field("Bundesbankmeldung").setBoolean(true);
    data.Auftrag_tt.field("BundeslandNr").setString("9");
    data.Auftrag_tt.field("AuftraggeberNr").setString("1234");
    data.Auftrag_tt.post();
    const QDate today = QDate::currentDate();
    data.Stamm_tt.edit();
    data.Stamm_tt.field("Erstelldatum")
        .setDate(dtazv::encodeDate(today.year(), today.month(), today.day()));
    data.Stamm_tt.field("Ausfuehrungstermin")
        .setDate(dtazv::encodeDate(today.year(), today.month(), today.day()));
    data.Stamm_tt.post();

    dtazv::TVekDTAZV writer;
    filecreation::CreateFileWorkflow workflow(data, writer, dir.string() + "/");
    QuietUi ui((dir / "DTAZV").string());
    const auto start = std::chrono::steady_clock::now();
    const auto outcome = workflow.run(ui, false);
    const double total =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const double rest = total - outcome.checkSeconds - outcome.writerSeconds;

    std::printf("transfers:                 %d (%d written)\n", count, outcome.count);
    std::printf("workflow:                  %.3f s (target under 10 s)\n", total);
    std::printf("  check run:               %.3f s\n", outcome.checkSeconds);
    std::printf("  writer:                  %.3f s\n", outcome.writerSeconds);
    std::printf("  rest of the workflow:    %.3f s (%.2f times the writer, target at most 1.5)\n",
                rest, rest / outcome.writerSeconds);
    fs::remove_all(dir);
    return outcome.status == filecreation::CreateFileWorkflow::Status::Created ? 0 : 1;
}
