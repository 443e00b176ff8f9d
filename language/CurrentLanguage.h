#pragma once

#include <string>

// The one process-wide language of the interface, "Deutsch" or "English".
namespace language {

inline constexpr const char* kGerman = "Deutsch";
inline constexpr const char* kEnglish = "English";

const std::string& currentLanguage();
void setCurrentLanguage(const std::string& language);

// Texts in both languages are English exactly when the current language is
// "English" (whole text, case-sensitive)...
bool isEnglish();
// ...except in the import and the export, which test for "Deutsch" and take
// every other value as English.
bool isGermanForExchange();

// The language stored in VIZUZAR.INI, section "Sprache", key "Sprache";
// "Deutsch" when the file, the section or the key is missing.
std::string storedLanguage(const std::string& iniPath);

} // namespace language
