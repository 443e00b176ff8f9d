#pragma once

#include "store/Connection.h"

namespace store {

// All writes through any cursor of the connection between construction and
// commit() become visible together or not at all: leaving the scope without
// commit() rolls them back. Cursors keep rows they read before a rollback,
// so their owner refreshes them afterwards.
class Transaction
{
public:
    explicit Transaction(Connection& connection);
    ~Transaction();
    Transaction(const Transaction&) = delete;
    Transaction& operator=(const Transaction&) = delete;

    void commit();
    void rollback();
    bool isOpen() const { return m_open; }

private:
    Connection& m_connection;
    bool m_open = false;
};

} // namespace store
