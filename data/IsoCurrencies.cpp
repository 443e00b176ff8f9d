#include "TableFiles.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <map>
#include <stdexcept>

namespace tablegen {
namespace {

std::string readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void appendUtf8(std::string& out, uint32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// Just enough JSON for the iso-codes files: an object whose arrays hold flat
// objects of strings. Each such object is handed to `record`.
class JsonRecords
{
public:
    JsonRecords(const std::string& text, const std::string& path) : m_text(text), m_path(path) {}

    template <class Record>
    void forEach(Record&& record)
    {
        skipValue(record, 0);
    }

private:
    [[noreturn]] void fail(const char* what) const
    {
        throw std::runtime_error(m_path + ": " + what + " at byte " + std::to_string(m_pos));
    }

    void skipSpace()
    {
        while (m_pos < m_text.size() && std::strchr(" \t\r\n", m_text[m_pos]))
            ++m_pos;
    }

    bool take(char c)
    {
        skipSpace();
        if (m_pos < m_text.size() && m_text[m_pos] == c) {
            ++m_pos;
            return true;
        }
        return false;
    }

    std::string string()
    {
        if (!take('"'))
            fail("a string is expected");
        std::string out;
        while (m_pos < m_text.size() && m_text[m_pos] != '"') {
            char c = m_text[m_pos++];
            if (c != '\\') {
                out += c;
                continue;
            }
            if (m_pos >= m_text.size())
                fail("an escape is cut off");
            c = m_text[m_pos++];
            switch (c) {
            case 'n':
                out += '\n';
                break;
            case 't':
                out += '\t';
                break;
            case 'r':
                out += '\r';
                break;
            case 'b':
                out += '\b';
                break;
            case 'f':
                out += '\f';
                break;
            case 'u': {
                if (m_pos + 4 > m_text.size())
                    fail("a \\u escape is cut off");
                appendUtf8(out,
                           static_cast<uint32_t>(std::stoul(m_text.substr(m_pos, 4), nullptr, 16)));
                m_pos += 4;
                break;
            }
            default:
                out += c;
            }
        }
        if (!take('"'))
            fail("a string is not closed");
        return out;
    }

    template <class Record>
    void skipValue(Record& record, int depth)
    {
        skipSpace();
        if (m_pos >= m_text.size())
            fail("a value is expected");
        const char c = m_text[m_pos];
        if (c == '{') {
            ++m_pos;
            std::map<std::string, std::string> fields;
            bool flat = true;
            if (!take('}')) {
                do {
                    const std::string key = string();
                    if (!take(':'))
                        fail("a colon is expected");
                    skipSpace();
                    if (m_pos < m_text.size() && m_text[m_pos] == '"') {
                        fields[key] = string();
                    } else {
                        flat = false;
                        skipValue(record, depth + 1);
                    }
                } while (take(','));
                if (!take('}'))
                    fail("a closing brace is expected");
            }
            if (flat && depth > 0)
                record(fields);
        } else if (c == '[') {
            ++m_pos;
            if (!take(']')) {
                do
                    skipValue(record, depth + 1);
                while (take(','));
                if (!take(']'))
                    fail("a closing bracket is expected");
            }
        } else if (c == '"') {
            string();
        } else {
            while (m_pos < m_text.size() && !std::strchr(",]} \t\r\n", m_text[m_pos]))
                ++m_pos;
        }
    }

    const std::string& m_text;
    const std::string& m_path;
    std::size_t m_pos = 0;
};

// The translations of a gettext catalogue (.mo), original to translated.
std::map<std::string, std::string> readCatalogue(const std::string& path)
{
    std::map<std::string, std::string> translations;
    const std::string data = readWholeFile(path);
    const auto word = [&](std::size_t offset, bool swap) {
        if (offset + 4 > data.size())
            throw std::runtime_error(path + ": the catalogue is cut off");
        uint32_t value = 0;
        std::memcpy(&value, data.data() + offset, 4);
        return swap ? __builtin_bswap32(value) : value;
    };
    const uint32_t magic = word(0, false);
    if (magic != 0x950412de && magic != 0xde120495)
        throw std::runtime_error(path + ": not a gettext catalogue");
    const bool swap = magic == 0xde120495;
    const uint32_t count = word(8, swap);
    const uint32_t originals = word(12, swap);
    const uint32_t translated = word(16, swap);
    for (uint32_t i = 0; i < count; ++i) {
        const uint32_t originalLength = word(originals + 8 * i, swap);
        const uint32_t originalOffset = word(originals + 8 * i + 4, swap);
        const uint32_t translatedLength = word(translated + 8 * i, swap);
        const uint32_t translatedOffset = word(translated + 8 * i + 4, swap);
        if (std::size_t(originalOffset) + originalLength > data.size() ||
            std::size_t(translatedOffset) + translatedLength > data.size())
            throw std::runtime_error(path + ": the catalogue is cut off");
        translations[data.substr(originalOffset, originalLength)] =
            data.substr(translatedOffset, translatedLength);
    }
    return translations;
}

} // namespace

std::vector<CurrencyRow> readIsoCurrencies(const std::string& jsonPath,
                                           const std::string& germanCatalogue)
{
    std::map<std::string, std::string> german;
    if (!germanCatalogue.empty())
        german = readCatalogue(germanCatalogue);

    const std::string json = readWholeFile(jsonPath);
    std::vector<CurrencyRow> rows;
    JsonRecords(json, jsonPath).forEach([&](const std::map<std::string, std::string>& fields) {
        const auto code = fields.find("alpha_3");
        const auto name = fields.find("name");
        if (code == fields.end() || name == fields.end())
            return;
        const auto translation = german.find(name->second);
        rows.push_back({code->second, translation != german.end() && !translation->second.empty()
                                          ? translation->second
                                          : name->second});
    });
    if (rows.empty())
        throw std::runtime_error(jsonPath + ": no currencies found");
    return rows;
}

} // namespace tablegen
