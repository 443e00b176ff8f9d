#include "store/Connection.h"

#include "store/Sqlite.h"
#include "store/StoreError.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <sqlite3.h>

namespace store {
namespace {

// A path as an SQLite URI with `parameters`, such as "mode=rw", which
// forbids creating the file.
std::string fileUri(const std::string& path, const char* parameters)
{
    std::string uri = "file:";
    for (unsigned char c : path) {
        if (c == '%' || c == '?' || c == '#' || c < 0x20) {
            static const char* hex = "0123456789ABCDEF";
            uri += '%';
            uri += hex[c >> 4];
            uri += hex[c & 15];
        } else {
            uri += static_cast<char>(c);
        }
    }
    return uri + "?" + parameters;
}

enum class FileKind
{
    Empty,
    NotDatabase,
    RollbackJournal,
    WriteAheadLog,
};

// What a file is by its first bytes, read past SQLite, which would write an
// SQLite header into an empty file.
FileKind fileKind(const std::string& path, const std::string& fileName)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw StoreError("The table " + fileName + " cannot be opened.");
    char header[100] = {};
    in.read(header, sizeof header);
    const std::streamsize length = in.gcount();
    static constexpr char kMagic[] = "SQLite format 3"; // with its NUL: 16 bytes
    if (length == 0)
        return FileKind::Empty;
    if (length < static_cast<std::streamsize>(sizeof header) ||
        !std::equal(kMagic, kMagic + sizeof kMagic, header))
        return FileKind::NotDatabase;
    // Bytes 18 and 19, the file format's write and read versions, are 2 in
    // write-ahead-log mode.
    return header[18] == 2 ? FileKind::WriteAheadLog : FileKind::RollbackJournal;
}

std::string upper(std::string s)
{
    for (char& c : s)
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return s;
}

} // namespace

Connection::Connection() = default;

Connection::~Connection()
{
    disconnect();
}

void Connection::setDataDirectory(const std::string& directory)
{
    m_dataDirectory = directory;
    const char separator = static_cast<char>(std::filesystem::path::preferred_separator);
    if (!m_dataDirectory.empty() && m_dataDirectory.back() != separator)
        m_dataDirectory += separator;
}

void Connection::connect()
{
    if (m_db)
        return;
    // The program uses its connection from one thread only: no locking per call.
    const int code = sqlite3_open_v2(
        ":memory:", &m_db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_URI | SQLITE_OPEN_NOMUTEX, nullptr);
    if (code != SQLITE_OK) {
        const std::string message = describeFailure(m_db, code, {});
        sqlite3_close(m_db);
        m_db = nullptr;
        throw StoreError(message);
    }
    sqlite3_busy_timeout(m_db, m_busyTimeout);
}

void Connection::disconnect()
{
    if (!m_db)
        return;
    sqlite3_close_v2(m_db);
    m_db = nullptr;
    m_attached.clear();
}

void Connection::setBusyTimeout(int milliseconds)
{
    m_busyTimeout = milliseconds;
    if (m_db)
        sqlite3_busy_timeout(m_db, milliseconds);
}

std::string Connection::filePath(const TableDef& table) const
{
    return m_dataDirectory + table.fileName;
}

void Connection::execute(const std::string& sql, const std::string& fileName)
{
    Statement(m_db, sql, fileName).run();
}

std::string Connection::attach(const TableDef& table)
{
    if (!m_db)
        throw StoreError("The connection to the tables is not open");
    const std::string& schema = table.tableName;
    if (m_attached.count(schema))
        return schema;

    const std::string path = filePath(table);
    std::error_code error;
    if (!std::filesystem::is_regular_file(path, error))
        throw StoreError("The table file " + table.fileName + " is missing in " + m_dataDirectory +
                         ".");

    checkBeforeWriting(table, schema, path);

    Statement attachStatement(m_db, "ATTACH DATABASE ? AS " + quoteIdentifier(schema),
                              table.fileName);
    attachStatement.bind(1, fileUri(path, "mode=rw"));
    attachStatement.run();
    try {
        Statement wal(m_db, "PRAGMA " + quoteIdentifier(schema) + ".journal_mode = WAL",
                      table.fileName);
        wal.run();
        execute("PRAGMA " + quoteIdentifier(schema) + ".synchronous = NORMAL", table.fileName);
        checkShape(table, schema);
    } catch (...) {
        Statement(m_db, "DETACH DATABASE " + quoteIdentifier(schema), table.fileName).run();
        throw;
    }
    m_attached.insert(schema);
    return schema;
}

// A file that is rejected stays as it was: its shape is checked on a
// read-only attachment, before the switch to write-ahead logging writes into
// it. A read-only connection to a file in that mode creates -wal and -shm
// files beside it unless both are there; as long as they are missing, no
// other program has the file open, and it is read as it lies on disk.
void Connection::checkBeforeWriting(const TableDef& table, const std::string& schema,
                                    const std::string& path)
{
    const FileKind kind = fileKind(path, table.fileName);
    if (kind == FileKind::Empty)
        throw StoreError("The file " + table.fileName + " is empty, not a table file.");
    if (kind == FileKind::NotDatabase)
        throw StoreError("The file " + table.fileName + " is damaged or not a table file.");
    std::error_code error;
    const bool inUse = std::filesystem::exists(path + "-wal", error) &&
                       std::filesystem::exists(path + "-shm", error);
    const bool asOnDisk = kind == FileKind::WriteAheadLog && !inUse;

    Statement attachStatement(m_db, "ATTACH DATABASE ? AS " + quoteIdentifier(schema),
                              table.fileName);
    attachStatement.bind(1, fileUri(path, asOnDisk ? "mode=ro&immutable=1" : "mode=ro"));
    attachStatement.run();
    try {
        checkShape(table, schema);
    } catch (...) {
        Statement(m_db, "DETACH DATABASE " + quoteIdentifier(schema), table.fileName).run();
        throw;
    }
    Statement(m_db, "DETACH DATABASE " + quoteIdentifier(schema), table.fileName).run();
}

void Connection::checkShape(const TableDef& table, const std::string& schema)
{
    Statement info(m_db,
                   "PRAGMA " + quoteIdentifier(schema) + ".table_info(" +
                       quoteIdentifier(table.tableName) + ")",
                   table.fileName);
    std::size_t column = 0;
    std::string fault;
    while (info.step() && fault.empty()) {
        const std::string name = info.columnText(1);
        const std::string type = upper(info.columnText(2));
        if (column >= table.fields.size()) {
            fault = "it has the unexpected column " + name;
        } else if (name != table.fields[column].name) {
            fault = "column " + std::to_string(column + 1) + " is " + name + " instead of " +
                    table.fields[column].name;
        } else if (type != sqliteType(table.fields[column].type)) {
            fault = "column " + name + " has the type " + type + " instead of " +
                    std::string(sqliteType(table.fields[column].type));
        }
        ++column;
    }
    info.reset();
    if (fault.empty() && column == 0)
        fault = "it holds no table " + table.tableName;
    else if (fault.empty() && column < table.fields.size())
        fault = "the column " + table.fields[column].name + " is missing";
    if (!fault.empty())
        throw StoreError("The file " + table.fileName +
                         " is not a table of the expected shape: " + fault + ".");
}

} // namespace store
