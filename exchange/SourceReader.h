#pragma once

#include "exchange/Cell.h"

#include <memory>
#include <string>
#include <vector>

namespace exchange {

// The rows of one table of a source, read one at a time so that a large file
// is never held whole.
class RowStream
{
public:
    virtual ~RowStream() = default;

    // The titles from the source's title row; empty when it has none.
    virtual const std::vector<std::string>& titles() const = 0;

    // The next data row; false at the end or on a failure, which error() then
    // describes (empty at a clean end).
    virtual bool next(SourceRow& row) = 0;
    virtual const std::string& error() const = 0;

    // The row's place as the user finds it in the source ("line 12").
    virtual std::string placeOf(const SourceRow& row) const = 0;
};

// What every kind of source answers. A reader carries the options of its
// kind (separator, sheet, row element, ...) as its own members, so that new
// kinds need nothing more from this interface. Errors are returned as texts
// for the caller to show; a reader shows nothing itself.
class SourceReader
{
public:
    virtual ~SourceReader() = default;

    virtual std::string name() const = 0;
    // Patterns for a file dialog, such as "*.csv".
    virtual std::vector<std::string> fileFilters() const = 0;
    // Whether the file looks like this kind of source, from its name and its
    // first bytes; cheap, reads no more than a block.
    virtual bool recognises(const std::string& path) const = 0;

    // The tables, sheets or row elements the source holds; a text file holds
    // one. False on a failure, described by lastError().
    virtual bool tables(const std::string& path, std::vector<std::string>& names) = 0;
    // The rows of the table at `tableIndex` (counted from 0); null on a
    // failure, described by lastError().
    virtual std::unique_ptr<RowStream> open(const std::string& path, int tableIndex) = 0;

    const std::string& lastError() const { return m_lastError; }

protected:
    std::string m_lastError;
};

} // namespace exchange
