#pragma once

#include <initializer_list>
#include <string>
#include <vector>

namespace exchange {

// Helpers the text readers share to answer "is this file mine?".
bool hasTextExtension(const std::string& path, std::initializer_list<const char*> extensions);
// No NUL byte in the first block: not a binary file.
bool looksLikeText(const std::string& path);
// The one table of a text file, named after the file.
bool textFileTable(const std::string& path, std::vector<std::string>& names, std::string& error);

} // namespace exchange
