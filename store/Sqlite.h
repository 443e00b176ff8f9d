#pragma once

#include <cstdint>
#include <string>
#include <string_view>

struct sqlite3;
struct sqlite3_stmt;

namespace store {

// A prepared statement. Errors raise StoreError with a message that names
// the table file the statement works on.
class Statement
{
public:
    Statement() = default;
    Statement(sqlite3* db, std::string_view sql, std::string fileName);
    ~Statement();
    Statement(Statement&& other) noexcept;
    Statement& operator=(Statement&& other) noexcept;
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    bool isValid() const { return m_statement != nullptr; }

    void reset();
    void bindNull(int index);
    void bind(int index, int64_t value);
    void bind(int index, double value);
    void bind(int index, std::string_view value);

    // Steps once: true while a row is available, false when done.
    bool step();
    // Runs a statement that returns no rows to its end.
    void run();

    int columnType(int column) const; // SQLITE_INTEGER, SQLITE_FLOAT, SQLITE_TEXT, SQLITE_NULL
    int64_t columnInt(int column) const;
    double columnDouble(int column) const;
    std::string columnText(int column) const;
    // Valid until the statement steps or is reset.
    std::string_view columnTextView(int column) const;

private:
    [[noreturn]] void fail(int code) const;

    sqlite3* m_db = nullptr;
    sqlite3_stmt* m_statement = nullptr;
    std::string m_fileName;
};

// A message for the failure `code` on `db`, naming the table file.
std::string describeFailure(sqlite3* db, int code, const std::string& fileName);

} // namespace store
