#include "TableFiles.h"

#include <filesystem>
#include <fstream>
#include <sqlite3.h>
#include <stdexcept>

namespace tablegen {
namespace {

class Database
{
public:
    Database(const std::string& path, int flags)
    {
        if (sqlite3_open_v2(path.c_str(), &m_db, flags, nullptr) != SQLITE_OK) {
            const std::string message = m_db ? sqlite3_errmsg(m_db) : "out of memory";
            sqlite3_close(m_db);
            throw std::runtime_error(path + ": " + message);
        }
        m_path = path;
    }
    ~Database() { sqlite3_close(m_db); }
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    void execute(const std::string& sql)
    {
        char* error = nullptr;
        if (sqlite3_exec(m_db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            const std::string message = error ? error : "unknown error";
            sqlite3_free(error);
            throw std::runtime_error(m_path + ": " + message);
        }
    }

    // Inserts each row of `rows` through `bind` in one transaction.
    template <class Rows, class Bind>
    void insertAll(const std::string& sql, const Rows& rows, Bind&& bind)
    {
        sqlite3_stmt* statement = nullptr;
        if (sqlite3_prepare_v2(m_db, sql.c_str(), -1, &statement, nullptr) != SQLITE_OK)
            throw std::runtime_error(m_path + ": " + sqlite3_errmsg(m_db));
        execute("BEGIN");
        for (const auto& row : rows) {
            bind(statement, row);
            if (sqlite3_step(statement) != SQLITE_DONE) {
                const std::string message = sqlite3_errmsg(m_db);
                sqlite3_finalize(statement);
                throw std::runtime_error(m_path + ": " + message);
            }
            sqlite3_reset(statement);
        }
        sqlite3_finalize(statement);
        execute("COMMIT");
    }

private:
    sqlite3* m_db = nullptr;
    std::string m_path;
};

void bindText(sqlite3_stmt* statement, int index, const std::string& text)
{
    if (text.empty())
        sqlite3_bind_null(statement, index);
    else
        sqlite3_bind_text(statement, index, text.data(), static_cast<int>(text.size()),
                          SQLITE_TRANSIENT);
}

std::string latin1ToUtf8(std::string_view text)
{
    std::string out;
    for (unsigned char c : text) {
        if (c < 0x80) {
            out += static_cast<char>(c);
        } else {
            out += static_cast<char>(0xC0 | (c >> 6));
            out += static_cast<char>(0x80 | (c & 0x3F));
        }
    }
    return out;
}

// Positions `from` to `to` of a record (counted from 1), blanks trimmed,
// in UTF-8 and cut to `width` characters.
std::string column(const std::string& record, std::size_t from, std::size_t to, int width)
{
    std::string_view text = std::string_view(record).substr(from - 1, to - from + 1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    return store::cutToCharacters(latin1ToUtf8(text), width);
}

} // namespace

void createTableFile(const std::string& path, const store::TableDef& table)
{
    if (std::filesystem::exists(path))
        throw std::runtime_error(path + " exists already");
    Database db(path, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE);
    db.execute("PRAGMA journal_mode = WAL");
    db.execute("BEGIN");
    for (const std::string& statement : store::createStatements(table))
        db.execute(statement);
    db.execute("COMMIT");
}

void createEmptyTables(const std::string& directory, bool settingsRow)
{
    const std::filesystem::path dir(directory);
    for (const store::TableDef* table : store::allTables())
        createTableFile((dir / table->fileName).string(), *table);
    if (settingsRow)
        fillDefaultSettings((dir / store::stammTable().fileName).string());
}

std::vector<BankCodeRow> readBundesbankFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    std::vector<BankCodeRow> rows;
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        while (!line.empty() && (line.back() == '\r' || line.back() == '\n'))
            line.pop_back();
        if (line.empty())
            continue;
        if (line.size() != 168 && line.size() < 174)
            throw std::runtime_error(path + ", line " + std::to_string(number) + ": a record of " +
                                     std::to_string(line.size()) +
                                     " characters instead of 168 or 174");
        rows.push_back({column(line, 1, 8, 8), column(line, 108, 134, 27), column(line, 68, 72, 5),
                        column(line, 73, 107, 27), column(line, 151, 152, 2), column(line, 9, 9, 1),
                        column(line, 140, 150, 20)});
    }
    return rows;
}

void fillBankCodes(const std::string& path, const std::vector<BankCodeRow>& rows)
{
    Database db(path, SQLITE_OPEN_READWRITE);
    db.insertAll(
        "INSERT INTO BLZ (BLZ, NAME, PLZ, ORT, PRZIFF, KZHST, BIC) VALUES (?, ?, ?, ?, ?, ?, ?)",
        rows, [](sqlite3_stmt* s, const BankCodeRow& r) {
            bindText(s, 1, r.blz);
            bindText(s, 2, r.name);
            bindText(s, 3, r.plz);
            bindText(s, 4, r.ort);
            bindText(s, 5, r.przIff);
            bindText(s, 6, r.kzHst);
            bindText(s, 7, r.bic);
        });
}

void fillCurrencies(const std::string& path, const std::vector<CurrencyRow>& rows)
{
    Database db(path, SQLITE_OPEN_READWRITE);
    db.insertAll("INSERT INTO waehrung (Code, Waehrung) VALUES (?, ?)", rows,
                 [](sqlite3_stmt* s, const CurrencyRow& r) {
                     bindText(s, 1, r.code);
                     bindText(s, 2, store::cutToCharacters(r.name, 30));
                 });
}

void fillDefaultSettings(const std::string& path)
{
    // Reportable payments stay marked until the user says they may be made;
    // the accompanying note and the journal are printed after every file.
    Database db(path, SQLITE_OPEN_READWRITE);
    db.execute("INSERT INTO stamm (Meldepflicht, WAEHRUNG, BEGLEIT, PROTOKOLL, PDF, EditTabelle, "
               "EditImport) VALUES (0, 'EUR', 1, 1, 0, 0, 0)");
}

} // namespace tablegen
