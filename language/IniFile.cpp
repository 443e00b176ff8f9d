#include "language/IniFile.h"

#include <cctype>
#include <cstdio>
#include <filesystem>
#include <fstream>

namespace language {
namespace {

std::string trimmed(const std::string& s)
{
    std::size_t begin = 0;
    std::size_t end = s.size();
    while (begin < end && std::isspace(static_cast<unsigned char>(s[begin])))
        ++begin;
    while (end > begin && std::isspace(static_cast<unsigned char>(s[end - 1])))
        --end;
    return s.substr(begin, end - begin);
}

bool sameName(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(a[i])) !=
            std::tolower(static_cast<unsigned char>(b[i])))
            return false;
    }
    return true;
}

} // namespace

bool IniFile::load(const std::string& path)
{
    m_lines.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    // Read one byte more than allowed to tell a file at the limit from a larger one.
    std::string content(kMaxFileSize + 1, '\0');
    in.read(content.data(), static_cast<std::streamsize>(content.size()));
    content.resize(static_cast<std::size_t>(in.gcount()));
    if (content.size() > kMaxFileSize)
        return false;
    if (content.rfind("\xEF\xBB\xBF", 0) == 0)
        content.erase(0, 3); // a byte-order mark written by some editors
    std::string section;
    std::size_t start = 0;
    while (start < content.size()) {
        std::size_t end = content.find('\n', start);
        if (end == std::string::npos)
            end = content.size();
        std::string text = content.substr(start, end - start);
        start = end + 1;
        if (!text.empty() && text.back() == '\r')
            text.pop_back();
        Line line{text, section, {}, {}};
        const std::string t = trimmed(text);
        if (t.size() >= 2 && t.front() == '[' && t.back() == ']') {
            section = trimmed(t.substr(1, t.size() - 2));
            line.section = section;
        } else if (!t.empty() && t.front() != ';' && t.front() != '#') {
            if (const auto equals = text.find('='); equals != std::string::npos) {
                line.key = trimmed(text.substr(0, equals));
                line.value = trimmed(text.substr(equals + 1));
            }
        }
        m_lines.push_back(std::move(line));
    }
    return true;
}

bool IniFile::save(const std::string& path) const
{
    const std::string partial = path + ".saving";
    {
        std::ofstream out(partial, std::ios::binary | std::ios::trunc);
        if (!out)
            return false;
        for (const Line& line : m_lines)
            out << line.text << "\r\n";
        out.flush();
        if (!out) {
            std::remove(partial.c_str());
            return false;
        }
    }
    std::error_code error;
    std::filesystem::rename(partial, path, error);
    if (error) {
        std::remove(partial.c_str());
        return false;
    }
    return true;
}

std::optional<std::string> IniFile::value(const std::string& section, const std::string& key) const
{
    for (const Line& line : m_lines) {
        if (!line.key.empty() && sameName(line.section, section) && sameName(line.key, key))
            return line.value;
    }
    return std::nullopt;
}

std::string IniFile::value(const std::string& section, const std::string& key,
                           const std::string& fallback) const
{
    return value(section, key).value_or(fallback);
}

void IniFile::setValue(const std::string& section, const std::string& key, const std::string& value)
{
    const std::string text = key + "=" + value;
    std::size_t lastOfSection = m_lines.size();
    bool sectionFound = false;
    for (std::size_t i = 0; i < m_lines.size(); ++i) {
        Line& line = m_lines[i];
        if (!sameName(line.section, section))
            continue;
        sectionFound = true;
        lastOfSection = i;
        if (!line.key.empty() && sameName(line.key, key)) {
            line.text = line.key + "=" + value;
            line.value = value;
            return;
        }
    }
    if (!sectionFound) {
        if (!m_lines.empty() && !trimmed(m_lines.back().text).empty())
            m_lines.push_back({"", m_lines.back().section, {}, {}});
        m_lines.push_back({"[" + section + "]", section, {}, {}});
        m_lines.push_back({text, section, key, value});
        return;
    }
    // After the section's last key, before any blank lines that end it.
    std::size_t at = lastOfSection + 1;
    while (at > 0 && m_lines[at - 1].key.empty() && trimmed(m_lines[at - 1].text).empty())
        --at;
    m_lines.insert(m_lines.begin() + static_cast<std::ptrdiff_t>(at), {text, section, key, value});
}

std::vector<std::pair<std::string, std::string>> IniFile::entries(const std::string& section) const
{
    std::vector<std::pair<std::string, std::string>> result;
    for (const Line& line : m_lines) {
        if (!line.key.empty() && sameName(line.section, section))
            result.emplace_back(line.key, line.value);
    }
    return result;
}

bool IniFile::hasSection(const std::string& section) const
{
    for (const Line& line : m_lines) {
        if (sameName(line.section, section))
            return true;
    }
    return false;
}

} // namespace language
