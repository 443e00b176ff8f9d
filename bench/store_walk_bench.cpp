// Prints, for 100,000 transfers in a fresh data directory, how long the
// transfer cursor takes to open, to walk all rows, and to walk them again
// changing and posting every row once (one commit each), next to a bare
// SQLite loop doing the same updates with one commit each.
//
//   store_walk_bench [folder] [transfers]
#include "TableFiles.h"
#include "store/PaymentStore.h"

#include <chrono>
#include <cstdio>
#include <filesystem>
#include <sqlite3.h>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

void check(int code, sqlite3* db)
{
    if (code != SQLITE_OK && code != SQLITE_DONE && code != SQLITE_ROW)
        throw std::runtime_error(sqlite3_errmsg(db));
}

void fillTransfers(const fs::path& file, int count)
{
    sqlite3* db = nullptr;
    check(sqlite3_open(file.c_str(), &db), db);
    check(sqlite3_exec(db, "BEGIN", nullptr, nullptr, nullptr), db);
    sqlite3_stmt* insert = nullptr;
    check(sqlite3_prepare_v2(db,
                             "INSERT INTO ZAHLUNG (Name, Strasse, OrtLand, BETRAG, BIC, IBAN, "
                             "Verwendungszweck1, Ausfuehrungsdatum) VALUES (?, 'Hauptstraße 5', "
                             "'München', ?, 'COBADEFFXXX', 'DE89370400440532013000', "
                             "'Rechnung', '2026-12-14')",
                             -1, &insert, nullptr),
          db);
    for (int i = 0; i < count; ++i) {
        const std::string name = "Lieferant " + std::to_string(i);
        sqlite3_bind_text(insert, 1, name.c_str(), -1, SQLITE_TRANSIENT);
        sqlite3_bind_double(insert, 2, 10.0 + i % 5000);
        check(sqlite3_step(insert), db);
        sqlite3_reset(insert);
    }
    sqlite3_finalize(insert);
    check(sqlite3_exec(db, "COMMIT", nullptr, nullptr, nullptr), db);
    sqlite3_close(db);
}

double bareUpdates(const fs::path& file, int count)
{
    sqlite3* db = nullptr;
    check(sqlite3_open(file.c_str(), &db), db);
    sqlite3_exec(db, "PRAGMA journal_mode = WAL", nullptr, nullptr, nullptr);
    sqlite3_exec(db, "PRAGMA synchronous = NORMAL", nullptr, nullptr, nullptr);
    sqlite3_stmt* update = nullptr;
    check(sqlite3_prepare_v2(db, "UPDATE ZAHLUNG SET Hinweis = ? WHERE rowid = ?", -1, &update,
                             nullptr),
          db);
    const auto start = Clock::now();
    for (int i = 1; i <= count; ++i) {
        sqlite3_bind_text(update, 1, "ohne Cursor", -1, SQLITE_STATIC);
        sqlite3_bind_int64(update, 2, i);
        check(sqlite3_step(update), db);
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
    const fs::path dir = base / "store-bench-data";
    fs::remove_all(dir);
    fs::create_directories(dir);
    tablegen::createEmptyTables(dir.string(), false);
    fillTransfers(dir / "ZAHLUNG.ADT", count);

    double open = 0, walk = 0, walkAndPost = 0;
    {
        store::PaymentStore data;
        data.pointAt(dir.string());
        store::Cursor& z = data.Zahlung_tt;

        auto start = Clock::now();
        z.open();
        open = seconds(start);

        start = Clock::now();
        double sum = 0;
        for (z.first(); !z.eof(); z.next())
            sum += z.field("BETRAG").asFloat();
        walk = seconds(start);

        start = Clock::now();
        for (z.first(); !z.eof(); z.next()) {
            z.edit();
            z.field("Hinweis").setString("geprüft");
            z.post();
        }
        walkAndPost = seconds(start);
        if (sum <= 0)
            std::printf("unexpected sum\n");
    }
    const double bare = bareUpdates(dir / "ZAHLUNG.ADT", count);
    fs::remove_all(dir);

    std::printf("transfers:                      %d\n", count);
    std::printf("open Zahlung_tt:                %.3f s\n", open);
    std::printf("walk all rows:                  %.3f s (%.1f us a row)\n", walk,
                walk / count * 1e6);
    std::printf("walk, change and post each row: %.3f s (%.1f us a row)\n", walkAndPost,
                walkAndPost / count * 1e6);
    std::printf("bare SQLite update loop:        %.3f s (%.1f us a row)\n", bare,
                bare / count * 1e6);
    std::printf("ratio cursor/bare:              %.2f (target at most 3)\n", walkAndPost / bare);
    return 0;
}
