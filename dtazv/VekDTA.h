#pragma once

#include "dtazv/DateTime.h"

#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <utility>

namespace dtazv {

// What every transfer file needs whatever its format: the ordering party's
// bank data, the execution date of the file, the output directory and the
// open output file, with the checks of those values.
class TVekBaseDTA
{
public:
    using Clock = std::function<DateTime()>;

    TVekBaseDTA();
    // An output file still unfinished when the writer goes away is removed.
    ~TVekBaseDTA();
    TVekBaseDTA(const TVekBaseDTA&) = delete;
    TVekBaseDTA& operator=(const TVekBaseDTA&) = delete;

    const std::string& AuftraggeberName() const { return m_auftraggeberName; }
    void setAuftraggeberName(std::string value) { m_auftraggeberName = std::move(value); }
    int32_t AuftraggeberBLZ() const { return m_auftraggeberBLZ; }
    void setAuftraggeberBLZ(int32_t value) { m_auftraggeberBLZ = value; }
    int64_t AuftraggeberKontoNr() const { return m_auftraggeberKontoNr; }
    void setAuftraggeberKontoNr(int64_t value) { m_auftraggeberKontoNr = value; }
    DateTime Ausfuehrungsdatum() const { return m_ausfuehrungsdatum; }
    void setAusfuehrungsdatum(DateTime value) { m_ausfuehrungsdatum = value; }

    // The output directory, always kept with a trailing separator: an empty
    // value is ignored, any other gets the separator appended when it lacks it.
    const std::string& Path() const { return m_path; }
    void setPath(const std::string& value);

    int32_t TransferCount() const { return m_transferCount; }

    // Replaces the source of the current moment (default: the local time).
    void setClock(Clock clock);
    DateTime now() const { return m_clock(); }

    // Each check returns true or raises DtazvError with its message. They take
    // the value as the tables store it, a floating-point number, and pass only
    // a whole number in range: one that the properties would hold cut or
    // rounded must not name another account in the file.
    bool CheckBLZ(double value) const;
    bool CheckKontoNr(double value) const;

    // The header date rule, the bank-code and account checks, then
    // TransferCount back to 0. A failed check leaves TransferCount as it was.
    void CheckHeader();

    // Appends bytes to the output file as they are: records are built in the
    // file's code page before they are written.
    void WriteString(const std::string& bytes);
    static std::string Spaces(int count);

    bool isFileOpen() const { return m_file != nullptr; }
    // Closes the output file; raises FileError if what was written could not
    // be stored. Does nothing without an open file.
    void CloseFile();
    // Closes and deletes an output file that was begun and never finished.
    void AbortFile();

    static constexpr char kSeparator =
        static_cast<char>(std::filesystem::path::preferred_separator);

protected:
    // Creates (or replaces) the file and keeps it open as unfinished.
    void createOutputFile(const std::string& fullPath);
    // The open file is complete: closes it and keeps it.
    void finishOutputFile();
    void setTransferCount(int32_t value) { m_transferCount = value; }

private:
    std::string m_auftraggeberName;
    int32_t m_auftraggeberBLZ = 0;
    int64_t m_auftraggeberKontoNr = 0;
    DateTime m_ausfuehrungsdatum = 0;
    std::string m_path;
    int32_t m_transferCount = 0;
    Clock m_clock;

    std::FILE* m_file = nullptr;
    std::unique_ptr<char[]> m_fileBuffer;
    std::string m_unfinishedPath; // file begun and not yet finished, open or not
};

} // namespace dtazv
