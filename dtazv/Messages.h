#pragma once

// The writer's messages. They are German in every language setting, because
// callers show them as they stand.
namespace dtazv::messages {

inline constexpr const char* kName = "Der Name muss angegeben werden.";
inline constexpr const char* kPurposeLines = "Es sind nicht mehr als 4 Verwendungszwecke erlaubt.";
inline constexpr const char* kIban =
    "Es muss eine korrekte IBAN angegeben werden. Die IBAN darf höchstens 34 Zeichen beinhalten.";
inline constexpr const char* kBic = "Die BIC muss aus 8 oder 11 Ziffern bestehen.";
inline constexpr const char* kCurrency =
    "Der Währungscode muss aus genau drei Zeichen bestehen, z.B. USD.";
inline constexpr const char* kBlz = "Die Bankleitzahl muss genau 8 Zeichen besitzen.";
inline constexpr const char* kKontoNr = "Die Kontonummer muss zwischen 10 und 9999999999 liegen.";

// Values the record layout has no room for.
inline constexpr const char* kSerial =
    "Die laufende Nummer der Datei muss zwischen 0 und 99 liegen.";
inline constexpr const char* kAmountNegative = "Der Betrag darf nicht negativ sein.";
inline constexpr const char* kAmountTooLarge = "Der Betrag muss kleiner als 2147483648 sein.";
inline constexpr const char* kAmountNotANumber = "Der Betrag muss eine Zahl sein.";
inline constexpr const char* kAmountSum =
    "Die Summe der Beträge einer Datei darf 999999999999999 nicht übersteigen.";
inline constexpr const char* kAccountCurrency =
    "Der Währungscode des Kontos muss aus genau drei Zeichen bestehen, z.B. EUR.";
inline constexpr const char* kExecutionDate =
    "Das Ausführungsdatum muss zwischen den Jahren 1 und 9999 liegen.";
inline constexpr const char* kNoOpenFile = "Es ist keine DTAZV-Datei geöffnet.";

// File layer; %1 is the file name, %2 the system's reason.
inline constexpr const char* kCannotCreate = "Die Datei \"%1\" kann nicht angelegt werden: %2";
inline constexpr const char* kCannotWrite = "Die Datei \"%1\" kann nicht geschrieben werden: %2";

} // namespace dtazv::messages
