// Writes the table files that come with the program into its folder, never
// replacing one that is there, and rebuilds the bank-code directory from a
// newer Bundesbank file on request.
//
//   tarvion-tables --dir DIR [--bundesbank FILE] [--iso-codes FILE] [--german-names FILE]
//   tarvion-tables --dir DIR --rebuild-blz FILE
#include "TableFiles.h"

#include <cstdio>
#include <filesystem>
#include <functional>
#include <stdexcept>
#include <string>

namespace fs = std::filesystem;

namespace {

std::string newestBundesbankFile()
{
    std::string newest;
    std::error_code error;
    for (const auto& entry : fs::directory_iterator("/usr/share/ktoblzcheck", error)) {
        const std::string name = entry.path().filename().string();
        if (name.rfind("blz_", 0) == 0 && name.size() > 4 && entry.path().extension() == ".txt" &&
            entry.path().string() > newest)
            newest = entry.path().string();
    }
    if (newest.empty())
        throw std::runtime_error("no Bundesbank bank-code file found in /usr/share/ktoblzcheck "
                                 "(Debian package libktoblzcheck1v5); name one with --bundesbank");
    return newest;
}

// Builds the table beside its final name and moves it into place only when
// complete, so an interrupted run never leaves a half-filled table behind.
void writeTable(const fs::path& dir, const store::TableDef& table,
                const std::function<void(const std::string&)>& fill)
{
    const fs::path target = dir / table.fileName;
    const fs::path partial = dir / (table.fileName + ".partial");
    fs::remove(partial);
    try {
        tablegen::createTableFile(partial.string(), table);
        if (fill)
            fill(partial.string());
    } catch (...) {
        fs::remove(partial);
        throw;
    }
    fs::rename(partial, target);
}

int run(int argc, char* argv[])
{
    std::string dir, bundesbank, isoCodes = "/usr/share/iso-codes/json/iso_4217.json",
                                 germanNames = "/usr/share/locale/de/LC_MESSAGES/iso_4217.mo",
                                 rebuild;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (i + 1 >= argc)
            throw std::runtime_error("missing value after " + arg);
        const std::string value = argv[++i];
        if (arg == "--dir")
            dir = value;
        else if (arg == "--bundesbank")
            bundesbank = value;
        else if (arg == "--iso-codes")
            isoCodes = value;
        else if (arg == "--german-names")
            germanNames = value;
        else if (arg == "--rebuild-blz")
            rebuild = value;
        else
            throw std::runtime_error("unknown option " + arg);
    }
    if (dir.empty())
        throw std::runtime_error("usage: tarvion-tables --dir DIR [--bundesbank FILE] "
                                 "[--iso-codes FILE] [--german-names FILE] | --rebuild-blz FILE");
    fs::create_directories(dir);

    if (!rebuild.empty()) {
        const fs::path blz = fs::path(dir) / store::blzTable().fileName;
        if (fs::exists(blz.string() + "-wal"))
            throw std::runtime_error(blz.string() + " is in use; close Tarvion first");
        const auto rows = tablegen::readBundesbankFile(rebuild);
        const fs::path fresh = fs::path(dir) / "BLZ.ADT.new";
        fs::remove(fresh);
        try {
            tablegen::createTableFile(fresh.string(), store::blzTable());
            tablegen::fillBankCodes(fresh.string(), rows);
        } catch (...) {
            fs::remove(fresh);
            throw;
        }
        fs::rename(fresh, blz);
        std::printf("%s rebuilt with %zu bank codes from %s\n", blz.c_str(), rows.size(),
                    rebuild.c_str());
        return 0;
    }

    for (const store::TableDef* table : store::allTables()) {
        if (fs::exists(fs::path(dir) / table->fileName))
            continue;
        std::function<void(const std::string&)> fill;
        if (table == &store::blzTable()) {
            const std::string source = bundesbank.empty() ? newestBundesbankFile() : bundesbank;
            fill = [source](const std::string& path) {
                tablegen::fillBankCodes(path, tablegen::readBundesbankFile(source));
            };
        } else if (table == &store::waehrungTable()) {
            const std::string catalogue = fs::exists(germanNames) ? germanNames : std::string();
            fill = [&isoCodes, catalogue](const std::string& path) {
                tablegen::fillCurrencies(path, tablegen::readIsoCurrencies(isoCodes, catalogue));
            };
        } else if (table == &store::stammTable()) {
            fill = tablegen::fillDefaultSettings;
        }
        writeTable(dir, *table, fill);
        std::printf("created %s\n", (fs::path(dir) / table->fileName).c_str());
    }
    return 0;
}

} // namespace

int main(int argc, char* argv[])
{
    try {
        return run(argc, argv);
    } catch (const std::exception& e) {
        std::fprintf(stderr, "tarvion-tables: %s\n", e.what());
        return 1;
    }
}
