#include "store/Sqlite.h"

#include "store/StoreError.h"

#include <sqlite3.h>
#include <utility>

namespace store {

std::string describeFailure(sqlite3* db, int code, const std::string& fileName)
{
    const std::string file = fileName.empty() ? std::string("the database") : fileName;
    switch (code & 0xFF) {
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return "The table " + file +
               " is locked by another program. The change was not stored; try again later.";
    case SQLITE_FULL:
        return "The disk holding " + file + " is full. The change was not stored.";
    case SQLITE_READONLY:
        return "The table " + file + " is read-only. The change was not stored.";
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
        return "The file " + file + " is damaged or not a table file.";
    case SQLITE_CANTOPEN:
        return "The table " + file + " cannot be opened.";
    default:
        return "Error in " + file + ": " + (db ? sqlite3_errmsg(db) : sqlite3_errstr(code));
    }
}

Statement::Statement(sqlite3* db, std::string_view sql, std::string fileName)
    : m_db(db), m_fileName(std::move(fileName))
{
    const int code = sqlite3_prepare_v3(db, sql.data(), static_cast<int>(sql.size()),
                                        SQLITE_PREPARE_PERSISTENT, &m_statement, nullptr);
    if (code != SQLITE_OK)
        fail(code);
}

Statement::~Statement()
{
    sqlite3_finalize(m_statement);
}

Statement::Statement(Statement&& other) noexcept
    : m_db(other.m_db), m_statement(std::exchange(other.m_statement, nullptr)),
      m_fileName(std::move(other.m_fileName))
{}

Statement& Statement::operator=(Statement&& other) noexcept
{
    if (this != &other) {
        sqlite3_finalize(m_statement);
        m_db = other.m_db;
        m_statement = std::exchange(other.m_statement, nullptr);
        m_fileName = std::move(other.m_fileName);
    }
    return *this;
}

void Statement::fail(int code) const
{
    throw StoreError(describeFailure(m_db, code, m_fileName));
}

void Statement::reset()
{
    // Every parameter is bound again before each use, so the bindings stay.
    sqlite3_reset(m_statement);
}

void Statement::bindNull(int index)
{
    if (const int code = sqlite3_bind_null(m_statement, index); code != SQLITE_OK)
        fail(code);
}

void Statement::bind(int index, int64_t value)
{
    if (const int code = sqlite3_bind_int64(m_statement, index, value); code != SQLITE_OK)
        fail(code);
}

void Statement::bind(int index, double value)
{
    if (const int code = sqlite3_bind_double(m_statement, index, value); code != SQLITE_OK)
        fail(code);
}

void Statement::bind(int index, std::string_view value)
{
    const int code = sqlite3_bind_text(m_statement, index, value.data(),
                                       static_cast<int>(value.size()), SQLITE_TRANSIENT);
    if (code != SQLITE_OK)
        fail(code);
}

bool Statement::step()
{
    const int code = sqlite3_step(m_statement);
    if (code == SQLITE_ROW)
        return true;
    if (code == SQLITE_DONE)
        return false;
    sqlite3_reset(m_statement); // release the statement's locks before reporting
    fail(code);
}

void Statement::run()
{
    while (step()) {
    }
    sqlite3_reset(m_statement);
}

int Statement::columnType(int column) const
{
    return sqlite3_column_type(m_statement, column);
}

int64_t Statement::columnInt(int column) const
{
    return sqlite3_column_int64(m_statement, column);
}

double Statement::columnDouble(int column) const
{
    return sqlite3_column_double(m_statement, column);
}

std::string_view Statement::columnTextView(int column) const
{
    const auto* text = sqlite3_column_text(m_statement, column);
    if (!text)
        return {};
    return {reinterpret_cast<const char*>(text),
            static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column))};
}

std::string Statement::columnText(int column) const
{
    const auto* text = sqlite3_column_text(m_statement, column);
    return text ? std::string(reinterpret_cast<const char*>(text),
                              static_cast<std::size_t>(sqlite3_column_bytes(m_statement, column)))
                : std::string();
}

} // namespace store
