#pragma once

// The texts of the check run, German and English, with their trailing blanks.
namespace checking::texts {

struct Text
{
    const char* german;
    const char* english;
    const char* in(bool isEnglish) const { return isEnglish ? english : german; }
};

inline constexpr Text kBeforeCreation{"liegt vor dem Erstellungsdatum !  ",
                                      "lies before the date of preparation !  "};
inline constexpr Text kAfter15Days{"liegt mehr als 15 Tage nach dem Erstellungsdatum !  ",
                                   "lies more than 15 days after the date of preparation !  "};
inline constexpr Text kNoClientName{"Auftraggebername fehlt! ", "Client incorrect ! "};
inline constexpr Text kNoBankCode{"Bankleitzahl fehlt! ", "Bank Code Number incorrect! "};
inline constexpr Text kNoAccount{"Konto-Nr. fehlt! ", "Account number incorrect! "};

inline constexpr Text kBelowOne{" < Betrag kleiner als 1 EUR > ",
                                " < Amount smaller than 1 EUR > "};
inline constexpr Text kOver50000{" < Betrag über 50.000 EUR > ", " < Amount over 50.000 EUR > "};
inline constexpr Text kReportable{" < Meldepflichtiger Betrag > ", " < notifiable amount > "};
inline constexpr Text kAmountTooLarge{" < Betrag zu groß für die DTAZV-Datei > ",
                                      " < Amount too large for the DTAZV file > "};
inline constexpr Text kNoName{" < Name fehlt > ", " < Name incorrect > "};
inline constexpr Text kPurposeTooLong{" < Verwendungszweck zu lang für die DTAZV-Datei > ",
                                      " < Purpose too long for the DTAZV file > "};
inline constexpr Text kWrongIban{" < IBAN falsch > ", " < IBAN incorrect > "};
inline constexpr Text kWrongBic{" < BIC falsch > ", " < BIC incorrect > "};
inline constexpr Text kDateBeforeCreation{" < Ausführungsdatum liegt vor dem Erstellungsdatum > ",
                                          " < Remark date lies before the date of preparation > "};
inline constexpr Text kDateAfter15Days{
    " < Ausführungsdatum mehr als 15 Tage nach dem Erstellungsdatum > ",
    " < Remark date more than 15 days after the date of preparation > "};
// A value that another program stored in a form its field cannot be read as.
inline constexpr Text kUnreadableAmount{" < Betrag nicht lesbar > ", " < Amount unreadable > "};
inline constexpr Text kUnreadableDate{" < Ausführungsdatum nicht lesbar > ",
                                      " < Execution date unreadable > "};

inline constexpr Text kNone{"keine", "none"};
inline constexpr Text kNotExecuted{" ( wird nicht ausgeführt )", " ( does not implement )"};
inline constexpr const char* kReportableNotExecuted = " ( werden nicht ausgeführt )";
inline constexpr Text kNoFile{"DTAZV Datei kann nicht erstellt werden !",
                              "DTAZV file cannot be provided !"};

} // namespace checking::texts
