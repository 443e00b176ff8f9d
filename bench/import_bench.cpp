// Prints how long the import takes for a delimited text file of 100,000 rows
// (semicolons, German amounts, dd.mm.yyyy dates) in copy mode, the peak
// memory of the process, and beside them the time SQLite's own shell takes to
// `.import` the same file into a bare table, when `sqlite3` is installed.
//
//   import_bench [folder] [rows]
#include "TableFiles.h"
#include "exchange/DelimitedTextReader.h"
#include "exchange/ImportRun.h"
#include "store/PaymentStore.h"

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <sys/resource.h>

namespace fs = std::filesystem;

namespace {

using Clock = std::chrono::steady_clock;

double seconds(Clock::time_point since)
{
    return std::chrono::duration<double>(Clock::now() - since).count();
}

long peakKilobytes()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return usage.ru_maxrss;
}

void writeSource(const fs::path& file, int rows)
{
    std::ofstream out(file, std::ios::binary);
    out << "Name;IBAN;BIC;Betrag;Datum;Zweck\r\n";
    for (int i = 0; i < rows; ++i) {
        char line[256];
        std::snprintf(line, sizeof line,
                      "Lieferant %06d GmbH;DE89 3704 0044 0532 %04d 00;COBADEFFXXX;%d.%03d,%02d;"
                      "%02d.%02d.2027;Rechnung %d\r\n",
                      i, i % 10000, 1 + i % 90, i % 1000, i % 100, 1 + i % 28, 1 + i % 12, i);
        out << line;
    }
}

// The part of the run that does not touch the tables.
double readAndConvertSeconds(const fs::path& source, const exchange::ImportSettings& settings)
{
    const auto start = Clock::now();
    exchange::DelimitedTextReader reader;
    reader.options.delimiter = ';';
    std::unique_ptr<exchange::RowStream> stream = reader.open(source.string(), 0);
    const exchange::ValueConverter converter(settings.formats);
    const store::FieldType types[] = {store::FieldType::Text, store::FieldType::Text,
                                      store::FieldType::Text, store::FieldType::Currency,
                                      store::FieldType::Date, store::FieldType::Text};
    exchange::SourceRow row;
    exchange::Cell converted;
    std::string reason;
    long long failures = 0;
    while (stream && stream->next(row)) {
        for (std::size_t i = 0; i < row.cells.size() && i < 6; ++i)
            failures += !converter.convert(row.cells[i], types[i], 35, converted, reason);
    }
    if (failures)
        std::printf("  (%lld values not converted)\n", failures);
    return seconds(start);
}

} // namespace

int main(int argc, char* argv[])
{
    const fs::path folder =
        argc > 1 ? fs::path(argv[1]) : fs::temp_directory_path() / "tarvion-import-bench";
    const int rows = argc > 2 ? std::atoi(argv[2]) : 100000;
    fs::remove_all(folder);
    fs::create_directories(folder);
    tablegen::createEmptyTables(folder.string(), false);
    tablegen::fillDefaultSettings((folder / "stamm.ADT").string());
    const fs::path source = folder / "export.csv";
    writeSource(source, rows);

    store::PaymentStore data;
    data.pointAt(folder.string() + "/");
    data.openAll();
    const long before = peakKilobytes();

    exchange::DelimitedTextReader reader;
    reader.options.delimiter = ';';
    exchange::ImportSettings settings;
    settings.mapping = {{"Name", "Name"},
                        {"IBAN", "IBAN"},
                        {"BIC", "BIC"},
                        {"Betrag", "Betrag"},
                        {"Ausfuehrungsdatum", "Datum"},
                        {"Verwendungszweck1", "Zweck"}};
    const auto start = Clock::now();
    std::unique_ptr<exchange::RowStream> stream = reader.open(source.string(), 0);
    if (!stream) {
        std::fprintf(stderr, "%s\n", reader.lastError().c_str());
        return 1;
    }
    const exchange::ImportResult result = exchange::ImportRun(data, settings).run(*stream);
    const double importSeconds = seconds(start);
    if (result.status != exchange::ImportResult::Status::Imported) {
        std::fprintf(stderr, "%s\n", result.message.c_str());
        return 1;
    }
    std::printf("import of %d text rows, copy mode: %.2f s (%lld transfers)\n", rows, importSeconds,
                result.appended);
    std::printf("  of which reading and converting the rows alone: %.2f s\n",
                readAndConvertSeconds(source, settings));
    // The same rows again, each updating the transfer it matches.
    exchange::ImportSettings update = settings;
    update.mode = exchange::ImportMode::Update;
    update.keyFields = {"Verwendungszweck1"};
    const auto updateStart = Clock::now();
    stream = reader.open(source.string(), 0);
    const exchange::ImportResult updated = exchange::ImportRun(data, update).run(*stream);
    std::printf("the same file again in update mode, keyed by purpose: %.2f s (%lld updated)\n",
                seconds(updateStart), updated.updated);
    std::printf("peak memory: %ld KiB before the run, %ld KiB after it\n", before, peakKilobytes());

    if (std::system("command -v sqlite3 >/dev/null 2>&1") == 0) {
        const fs::path bare = folder / "bare.db";
        const std::string command = "sqlite3 '" + bare.string() +
                                    "' '.mode csv' '.separator ;' '.import \"" + source.string() +
                                    "\" Bare'";
        const auto shellStart = Clock::now();
        const int status = std::system(command.c_str());
        const double shellSeconds = seconds(shellStart);
        std::printf("sqlite3 .import of the same file into a bare table: %.2f s%s\n", shellSeconds,
                    status == 0 ? "" : " (failed)");
        std::printf("import / sqlite3: %.1f\n", importSeconds / shellSeconds);
    } else {
        std::printf("sqlite3 is not installed: no comparison\n");
    }
    fs::remove_all(folder);
    return 0;
}
