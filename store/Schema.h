#pragma once

#include <string>
#include <string_view>
#include <vector>

// The five tables of the program: one SQLite database file each, holding one
// table named as the file without its extension. This is the program's
// outside interface; docs/TABLES.md describes it for users.
namespace store {

enum class FieldType
{
    AutoInc,  // INTEGER PRIMARY KEY AUTOINCREMENT, the row number
    Text,     // TEXT of at most `width` characters
    Float,    // REAL
    Currency, // REAL, an amount
    Date,     // TEXT 'YYYY-MM-DD'
    Boolean,  // INTEGER 0 or 1
};

struct FieldDef
{
    std::string name;
    FieldType type;
    int width = 0; // characters, for Text only
};

struct IndexDef
{
    std::string name; // the name callers use
    std::vector<std::string> fields;
    bool unique = false;
};

struct TableDef
{
    std::string fileName;  // in the data directory, e.g. "ZAHLUNG.ADT"
    std::string tableName; // e.g. "ZAHLUNG"
    std::vector<FieldDef> fields;
    std::vector<IndexDef> indexes;

    const FieldDef* field(std::string_view name) const; // any case; null if none
    const IndexDef* index(std::string_view name) const; // any case; null if none
    // SQLite keeps tables and indexes in one namespace: an index named like
    // its table is stored under a derived name.
    std::string sqliteIndexName(const IndexDef& index) const;
};

const TableDef& zahlungTable();
const TableDef& auftraggeberTable();
const TableDef& blzTable();
const TableDef& waehrungTable();
const TableDef& stammTable();
const std::vector<const TableDef*>& allTables();

// The declared SQLite column type of a field ("INTEGER", "TEXT", "REAL").
std::string_view sqliteType(FieldType type);

// The CREATE TABLE and CREATE INDEX statements of a table, in the schema
// `schema` (an attached database name) or the main database when empty.
std::vector<std::string> createStatements(const TableDef& table, const std::string& schema = {});

bool equalsIgnoringCase(std::string_view a, std::string_view b);
std::string quoteIdentifier(std::string_view name);

} // namespace store
