#pragma once

#include "store/Schema.h"
#include "store/Value.h"

#include <string>
#include <vector>

// Making the table files that are delivered with the program. The program
// itself never creates a table; this is the work of the tarvion-tables tool
// (and of test fixtures).
namespace tablegen {

struct BankCodeRow
{
    std::string blz, name, plz, ort, przIff, kzHst, bic;
};

struct CurrencyRow
{
    std::string code, name;
};

// Creates the file at `path` holding the empty table, in write-ahead-log
// mode, with its indexes. Raises std::runtime_error if the file exists.
void createTableFile(const std::string& path, const store::TableDef& table);

// All five table files, empty, in `directory` (which must exist); with
// `settingsRow` the settings table gets its default row.
void createEmptyTables(const std::string& directory, bool settingsRow);

// Rows of the Deutsche Bundesbank's bank-code file: fixed records of 168
// characters (174 in the extended file) in ISO-8859-1, one per line.
std::vector<BankCodeRow> readBundesbankFile(const std::string& path);

// Currencies of ISO 4217 from the iso-codes package's JSON file, named in
// German where its translation catalogue (a gettext .mo file) has a name.
std::vector<CurrencyRow> readIsoCurrencies(const std::string& jsonPath,
                                           const std::string& germanCatalogue);

// Fill a freshly created table file (one transaction each).
void fillBankCodes(const std::string& path, const std::vector<BankCodeRow>& rows);
void fillCurrencies(const std::string& path, const std::vector<CurrencyRow>& rows);
// The one settings row a new user starts with.
void fillDefaultSettings(const std::string& path);

} // namespace tablegen
