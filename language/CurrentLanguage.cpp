#include "language/CurrentLanguage.h"

#include "language/IniFile.h"

namespace language {
namespace {

std::string& current()
{
    static std::string language;
    return language;
}

} // namespace

const std::string& currentLanguage()
{
    return current();
}

void setCurrentLanguage(const std::string& language)
{
    current() = language;
}

bool isEnglish()
{
    return current() == kEnglish;
}

bool isGermanForExchange()
{
    return current() == kGerman;
}

std::string storedLanguage(const std::string& iniPath)
{
    IniFile ini;
    ini.load(iniPath);
    return ini.value("Sprache", "Sprache", kGerman);
}

} // namespace language
