#include "filecreation/Reports.h"

#include "filecreation/Report.h"
#include "filecreation/ReportPipeline.h"
#include "store/PaymentStore.h"

namespace filecreation {
namespace {

struct Caption
{
    const char* label;
    const char* english;
};

// The captions set in English; the German ones are the templates' own.
constexpr Caption kNoteEnglish[] = {
    {"ppLabel1", "Corollary note - Electronic funds transfer DTAZV"},
    {"ppLabel2", "Federal Bank Message included"},
    {"ppLabel3", "Federal Bank Message via bank"},
    {"ppLabel4", "Collective order for International payments"},
    {"ppLabel5", "Date of creation"},
    {"ppLabel6", "First date of execution"},
    {"ppLabel7", "Number of transactions"},
    {"ppLabel8", "Total amount from "},
    {"ppLabel9", "all transactions"},
    {"ppLabel10", "Currency of the order"},
    {"ppLabel11", "Total amount"},
    {"ppLabel12", "Account number"},
    {"ppLabel13", "Account currency"},
    {"ppLabel14", "Date of execution"},
    {"ppLabel15", "Paid Currency"},
    {"ppLabel16", "Applicant"},
    {"ppLabel19", "Street / P.O. box"},
    {"ppLabel20", "Postcode, City"},
    {"ppLabel21", "City, date"},
    {"ppLabel22", "Company, Signature(s)"},
};

constexpr Caption kJournalEnglish[] = {
    {"ppLabel1", "DTAZV - Journal"},
    {"ppLabel7", "Applicant"},
    {"ppLabel12", "Street"},
    {"ppLabel14", "Postcode, City"},
    {"ppLabel15", "Account Nr"},
    {"ppLabel16", "Bank code"},
    {"ppLabel17", "Date of creation"},
    {"ppLabel18", "Date of execution"},
    {"ppLabel20", "Federal bank message"},
    {"ppLabel21", "Federal Country code"},
    {"ppLabel22", "Company Number"},
    {"ppLabel5", "Name"},
    {"ppLabel4", "Amount"},
    {"ppLabel9", "Reason for transfer 1"},
    {"ppLabel10", "Reason for transfer 2"},
    {"ppLabel13", "Notice"},
    {"ppLabel6", "Count"},
};

template <std::size_t N>
void print(store::PaymentStore& data, const QString& templatePath, bool english,
           const Caption (&captions)[N], const QString& title, ReportOutput& output)
{
    const CursorPipeline transfers(data.Zahlung_tt, CursorPipeline::Records::All);
    const CursorPipeline orderer(data.Auftrag_tt, CursorPipeline::Records::Current);
    const CursorPipeline settings(data.Stamm_tt, CursorPipeline::Records::Current);
    Report report;
    report.load(templatePath); // anew each time: no caption carries over
    report.setPipeline(QStringLiteral("ppDBPipeline1"), &transfers);
    report.setPipeline(QStringLiteral("ppDBPipeline2"), &orderer);
    report.setPipeline(QStringLiteral("ppDBPipeline3"), &settings);
    report.setPageWord(english ? QStringLiteral("Page") : QStringLiteral("Seite"));
    if (english) {
        for (const Caption& c : captions)
            report.setCaption(QLatin1String(c.label), QString::fromUtf8(c.english));
    }
    output.show(report, title);
}

// Switches the journal's filter on for its lifetime.
class JournalFilter
{
public:
    explicit JournalFilter(store::Cursor& transfers) : m_transfers(transfers)
    {
        m_transfers.setFiltered(false);
        m_transfers.setFilter("pruefen<>True");
        m_transfers.setFiltered(true);
    }
    ~JournalFilter()
    {
        try {
            m_transfers.setFiltered(false);
        } catch (...) {
            // Switching a filter off only re-reads the rows; nothing to report here.
        }
    }
    JournalFilter(const JournalFilter&) = delete;
    JournalFilter& operator=(const JournalFilter&) = delete;

private:
    store::Cursor& m_transfers;
};

} // namespace

void PdfOutput::show(const Report& report, const QString&)
{
    report.writePdf(m_path);
}

void printAccompanyingNote(store::PaymentStore& data, const QString& dataDirectory, bool english,
                           ReportOutput& output)
{
    print(data, dataDirectory + QLatin1String(kNoteTemplate), english, kNoteEnglish,
          english ? QStringLiteral("Corollary note") : QStringLiteral("Begleitzettel"), output);
}

void printJournal(store::PaymentStore& data, const QString& dataDirectory, bool english,
                  ReportOutput& output)
{
    const JournalFilter filter(data.Zahlung_tt);
    print(data, dataDirectory + QLatin1String(kJournalTemplate), english, kJournalEnglish,
          english ? QStringLiteral("Journal") : QStringLiteral("Protokoll"), output);
}

} // namespace filecreation
