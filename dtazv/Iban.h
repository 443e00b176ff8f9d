#pragma once

#include <string_view>

namespace dtazv {

// The ISO 7064 MOD 97-10 remainder of an IBAN (ISO 13616): letters a to z
// made capitals, the first four characters moved to the end, each capital
// replaced by its two-digit number ("A" 10 to "Z" 35), the digits reduced
// modulo 97 nine digits at a time. Any character that is then not a digit (a
// blank, a hyphen, an umlaut) makes the remainder 0. A correct IBAN has the
// remainder 1.
int IBANRemainder(std::string_view iban);

} // namespace dtazv
