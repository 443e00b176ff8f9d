#pragma once

#include "dtazv/DateTime.h"

#include <cstdint>
#include <string>
#include <vector>

namespace exchange {

// One value of a source row, as the source holds it: text files give text,
// spreadsheets also numbers and dates.
struct Cell
{
    enum class Kind
    {
        Empty,
        Text,
        Number,
        Date,
    };

    Kind kind = Kind::Empty;
    std::string text; // UTF-8, for Text
    double number = 0;
    dtazv::DateTime date = 0;

    static Cell fromText(std::string value)
    {
        Cell cell;
        cell.kind = value.empty() ? Kind::Empty : Kind::Text;
        cell.text = std::move(value);
        return cell;
    }
    static Cell fromNumber(double value)
    {
        Cell cell;
        cell.kind = Kind::Number;
        cell.number = value;
        return cell;
    }
    static Cell fromDate(dtazv::DateTime value)
    {
        Cell cell;
        cell.kind = Kind::Date;
        cell.date = value;
        return cell;
    }
};

struct SourceRow
{
    // Where the user finds the row in the source: the line of a text file
    // (its first line, for a record spread over several), the row of a sheet.
    int64_t position = 0;
    std::vector<Cell> cells;
};

} // namespace exchange
