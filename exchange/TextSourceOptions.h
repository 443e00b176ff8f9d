#pragma once

#include <string>

namespace exchange {

// The options shared by delimited and fixed-width text files. The defaults
// are those of the files the program is usually given.
struct TextSourceOptions
{
    std::string encoding; // empty: guessed from the file
    int skipLines = 0;    // lines before the title row (or the first data row)
    bool titleRow = true;
};

} // namespace exchange
