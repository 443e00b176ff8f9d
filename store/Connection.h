#pragma once

#include "store/Schema.h"

#include <set>
#include <string>

struct sqlite3;

namespace store {

// The program's one connection to its tables. Each table file is attached
// under its table's name when a cursor first opens it, in write-ahead-log
// mode so that every post is a cheap durable commit, and with a busy timeout
// so that a file locked by another program yields a clear error instead of
// a hang.
class Connection
{
public:
    Connection();
    ~Connection();
    Connection(const Connection&) = delete;
    Connection& operator=(const Connection&) = delete;

    // The folder that holds the table files, with a trailing separator.
    void setDataDirectory(const std::string& directory);
    const std::string& dataDirectory() const { return m_dataDirectory; }

    void connect();
    void disconnect();
    bool isConnected() const { return m_db != nullptr; }

    // How long a statement waits for another program's lock (milliseconds).
    void setBusyTimeout(int milliseconds);

    // Attaches the table's file once and checks that it holds the table in
    // the expected shape. A missing file, or one that is not such a table,
    // raises StoreError naming the file and is left as it was. Returns the
    // schema name to use in SQL.
    std::string attach(const TableDef& table);

    std::string filePath(const TableDef& table) const;
    sqlite3* handle() const { return m_db; }

private:
    void execute(const std::string& sql, const std::string& fileName);
    void checkBeforeWriting(const TableDef& table, const std::string& schema,
                            const std::string& path);
    void checkShape(const TableDef& table, const std::string& schema);

    sqlite3* m_db = nullptr;
    std::string m_dataDirectory;
    std::set<std::string> m_attached;
    int m_busyTimeout = 3000;
};

} // namespace store
