#include "store/Schema.h"

#include <cctype>

namespace store {
namespace {

FieldDef text(const char* name, int width)
{
    return {name, FieldType::Text, width};
}
FieldDef of(const char* name, FieldType type)
{
    return {name, type, 0};
}

} // namespace

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

std::string quoteIdentifier(std::string_view name)
{
    std::string quoted = "\"";
    for (char c : name) {
        if (c == '"')
            quoted += '"';
        quoted += c;
    }
    return quoted + '"';
}

const FieldDef* TableDef::field(std::string_view name) const
{
    for (const FieldDef& f : fields) {
        if (equalsIgnoringCase(f.name, name))
            return &f;
    }
    return nullptr;
}

const IndexDef* TableDef::index(std::string_view name) const
{
    for (const IndexDef& i : indexes) {
        if (equalsIgnoringCase(i.name, name))
            return &i;
    }
    return nullptr;
}

std::string TableDef::sqliteIndexName(const IndexDef& index) const
{
    return equalsIgnoringCase(index.name, tableName) ? tableName + "_" + index.name + "_INDEX"
                                                     : index.name;
}

const TableDef& zahlungTable()
{
    static const TableDef table{
        "ZAHLUNG.ADT",
        "ZAHLUNG",
        {
            of("Zaehler", FieldType::AutoInc),
            text("Name", 35),
            text("Name2", 35),
            text("Strasse", 35),
            text("OrtLand", 35),
            of("BLZNUM", FieldType::Float),
            of("BETRAG", FieldType::Currency),
            text("KTO", 20),
            text("Verwendungszweck1", 35),
            text("Verwendungszweck2", 35),
            text("Verwendungszweck3", 35),
            text("Verwendungszweck4", 35),
            of("Ausfuehrungsdatum", FieldType::Date),
            text("TYP", 2),
            of("KTONUM", FieldType::Float),
            of("PRUEFEN", FieldType::Boolean),
            text("Infofeld", 30),
            text("Auftraggeber", 27),
            text("BLZ", 12),
            text("VERWLANG", 270),
            text("BIC", 20),
            text("Waehrung", 3),
            text("IBAN", 50),
            text("Hinweis", 100),
            text("IBAN_IMPORT", 50),
            text("BIC_IMPORT", 20),
        },
        {
            {"PRIMARY", {"Zaehler"}, true},
            {"IBLZ", {"BLZ"}},
            {"IBETRAG", {"BETRAG"}},
            {"IKTO", {"KTO"}},
            {"INFOFELD", {"Infofeld"}},
            {"AUFTRAGGEBER", {"Auftraggeber"}},
            {"BIC", {"BIC"}},
            {"IBAN", {"IBAN"}},
            {"NAME", {"Name"}},
        },
    };
    return table;
}

const TableDef& auftraggeberTable()
{
    static const TableDef table{
        "auftraggeber.adt",
        "auftraggeber",
        {
            of("Zaehler", FieldType::AutoInc),
            of("KontoNr", FieldType::Float),
            of("BLZ", FieldType::Float),
            text("Name1", 35),
            text("Name", 35),
            text("Strasse", 35),
            text("Ort", 35),
            of("Bundesbankmeldung", FieldType::Boolean),
            text("BundeslandNr", 2),
            text("AuftraggeberNr", 8),
            of("Zahlung50T", FieldType::Boolean),
        },
        {
            {"ZAEHLER", {"Zaehler"}},
            {"KONTONR", {"KontoNr"}},
            {"BLZ", {"BLZ"}},
        },
    };
    return table;
}

const TableDef& blzTable()
{
    static const TableDef table{
        "BLZ.ADT",
        "BLZ",
        {
            of("Zaehler", FieldType::AutoInc),
            text("BLZ", 8),
            text("NAME", 27),
            text("PLZ", 5),
            text("ORT", 27),
            text("PRZIFF", 2),
            text("KZHST", 1),
            text("BIC", 20),
        },
        {
            {"PRIMARY", {"Zaehler"}, true},
            {"BLZ", {"BLZ"}},
            {"NAME", {"NAME"}},
            {"PLZ", {"PLZ"}},
            {"ORT", {"ORT"}},
        },
    };
    return table;
}

const TableDef& waehrungTable()
{
    static const TableDef table{
        "waehrung.adt",
        "waehrung",
        {
            of("Zaehler", FieldType::AutoInc),
            text("Code", 3),
            text("Waehrung", 30),
        },
        {
            {"CODE", {"Code"}},
        },
    };
    return table;
}

const TableDef& stammTable()
{
    static const TableDef table{
        "stamm.ADT",
        "stamm",
        {
            of("Meldepflicht", FieldType::Boolean),
            text("WAEHRUNG", 5),
            of("Ausfuehrungstermin", FieldType::Date),
            text("KTO", 10),
            text("BLZ", 8),
            text("BANK", 50),
            of("SUMME_EURO", FieldType::Float),
            of("SUMME_BLZ", FieldType::Float),
            of("SUMME_KTO", FieldType::Float),
            of("BEGLEIT", FieldType::Boolean),
            of("PROTOKOLL", FieldType::Boolean),
            of("Erstelldatum", FieldType::Date),
            of("ANZAHL", FieldType::Float),
            of("PDF", FieldType::Boolean),
            of("DATUM", FieldType::Date),
            of("EditTabelle", FieldType::Boolean),
            of("EditImport", FieldType::Boolean),
            text("Feld1", 20),
            text("Feld2", 20),
            text("Feld3", 20),
            text("Feld4", 20),
            text("Feld5", 20),
        },
        {},
    };
    return table;
}

const std::vector<const TableDef*>& allTables()
{
    static const std::vector<const TableDef*> tables{&zahlungTable(), &auftraggeberTable(),
                                                     &blzTable(), &waehrungTable(), &stammTable()};
    return tables;
}

std::string_view sqliteType(FieldType type)
{
    switch (type) {
    case FieldType::AutoInc:
    case FieldType::Boolean:
        return "INTEGER";
    case FieldType::Text:
    case FieldType::Date:
        return "TEXT";
    case FieldType::Float:
    case FieldType::Currency:
        return "REAL";
    }
    return "TEXT";
}

std::vector<std::string> createStatements(const TableDef& table, const std::string& schema)
{
    const std::string prefix = schema.empty() ? std::string() : quoteIdentifier(schema) + ".";
    std::string create = "CREATE TABLE " + prefix + quoteIdentifier(table.tableName) + " (";
    for (std::size_t i = 0; i < table.fields.size(); ++i) {
        const FieldDef& f = table.fields[i];
        create += (i ? ", " : "") + quoteIdentifier(f.name) + " " + std::string(sqliteType(f.type));
        if (f.type == FieldType::AutoInc)
            create += " PRIMARY KEY AUTOINCREMENT";
    }
    create += ")";

    std::vector<std::string> statements{create};
    for (const IndexDef& index : table.indexes) {
        std::string columns;
        for (const std::string& field : index.fields) {
            columns += (columns.empty() ? "" : ", ") + quoteIdentifier(field);
            if (const FieldDef* def = table.field(field); def && def->type == FieldType::Text)
                columns += " COLLATE NOCASE"; // the order the cursors sort text in
        }
        statements.push_back(std::string("CREATE ") + (index.unique ? "UNIQUE " : "") + "INDEX " +
                             prefix + quoteIdentifier(table.sqliteIndexName(index)) + " ON " +
                             quoteIdentifier(table.tableName) + " (" + columns + ")");
    }
    return statements;
}

} // namespace store
