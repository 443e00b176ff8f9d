#pragma once

#include "store/Schema.h"
#include "store/StoreError.h"

#include <cstdint>
#include <string>

namespace store {

// Where a stored value is, for a message about it: "ZAHLUNG.ADT, row with
// Zaehler 5, field BETRAG". A table without a row number names its row by
// its place in the file; `rowId` 0 is a row not yet stored.
std::string valueLocation(const TableDef& table, int64_t rowId, const std::string& column);

// The result of `read`, which reads one stored value. A value that another
// program stored in a form it cannot be read as raises StoreError naming
// where the value is: the bare "'abc' is not a valid floating point value"
// gives the user no way to find it.
template <class Read>
auto readStoredValue(const TableDef& table, int64_t rowId, const std::string& column, Read&& read)
{
    try {
        return read();
    } catch (const StoreError& e) {
        throw StoreError(valueLocation(table, rowId, column) + ": " + e.what());
    }
}

} // namespace store
