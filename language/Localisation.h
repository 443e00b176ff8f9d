#pragma once

#include <cstddef>
#include <map>
#include <memory>
#include <optional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

// The localisation layer: one language source, one localiser per window.
// German is the original language; English texts come from the language
// file "English". The windows themselves are reached through
// LocalizedWindow, which the user interface implements.
namespace language {

// "Label1.Caption": an element's name and one of its properties; an empty
// element addresses the window itself.
struct TextKey
{
    std::string element;
    std::string property;

    std::string text() const { return element.empty() ? property : element + "." + property; }
    static TextKey parse(const std::string& key); // split at the first point
    friend bool operator<(const TextKey& a, const TextKey& b)
    {
        return std::tie(a.element, a.property) < std::tie(b.element, b.property);
    }
    friend bool operator==(const TextKey& a, const TextKey& b) = default;
};

// The value encoding of the language file and of stored originals: a value
// that begins with a quote is quoted text (a doubled quote stands for one),
// with control characters outside the quotes as #13#10; any other value
// is taken unchanged. A character code above 255 cannot be decoded: nothing.
std::optional<std::string> decodeValue(const std::string& encoded);
std::string encodeValue(const std::string& text);

// The highest character code of the value encoding (a single byte).
inline constexpr int kHighestCharacterCode = 255;
// A language-file value longer than this is taken as damaged: the window
// texts are a few words, and a huge text would widen the window beyond any
// screen and stall its layout.
inline constexpr std::size_t kLongestValue = 1024;

class LocalizedWindow
{
public:
    virtual ~LocalizedWindow() = default;
    virtual std::string windowName() const = 0; // its section in the language file
    // Every localisable text the window has, with what it shows now.
    virtual std::vector<std::pair<TextKey, std::string>> texts() const = 0;
    // The text shown under `key`, or nothing when there is no such element
    // or the element has no such property.
    virtual std::optional<std::string> text(const TextKey& key) const = 0;
    virtual void setText(const TextKey& key, const std::string& value) = 0;
    virtual void setRightToLeft(bool rightToLeft) = 0;
};

class LanguageSource;

// Keeps one window's original texts and applies the active language to it.
class FormLocaliser
{
public:
    // `storedOriginals` are the originals stored with the window (empty for
    // windows that record them when they first leave the original language).
    FormLocaliser(LocalizedWindow& window, std::vector<std::string> localisedProperties,
                  std::vector<std::pair<TextKey, std::string>> storedOriginals = {});
    ~FormLocaliser();
    FormLocaliser(const FormLocaliser&) = delete;
    FormLocaliser& operator=(const FormLocaliser&) = delete;

    // Binds to the source and follows its active language from now on.
    void bind(LanguageSource& source);

    const std::map<TextKey, std::string>& originals() const { return m_originals; }

private:
    friend class LanguageSource;
    void recordOriginals();
    void enterEnglish(const LanguageSource& source);
    void enterOriginal();
    bool isLocalised(const std::string& property) const;

    LocalizedWindow& m_window;
    std::vector<std::string> m_properties;
    std::map<TextKey, std::string> m_originals;
    LanguageSource* m_source = nullptr;
};

// The one language source of the program: the language list holds one
// entry, "English" with the file "English" (relative to the working folder,
// no extension added); index -1 is the original language.
class LanguageSource
{
public:
    explicit LanguageSource(std::string fileName = "English");
    ~LanguageSource();

    int activeLanguage() const { return m_active; }
    // Switches every bound window. `recordOriginals` false is the activation
    // while the main window is being loaded, which records nothing.
    void setActiveLanguage(int index, bool recordOriginals = true);

    // The open language file (read into memory while English is active).
    std::vector<std::pair<std::string, std::string>> section(const std::string& name) const;
    bool rightToLeft() const;

private:
    friend class FormLocaliser;
    void bind(FormLocaliser* localiser);
    void unbind(FormLocaliser* localiser);

    struct File;
    std::string m_fileName;
    int m_active = -1;
    std::unique_ptr<File> m_file;
    std::vector<FormLocaliser*> m_localisers;
};

} // namespace language
