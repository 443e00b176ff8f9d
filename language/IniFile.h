#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace language {

// An ini file read and written line by line: sections in brackets, then
// key=value lines. Values are kept exactly as they stand (a placement such
// as 200,0,1,266,112,1216,713 stays one text), section and key names are
// matched without regard to case, and every line that is not changed is
// written back unchanged, so other sections, keys and comments survive.
class IniFile
{
public:
    // The program's ini files hold a few kilobytes. A larger file is damaged
    // or not one of them; reading it whole could exhaust the memory.
    static constexpr std::size_t kMaxFileSize = 256 * 1024;

    // Reads the file; a missing file, or one larger than kMaxFileSize, reads
    // as empty (and returns false).
    bool load(const std::string& path);
    // Writes the whole file beside its name and moves it into place; false if
    // the folder cannot be written.
    bool save(const std::string& path) const;

    std::optional<std::string> value(const std::string& section, const std::string& key) const;
    std::string value(const std::string& section, const std::string& key,
                      const std::string& fallback) const;
    void setValue(const std::string& section, const std::string& key, const std::string& value);

    // The key=value lines of a section in file order.
    std::vector<std::pair<std::string, std::string>> entries(const std::string& section) const;
    bool hasSection(const std::string& section) const;

private:
    struct Line
    {
        std::string text;    // the line as it stands in the file
        std::string section; // the section it belongs to
        std::string key;     // empty for anything but a key=value line
        std::string value;
    };

    std::vector<Line> m_lines;
};

} // namespace language
