#include "filecreation/CreateFileWorkflow.h"

#include "checking/CheckRun.h"
#include "dtazv/DtazvError.h"
#include "dtazv/TextCodec.h"
#include "dtazv/VekDTAZV.h"
#include "filecreation/OutputFile.h"
#include "filecreation/Reports.h"
#include "store/Money.h"
#include "store/PaymentStore.h"

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>

namespace filecreation {
namespace {

using Clock = std::chrono::steady_clock;

const char* kRefusedGerman =
    "Aufgrund schwerwiegender Mängel im Datenbestand kann die DTAZV Dateí nicht erstellt werden !";
const char* kFailedGerman =
    "DTAZV Datei konnte nicht erstellt werden. Bitte prüfen Sie Ihren Datenbestand !";
const char* kEnglish = "DTAZV file cannot be provided !";

double secondsSince(Clock::time_point start)
{
    return std::chrono::duration<double>(Clock::now() - start).count();
}

std::string zeroPadded(const std::string& text, std::size_t width)
{
    const std::size_t length = dtazv::text::characterCount(text);
    return length >= width ? text : std::string(width - length, '0') + text;
}

bool isNumberOfAtMost(const std::string& text, std::size_t digits)
{
    return text.size() <= digits &&
           std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
}

} // namespace

std::string bundesbankData(const std::string& bundeslandNr, const std::string& auftraggeberNr)
{
    // Both are numbers: longer values would shift the rest of the Q record,
    // and anything but digits has no place in it.
    if (!isNumberOfAtMost(bundeslandNr, 2))
        throw dtazv::DtazvError("Die Bundeslandnummer darf nur aus höchstens 2 Ziffern bestehen.");
    if (!isNumberOfAtMost(auftraggeberNr, 8))
        throw dtazv::DtazvError("Die Firmennummer darf nur aus höchstens 8 Ziffern bestehen.");
    return "J" + zeroPadded(bundeslandNr, 2) + zeroPadded(auftraggeberNr, 8);
}

void writeBundesbankData(const std::string& path, const std::string& reportData)
{
    std::error_code error;
    if (std::filesystem::file_size(path, error) < 256 || error)
        throw dtazv::FileError("Die Datei \"" + path + "\" hat keinen vollständigen Q-Satz.");
    std::string encoded;
    dtazv::text::appendRaw(encoded, reportData, 11);
    std::fstream patch(path, std::ios::binary | std::ios::in | std::ios::out);
    patch.seekp(177);
    patch.write(encoded.data(), static_cast<std::streamsize>(encoded.size()));
    patch.flush();
    if (!patch)
        throw dtazv::FileError("Die Datei \"" + path + "\" kann nicht geschrieben werden.");
}

CreateFileWorkflow::CreateFileWorkflow(store::PaymentStore& data, dtazv::TVekDTAZV& writer,
                                       std::string dataDirectory)
    : m_data(data), m_writer(writer), m_dataDirectory(std::move(dataDirectory))
{}

CreateFileWorkflow::Outcome CreateFileWorkflow::run(CreateFileUi& ui, bool english)
{
    Outcome outcome;
    const auto checkStart = Clock::now();
    outcome.check = checking::CheckRun(m_data, m_writer).run(english);
    outcome.checkSeconds = secondsSince(checkStart);
    if (!outcome.check.allowsFile()) {
        ui.information(english ? kEnglish : kRefusedGerman, {});
        ui.showCertificate(outcome.check);
        outcome.status = Status::Refused;
        return outcome;
    }

    // The first time the dialog opens in the program's folder, afterwards in
    // the folder of the file chosen last.
    const std::string proposal = m_lastChosen.empty() ? m_dataDirectory + "DTAZV" : m_lastChosen;
    const std::optional<std::string> chosen = ui.chooseOutputFile("DTA-Datei speichern", proposal);
    if (!chosen || chosen->empty()) {
        outcome.status = Status::Cancelled;
        return outcome;
    }
    const std::filesystem::path path = std::filesystem::absolute(*chosen);
    m_lastChosen = path.string();
    outcome.path = path.string();
    if (const std::optional<std::string> refusal = refusedTarget(path, m_dataDirectory, english)) {
        outcome.status = Status::Failed;
        outcome.failure = *refusal;
        ui.information(*refusal, {});
        return outcome;
    }

    // The writer's settings; a refused currency ends the command here, before
    // the guarded part, with the writer's own message.
    // The writer writes a file of this run's own beside the chosen name; only
    // the complete file, with its Bundesbank data, then takes that name
    // (replacing a file there without a question), so the chosen path never
    // holds a half-written payment file, also when the program is killed or
    // another run writes to the same path.
    std::filesystem::path privateFile;
    try {
        privateFile = createPrivateFileBeside(path);
    } catch (const std::exception& e) {
        outcome.status = Status::Failed;
        outcome.failure = e.what();
        ui.information(english ? kEnglish : kFailedGerman, outcome.failure);
        return outcome;
    }
    struct RemoveUnlessRenamed
    {
        const std::filesystem::path& file;
        const bool& renamed;
        ~RemoveUnlessRenamed()
        {
            std::error_code ignored;
            if (!renamed)
                std::filesystem::remove(file, ignored);
        }
    } cleanUp{privateFile, outcome.fileComplete};
    m_writer.setFileName(privateFile.filename().string());
    m_writer.setPath(path.parent_path().string());
    m_writer.SetCurrency(m_data.Stamm_tt.field("WAEHRUNG").asString());
    store::Cursor& orderer = m_data.Auftrag_tt;
    m_writer.setAuftraggeberName(orderer.field("Name").asString());
    m_writer.setAuftraggeberName2(orderer.field("Name1").asString());
    m_writer.setAuftraggeberStrasse(orderer.field("Strasse").asString());
    m_writer.setAuftraggeberOrt(orderer.field("Ort").asString());
    m_writer.setAuftraggeberBLZ(orderer.field("BLZ").asInteger());
    m_writer.setAuftraggeberKontoNr(orderer.field("KontoNr").asLargeInt());
    m_writer.setAusfuehrungsdatum(m_data.Stamm_tt.field("Ausfuehrungstermin").asDate());

    try {
        writeFile(outcome);
        outcome.status = Status::Created;
    } catch (const std::exception& e) {
        m_writer.AbortFile();
        try {
            m_data.Zahlung_tt.setFiltered(false);
        } catch (const std::exception&) {
        }
        outcome.status = Status::Failed;
        outcome.failure = e.what();
        ui.information(english ? kEnglish : kFailedGerman, outcome.failure);
        return outcome;
    }
    printReports(outcome, ui, english);
    return outcome;
}

void CreateFileWorkflow::writeFile(Outcome& outcome)
{
    store::Cursor& orderer = m_data.Auftrag_tt;
    store::Cursor& transfers = m_data.Zahlung_tt;
    const bool reportToBundesbank = orderer.field("Bundesbankmeldung").asBoolean();
    const std::string reportData = reportToBundesbank
                                       ? bundesbankData(orderer.field("BundeslandNr").asString(),
                                                        orderer.field("AuftraggeberNr").asString())
                                       : std::string();
    // The writer holds the bank code in 32 bits and the account number in
    // 64, which cut and round what they are given: its checks see the stored
    // values, so that no other account than the stored one reaches the file.
    m_writer.CheckBLZ(orderer.field("BLZ").asFloat());
    m_writer.CheckKontoNr(orderer.field("KontoNr").asFloat());

    store::Money sum; // exact: binary fractions would drift over many transfers
    int count = 0;
    {
        std::optional<store::BulkRun> detached(std::in_place, m_data, false);
        auto writing = Clock::now();
        m_writer.BeginFile(1);
        outcome.writerSeconds += secondsSince(writing);

        // One statement reads the fields the file needs, in the list's order.
        std::vector<int> fields;
        for (const char* name : {"PRUEFEN", "BIC", "IBAN", "Name", "Name2", "Strasse", "OrtLand",
                                 "BETRAG", "Verwendungszweck1", "Verwendungszweck2",
                                 "Verwendungszweck3", "Verwendungszweck4", "Ausfuehrungsdatum"})
            fields.push_back(transfers.fieldIndex(name));
        std::vector<std::string> purposeLines;
        purposeLines.reserve(4);
        transfers.scan(fields, [&](const store::ScannedRow& v) {
            if (v.asBoolean(0))
                return; // marked: left out
            purposeLines.clear();
            for (std::size_t i = 8; i < 12; ++i) {
                if (!store::textOf(v[i]).empty())
                    purposeLines.push_back(store::textOf(v[i]));
            }
            const store::Money amount = v.asMoney(7);
            const auto text = [&](std::size_t i) -> const std::string& {
                return store::textOf(v[i]);
            };
            const auto started = Clock::now();
            m_writer.AddTransfer(text(1), text(2), text(3), text(4), text(5), text(6), "DE ",
                                 amount.toDouble(), purposeLines, v.asDate(12), " ", " ", "EUR");
            outcome.writerSeconds += secondsSince(started);
            sum += amount;
            ++count;
        });
        writing = Clock::now();
        m_writer.EndFile();
        outcome.writerSeconds += secondsSince(writing);
        const std::string partial = m_writer.Path() + m_writer.FileName();
        if (reportToBundesbank)
            writeBundesbankData(partial, reportData);
        moveIntoPlace(partial, outcome.path);
        outcome.fileComplete = true;
        outcome.count = count;
        outcome.sum = sum.toDouble();

        store::Cursor& settings = m_data.Stamm_tt;
        settings.edit();
        settings.field("SUMME_EURO").setFloat(sum.toDouble());
        settings.field("ANZAHL").setFloat(count);
        settings.post();
        detached.reset(); // the grid follows the transfers again
    }
    transfers.setIndexName("Name");
}

void CreateFileWorkflow::printReports(Outcome& outcome, CreateFileUi& ui, bool english)
{
    // Each report on its own: a broken note keeps neither the journal from
    // printing nor the user from learning that the file itself is complete.
    const QString dataDirectory = QString::fromStdString(m_dataDirectory);
    std::vector<std::string> failed;
    std::string causes;
    const auto attempt = [&](const char* german, const char* inEnglish, auto print) {
        try {
            print();
        } catch (const std::exception& e) {
            failed.emplace_back(english ? inEnglish : german);
            causes += (causes.empty() ? "" : "\n") + failed.back() + ": " + e.what();
        }
    };
    if (ReportOutput* note = ui.noteOutput(m_data.Stamm_tt.field("BEGLEIT").asBoolean()))
        attempt("Begleitzettel", "accompanying note",
                [&] { printAccompanyingNote(m_data, dataDirectory, english, *note); });
    if (ReportOutput* journal = ui.journalOutput(m_data.Stamm_tt.field("PROTOKOLL").asBoolean()))
        attempt("Protokoll", "journal",
                [&] { printJournal(m_data, dataDirectory, english, *journal); });
    if (failed.empty())
        return;
    outcome.status = Status::ReportFailed;
    outcome.failure = causes;
    std::string reports = failed.front();
    if (failed.size() > 1)
        reports += (english ? " and " : " und ") + failed.back();
    const std::string count = std::to_string(outcome.count);
    ui.information(
        english ? "The DTAZV file \"" + outcome.path + "\" was created with " + count +
                      " transfers; their count and sum are stored. Not printed: " + reports + "."
                : "Die DTAZV-Datei „" + outcome.path + "“ wurde mit " + count +
                      " Zahlungen erstellt; Anzahl und Summe sind gespeichert. Nicht "
                      "gedruckt: " +
                      reports + ".",
        causes);
}

} // namespace filecreation
