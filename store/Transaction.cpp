#include "store/Transaction.h"

#include "store/Sqlite.h"

#include <sqlite3.h>

namespace store {

Transaction::Transaction(Connection& connection) : m_connection(connection)
{
    // IMMEDIATE takes the write lock now, so that another program holding the
    // tables is reported before the first change instead of half-way.
    Statement(m_connection.handle(), "BEGIN IMMEDIATE", "").run();
    m_open = true;
}

Transaction::~Transaction()
{
    if (m_open)
        sqlite3_exec(m_connection.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

void Transaction::commit()
{
    Statement(m_connection.handle(), "COMMIT", "").run();
    m_open = false;
}

void Transaction::rollback()
{
    if (!m_open)
        return;
    m_open = false;
    Statement(m_connection.handle(), "ROLLBACK", "").run();
}

} // namespace store
