// Prints how long the check run takes over 100,000 transfers (most valid,
// some with blanks in IBAN or BIC, some faulty), next to a bare SQLite loop
// that writes the same rows with the same number of commits.
//
//   check_run_bench [folder] [transfers]
#include "TableFiles.h"
#include "checking/CheckRun.h"
#include "dtazv/VekDTAZV.h"
#include "store/PaymentStore.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sqlite3.h>
#include <string>
#include <vector>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void fill(const fs::path& file, int count)
{
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr);
    sqlite3_stmt* insert = nullptr;
    sqlite3_prepare_v2(db,
                       "INSERT INTO ZAHLUNG (Name, BETRAG, IBAN, BIC, Verwendungszweck1, "
                       "Ausfuehrungsdatum) VALUES (?, ?, ?, ?, 'Rechnung', NULL)",
                       -1, &insert, nullptr);
    for (int i = 0; i < count; ++i) {
        const int kind = i % 50;
        const std::string name = kind == 7 ? "" : "Lieferant " + std::to_string(i);
        const double amount = kind == 3 ? 0.5 : kind == 5 ? 15000.0 : 100.0 + i % 900;
        const char* iban = kind < 4    ? "DE89 3704 0044 0532 0130 00"
                           : kind == 9 ? "DE88370400440532013000"
                                       : "DE89370400440532013000";
        const char* bic = kind == 11 || kind == 12 ? "COBA DEFF XXX"
                          : kind == 13             ? "COBADE"
                                                   : "COBADEFFXXX";
        sqlite3_bind_text(insert, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 2, amount);
        sqlite3_bind_text(insert, 3, iban, -1, SQLITE_STATIC);
        sqlite3_bind_text(insert, 4, bic, -1, SQLITE_STATIC);
        sqlite3_step(insert);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr);
    sqlite3_close(db);
}

struct Row
{
    int64_t id;
    int marked;
    std::string remark, iban, bic;
};

double bareLoop(const fs::path& file)
{
    sqlite3* db = nullptr;
    sqlite3_open(file.c_str(), &db);
    sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
    std::vector<Row> rows;
    sqlite3_stmt* read = nullptr;
    sqlite3_prepare_v2(db, "SELECT rowid, PRUEFEN, coalesce(Hinweis,''), IBAN, BIC FROM ZAHLUNG",
                       -1, &read, nullptr);
    while (sqlite3_step(read) == SQLITE_ROW)
        rows.push_back({sqlite3_column_int64(read, 0), sqlite3_column_int(read, 1),
                        reinterpret_cast<const char*>(sqlite3_column_text(read, 2)),
                        reinterpret_cast<const char*>(sqlite3_column_text(read, 3)),
                        reinterpret_cast<const char*>(sqlite3_column_text(read, 4))});
    sqlite3_finalize(read);

    sqlite3_stmt* update = nullptr;
    sqlite3_prepare_v2(
        db, "UPDATE ZAHLUNG SET PRUEFEN = ?, Hinweis = ?, IBAN = ?, BIC = ? WHERE rowid = ?", -1,
        &update, nullptr);
    const auto start = Clock::now();
    for (const Row& r : rows) {
        sqlite3_bind_int(update, 1, r.marked);
        sqlite3_bind_text(update, 2, r.remark.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(update, 3, r.iban.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_text(update, 4, r.bic.c_str(), -1, SQLITE_STATIC);
        sqlite3_bind_int64(update, 5, r.id);
        sqlite3_step(update);
        sqlite3_reset(update);
    }
    const double elapsed = seconds(start);
    sqlite3_finalize(update);
    sqlite3_close(db);
    return elapsed;
}

} // namespace

int main(int argc, char* argv[])
{
    const fs::path base = argc > 1 ? fs::path(argv[1]) : fs::current_path();
    const int count = argc > 2 ? std::stoi(argv[2]) : 100000;
    const fs::path dir = base / "check-bench-data";
    fs::remove_all(dir);
    fs::create_directories(dir);
    tablegen::createEmptyTables(dir.string(), true);
    fill(dir / "ZAHLUNG.ADT", count);

    double checkSeconds = 0;
    int marked = 0;
    {
        store::PaymentStore data;
        data.pointAt(dir.string());
        data.openAll();
        data.Auftrag_tt.append();
        data.Auftrag_tt.field("Name").setString("Muster GmbH");
        data.Auftrag_tt.field("BLZ").setFloat(37040044);
        data.Auftrag_tt.field("KontoNr").setFloat(532013000);
        data.Auftrag_tt.post();
        const dtazv::TVekDTAZV writer;
        const auto start = Clock::now();
        const checking::CheckResult result = checking::CheckRun(data, writer).run(false);
        checkSeconds = seconds(start);
        marked = static_cast<int>(result.marked.size());
    }
    const double bare = bareLoop(dir / "ZAHLUNG.ADT");
    fs::remove_all(dir);

    std::printf("transfers:             %d (%d marked)\n", count, marked);
    std::printf("check run:             %.3f s (%.1f us a transfer)\n", checkSeconds,
                checkSeconds / count * 1e6);
    std::printf("bare SQLite loop:      %.3f s (%.1f us a row)\n", bare, bare / count * 1e6);
    std::printf("ratio check/bare:      %.2f (target at most 3)\n", checkSeconds / bare);
    return 0;
}
