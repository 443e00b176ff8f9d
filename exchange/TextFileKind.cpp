#include "exchange/TextFileKind.h"

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

namespace exchange {

bool hasTextExtension(const std::string& path, std::initializer_list<const char*> extensions)
{
    std::string extension = std::filesystem::path(path).extension().string();
    std::transform(extension.begin(), extension.end(), extension.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return std::any_of(extensions.begin(), extensions.end(),
                       [&](const char* e) { return extension == e; });
}

bool looksLikeText(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    if (!file)
        return false;
    std::string block(4096, '\0');
    file.read(block.data(), static_cast<std::streamsize>(block.size()));
    block.resize(static_cast<std::size_t>(file.gcount()));
    return block.find('\0') == std::string::npos;
}

bool textFileTable(const std::string& path, std::vector<std::string>& names, std::string& error)
{
    std::error_code failure;
    if (!std::filesystem::is_regular_file(path, failure)) {
        error = "The file " + path + " cannot be found.";
        return false;
    }
    names = {std::filesystem::path(path).filename().string()};
    return true;
}

} // namespace exchange
