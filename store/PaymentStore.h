#pragma once

#include "store/Connection.h"
#include "store/Cursor.h"

#include <functional>
#include <string>
#include <vector>

namespace store {

// Shows or hides the busy pointer; supplied by the user interface.
using BusyHook = std::function<void(bool busy)>;

// The program's data: one connection and the six cursors every part of the
// program reads and writes through. Works without any window.
class PaymentStore
{
public:
    PaymentStore();
    PaymentStore(const PaymentStore&) = delete;
    PaymentStore& operator=(const PaymentStore&) = delete;

    Connection connection;
    Cursor Zahlung_tt; // transfers, behind the transfer grid
    Cursor Import_tt;  // the same transfers, the twelve fields the import writes
    Cursor Auftrag_tt; // ordering parties; the current row is the current one
    Cursor BLZ_tt;     // bank-code directory, in bank-code order
    Cursor WH_TT;      // currency list
    Cursor Stamm_tt;   // the settings record

    // Disconnects, points the connection at the folder and connects again.
    void pointAt(const std::string& dataDirectory);

    // Opens the six cursors in their fixed order; the first failure raises
    // and leaves the remaining ones closed.
    void openAll();
    std::vector<Cursor*> cursorsInOpeningOrder();

    // Ends every pending change before a run or at shutdown: the settings
    // record if it is being edited, the current ordering party and the
    // current transfer if they are being edited or added, even untouched.
    void PostPendingEdits();

    void setBusyHook(BusyHook hook) { m_busyHook = std::move(hook); }
    const BusyHook& busyHook() const { return m_busyHook; }

private:
    Value bankName(const std::vector<Value>& ordererRow);

    BusyHook m_busyHook;
    Statement m_bankLookup;
    int m_ordererBlzField = -1;
};

// A walk over all transfers: the grid is detached from the transfer cursor
// and the busy pointer shown, both undone when the guard goes, also when the
// walk ends with an error.
class BulkRun
{
public:
    explicit BulkRun(PaymentStore& store, bool showBusy = true);
    ~BulkRun();
    BulkRun(const BulkRun&) = delete;
    BulkRun& operator=(const BulkRun&) = delete;

private:
    PaymentStore& m_store;
    bool m_showBusy;
};

} // namespace store
