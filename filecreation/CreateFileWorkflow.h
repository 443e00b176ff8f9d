#pragma once

#include "checking/CheckResult.h"

#include <optional>
#include <string>

namespace dtazv {
class TVekDTAZV;
}
namespace store {
class PaymentStore;
}

namespace filecreation {

class ReportOutput;

// What the create-file workflow needs from whoever runs it: the program
// supplies message boxes, the save dialog and print previews; tests and the
// command line supply their own.
class CreateFileUi
{
public:
    virtual ~CreateFileUi() = default;
    // A message with an OK button; `details` tells the cause, where known.
    virtual void information(const std::string& text, const std::string& details) = 0;
    virtual void showCertificate(const checking::CheckResult& result) = 0;
    // The output file, or nothing when the user cancels.
    virtual std::optional<std::string> chooseOutputFile(const std::string& title,
                                                        const std::string& proposal) = 0;
    // Where the note (or the journal) goes, or null to print none;
    // `settingsAsk` is the settings record's BEGLEIT (or PROTOKOLL).
    virtual ReportOutput* noteOutput(bool settingsAsk) = 0;
    virtual ReportOutput* journalOutput(bool settingsAsk) = 0;
};

// "3. DTAZV-Datei erstellen": the check, the save dialog, the file through
// the writer, the Bundesbank data in the Q record, count and sum in the
// settings record, the transfers ordered by name, then the note and the
// journal. One object lives with the main window, so the name chosen last
// is proposed next time.
class CreateFileWorkflow
{
public:
    enum class Status
    {
        Refused,      // verdict "N": nothing written
        Cancelled,    // the save dialog was cancelled
        Created,      // the file is complete
        Failed,       // the failure message was shown
        ReportFailed, // the file is complete, a report could not be printed
    };

    struct Outcome
    {
        Status status = Status::Cancelled;
        checking::CheckResult check;
        std::string path;
        int count = 0;
        double sum = 0;
        bool fileComplete = false; // also after a failure in a report
        std::string failure;       // the cause of a failure, of each report's that failed
        double checkSeconds = 0;   // time of the check run
        double writerSeconds = 0;  // time spent in the writer
    };

    CreateFileWorkflow(store::PaymentStore& data, dtazv::TVekDTAZV& writer,
                       std::string dataDirectory);

    Outcome run(CreateFileUi& ui, bool english);

private:
    void writeFile(Outcome& outcome);
    void printReports(Outcome& outcome, CreateFileUi& ui, bool english);

    store::PaymentStore& m_data;
    dtazv::TVekDTAZV& m_writer;
    std::string m_dataDirectory;
    std::string m_lastChosen;
};

// Writes `reportData` ("J", the federal-state number and the company number,
// 11 characters) over positions 178 to 188 of a finished file that has not
// yet taken its final name. Raises FileError when it cannot.
void writeBundesbankData(const std::string& path, const std::string& reportData);

// "J" + BundeslandNr with "0" in front up to 2 characters + AuftraggeberNr
// with "0" in front up to 8; raises DtazvError for values that are longer
// or hold anything but digits.
std::string bundesbankData(const std::string& bundeslandNr, const std::string& auftraggeberNr);

} // namespace filecreation
