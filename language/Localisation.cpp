#include "language/Localisation.h"

#include "language/IniFile.h"

#include <algorithm>
#include <cctype>

namespace language {

struct LanguageSource::File
{
    IniFile ini;
};

TextKey TextKey::parse(const std::string& key)
{
    const auto point = key.find('.');
    if (point == std::string::npos)
        return {{}, key};
    return {key.substr(0, point), key.substr(point + 1)};
}

std::optional<std::string> decodeValue(const std::string& encoded)
{
    if (encoded.empty() || encoded.front() != '"')
        return encoded;
    std::string text;
    std::size_t pos = 0;
    while (pos < encoded.size()) {
        if (encoded[pos] == '"') {
            // A quoted stretch; a doubled quote inside stands for one.
            for (++pos; pos < encoded.size(); ++pos) {
                if (encoded[pos] == '"') {
                    if (pos + 1 < encoded.size() && encoded[pos + 1] == '"') {
                        text += '"';
                        ++pos;
                        continue;
                    }
                    ++pos;
                    break;
                }
                text += encoded[pos];
            }
        } else if (encoded[pos] == '#') {
            std::size_t end = pos + 1;
            int code = 0;
            while (end < encoded.size() && std::isdigit(static_cast<unsigned char>(encoded[end]))) {
                code = code * 10 + (encoded[end] - '0');
                if (code > kHighestCharacterCode)
                    return std::nullopt;
                ++end;
            }
            if (end > pos + 1)
                text += static_cast<char>(code);
            pos = end;
        } else {
            ++pos; // anything else between the stretches is not part of the text
        }
    }
    return text;
}

std::string encodeValue(const std::string& text)
{
    // A value must begin with a quote to be read as quoted text.
    std::string encoded =
        !text.empty() && static_cast<unsigned char>(text.front()) < 0x20 ? "\"\"" : "";
    bool quoted = false;
    for (unsigned char c : text) {
        if (c < 0x20) {
            if (quoted)
                encoded += '"';
            quoted = false;
            encoded += '#' + std::to_string(c);
            continue;
        }
        if (!quoted)
            encoded += '"';
        quoted = true;
        if (c == '"')
            encoded += '"';
        encoded += static_cast<char>(c);
    }
    if (quoted)
        encoded += '"';
    return encoded.empty() ? "\"\"" : encoded;
}

// ---- FormLocaliser -------------------------------------------------------

FormLocaliser::FormLocaliser(LocalizedWindow& window, std::vector<std::string> localisedProperties,
                             std::vector<std::pair<TextKey, std::string>> storedOriginals)
    : m_window(window), m_properties(std::move(localisedProperties))
{
    for (auto& [key, text] : storedOriginals)
        m_originals[key] = std::move(text);
}

FormLocaliser::~FormLocaliser()
{
    if (m_source)
        m_source->unbind(this);
}

bool FormLocaliser::isLocalised(const std::string& property) const
{
    return std::find(m_properties.begin(), m_properties.end(), property) != m_properties.end();
}

void FormLocaliser::bind(LanguageSource& source)
{
    m_source = &source;
    source.bind(this);
    // A window created while English is active takes it at once.
    if (source.activeLanguage() == 0) {
        recordOriginals();
        enterEnglish(source);
    }
}

void FormLocaliser::recordOriginals()
{
    m_originals.clear();
    for (const auto& [key, text] : m_window.texts()) {
        const bool blank = std::all_of(text.begin(), text.end(),
                                       [](unsigned char c) { return std::isspace(c) != 0; });
        if (isLocalised(key.property) && !blank)
            m_originals[key] = text;
    }
}

void FormLocaliser::enterEnglish(const LanguageSource& source)
{
    m_window.setRightToLeft(source.rightToLeft());
    const auto entries = source.section(m_window.windowName());
    std::map<TextKey, std::string> english;
    for (const auto& [key, value] : entries) {
        // A damaged entry counts as missing: absurdly long, or not decodable.
        if (value.size() > kLongestValue)
            continue;
        if (std::optional<std::string> text = decodeValue(value))
            english[TextKey::parse(key)] = std::move(*text);
    }
    // A text the file lacks shows its original.
    for (const auto& [key, text] : m_originals) {
        if (!english.count(key))
            m_window.setText(key, text);
    }
    for (const auto& [key, value] : english) {
        if (!isLocalised(key.property))
            continue;
        const std::optional<std::string> current = m_window.text(key);
        if (!current || current->empty())
            continue; // no such element, or a text the window does not show
        m_window.setText(key, value);
    }
}

void FormLocaliser::enterOriginal()
{
    m_window.setRightToLeft(false);
    for (const auto& [key, text] : m_originals)
        m_window.setText(key, text);
    m_originals.clear();
}

// ---- LanguageSource ------------------------------------------------------

LanguageSource::LanguageSource(std::string fileName) : m_fileName(std::move(fileName)) {}

LanguageSource::~LanguageSource()
{
    for (FormLocaliser* localiser : m_localisers)
        localiser->m_source = nullptr;
}

void LanguageSource::bind(FormLocaliser* localiser)
{
    if (std::find(m_localisers.begin(), m_localisers.end(), localiser) == m_localisers.end())
        m_localisers.push_back(localiser);
}

void LanguageSource::unbind(FormLocaliser* localiser)
{
    m_localisers.erase(std::remove(m_localisers.begin(), m_localisers.end(), localiser),
                       m_localisers.end());
}

std::vector<std::pair<std::string, std::string>>
LanguageSource::section(const std::string& name) const
{
    return m_file ? m_file->ini.entries(name) : std::vector<std::pair<std::string, std::string>>{};
}

bool LanguageSource::rightToLeft() const
{
    if (!m_file)
        return false;
    const std::string mode = m_file->ini.value("General Settings", "BiDiMode", "0");
    return mode == "1" || mode == "2" || mode == "3";
}

void LanguageSource::setActiveLanguage(int index, bool recordOriginals)
{
    if (index == m_active || index < -1 || index > 0)
        return;
    const std::vector<FormLocaliser*> localisers = m_localisers;
    if (index == 0) {
        if (recordOriginals) {
            for (FormLocaliser* l : localisers)
                l->recordOriginals();
        }
        m_file = std::make_unique<File>();
        m_file->ini.load(m_fileName); // a missing file counts as empty
        m_active = 0;
        for (FormLocaliser* l : localisers)
            l->enterEnglish(*this);
    } else {
        m_file.reset();
        m_active = -1;
        for (FormLocaliser* l : localisers)
            l->enterOriginal();
    }
}

} // namespace language
