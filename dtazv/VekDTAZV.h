#pragma once

#include "dtazv/VekDTA.h"

#include <cstdint>
#include <string>
#include <vector>

namespace dtazv {

// Writes one DTAZV file: BeginFile writes the Q record, AddTransfer one T
// record per transfer, EndFile the Z record. Records go to the file as soon
// as they are built; only the two totals carry over between transfers.
class TVekDTAZV final : public TVekBaseDTA
{
public:
    TVekDTAZV() = default;

    const std::string& AuftraggeberName2() const { return m_auftraggeberName2; }
    void setAuftraggeberName2(std::string value) { m_auftraggeberName2 = std::move(value); }
    const std::string& AuftraggeberStrasse() const { return m_auftraggeberStrasse; }
    void setAuftraggeberStrasse(std::string value) { m_auftraggeberStrasse = std::move(value); }
    const std::string& AuftraggeberOrt() const { return m_auftraggeberOrt; }
    void setAuftraggeberOrt(std::string value) { m_auftraggeberOrt = std::move(value); }
    const std::string& FileName() const { return m_fileName; }
    void setFileName(std::string value) { m_fileName = std::move(value); }

    const std::string& OrderCurrency() const { return m_orderCurrency; }
    int64_t AmountSum() const { return m_amountSum; }

    // Sets OrderCurrency to the code with a to z made capitals; a code that
    // is not exactly three letters raises and leaves it as it was.
    void SetCurrency(const std::string& code);

    // Creates Path + FileName and writes the Q record. A file left unfinished
    // by an earlier run is deleted first, so a run never appends to it. A
    // serial outside 0 to 99 is refused before anything is created.
    void BeginFile(int serial);

    // Checks the transfer and writes its T record. Every check comes before
    // anything is counted or written. PurposeLines is changed in place: empty
    // lines removed, the others converted, a single long line split into
    // pieces of 27 characters.
    void AddTransfer(const std::string& BIC, const std::string& IBAN, const std::string& PayeeLine1,
                     const std::string& PayeeLine2, const std::string& PayeeLine3,
                     const std::string& PayeeLine4, const std::string& CountryCode, double Amount,
                     std::vector<std::string>& PurposeLines, DateTime ExecutionDate,
                     const std::string& StatementText, const std::string& ContactPerson,
                     const std::string& AccountCurrency);

    // Writes the Z record and closes the file, which is then complete.
    void EndFile();

    bool CheckName(const std::string& name) const;
    bool CheckPurposeLines(const std::vector<std::string>& lines) const;
    bool CheckIBAN(const std::string& iban) const;
    // Eight or eleven letters and digits.
    bool CheckBIC(const std::string& bic) const;
    // The refusals AddTransfer would raise for an amount or for the purpose
    // lines as the caller hands them over (before they are converted and
    // split), so that a check can leave out the one transfer in advance
    // instead of the whole file failing.
    bool CheckAmount(double amount) const;
    bool CheckPurposeLinesFit(std::vector<std::string> lines) const;

    static std::string ConvertText(const std::string& text);

private:
    void requireOpenFile() const;

    std::string m_auftraggeberName2;
    std::string m_auftraggeberStrasse;
    std::string m_auftraggeberOrt;
    std::string m_fileName = "DTAZV";
    std::string m_orderCurrency = "EUR";
    int64_t m_amountSum = 0;
    // Reused for every record and purpose line to spare allocations.
    std::string m_record;
    std::string m_scratch;
};

} // namespace dtazv
