#include "TableFiles.h"
#include "dtazv/DtazvError.h"
#include "dtazv/VekDTAZV.h"
#include "filecreation/CreateFileWorkflow.h"
#include "filecreation/Reports.h"
#include "store/PaymentStore.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <sqlite3.h>
#include <sys/resource.h>
#include <sys/stat.h>

namespace {

// While it lives, files this process writes cannot grow beyond `bytes`: a
// write past the limit fails as it would on a full disk.
class FileSizeLimit
{
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        std::signal(SIGXFSZ, SIG_IGN);
        getrlimit(RLIMIT_FSIZE, &m_old);
        rlimit limited = m_old;
        limited.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &limited);
    }
    ~FileSizeLimit() { setrlimit(RLIMIT_FSIZE, &m_old); }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
};

using Status = filecreation::CreateFileWorkflow::Status;

std::string blanks(std::size_t n)
{
    return std::string(n, ' ');
}

std::string field(const std::string& text, std::size_t width)
{
    return text.size() >= width ? text.substr(0, width) : text + blanks(width - text.size());
}

std::string readFile(const QString& path)
{
    std::ifstream in(path.toStdString(), std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Answers the workflow as a test wants and records what it was told.
class TestUi final : public filecreation::CreateFileUi
{
public:
    std::optional<std::string> file;
    QString notePdf;
    QString journalPdf;
    std::vector<std::string> messages;
    std::vector<std::string> proposals;
    int certificates = 0;
    rlim_t reportSizeLimit = 0;
    std::unique_ptr<FileSizeLimit> limit;

    void information(const std::string& text, const std::string&) override
    {
        messages.push_back(text);
    }
    void showCertificate(const checking::CheckResult&) override { ++certificates; }
    std::optional<std::string> chooseOutputFile(const std::string& title,
                                                const std::string& proposal) override
    {
        if (title != "DTA-Datei speichern")
            messages.push_back("wrong title " + title);
        proposals.push_back(proposal);
        return file;
    }
    filecreation::ReportOutput* noteOutput(bool ask) override
    {
        m_note = std::make_unique<filecreation::PdfOutput>(notePdf);
        return ask ? m_note.get() : nullptr;
    }
    filecreation::ReportOutput* journalOutput(bool ask) override
    {
        if (reportSizeLimit)
            limit = std::make_unique<FileSizeLimit>(reportSizeLimit);
        m_journal = std::make_unique<filecreation::PdfOutput>(journalPdf);
        return ask ? m_journal.get() : nullptr;
    }

private:
    std::unique_ptr<filecreation::PdfOutput> m_note, m_journal;
};

} // namespace

class CreateFileTest : public QObject
{
    Q_OBJECT

private:
    std::unique_ptr<QTemporaryDir> m_dir;
    std::unique_ptr<store::PaymentStore> m_data;
    std::unique_ptr<dtazv::TVekDTAZV> m_writer;
    std::unique_ptr<filecreation::CreateFileWorkflow> m_workflow;
    TestUi m_ui;

    QString path(const QString& name) const { return m_dir->filePath(name); }

    // Files a run began and did not finish: every name with a run's suffix
    // but those a test wrote itself.
    QStringList unfinishedFiles() const
    {
        QStringList found =
            QDir(m_dir->path()).entryList({QStringLiteral("*.partial")}, QDir::Files);
        found.removeAll(QStringLiteral("zahlung.partial"));
        return found;
    }

    void addTransfer(const char* name, double amount, bool marked = false,
                     std::vector<std::pair<const char*, const char*>> extra = {})
    {
        store::Cursor& z = m_data->Zahlung_tt;
        z.append();
        z.field("Name").setString(name);
        z.field("BETRAG").setFloat(amount);
        z.field("BIC").setString("COBADEFFXXX");
        z.field("IBAN").setString("DE89370400440532013000");
        z.field("Verwendungszweck1").setString("Rechnung 1");
        z.field("PRUEFEN").setBoolean(marked);
        for (const auto& [f, value] : extra)
            z.field(f).setString(value);
        z.post();
    }

    void setOrderer(std::vector<std::pair<const char*, const char*>> values)
    {
        store::Cursor& a = m_data->Auftrag_tt;
        a.first();
        a.edit();
        for (const auto& [f, value] : values)
            a.field(f).setString(value);
        a.post();
    }

    filecreation::CreateFileWorkflow::Outcome create(const QString& name)
    {
        m_ui.file = path(name).toStdString();
        return m_workflow->run(m_ui, false);
    }

    std::string expectedHeader(const std::string& account = "0532013000",
                               const std::string& report = "N0000000000") const
    {
        return "0256Q"
               "37040044" +
               account + field("MUSTER GMBH", 35) + field("BUCHHALTUNG", 35) +
               field("HAUPTSTRASSE 1", 35) + field("80331 MUENCHEN", 35) + "261211" + "01" +
               "261214" + report + blanks(68);
    }

    std::string expectedTransfer(const std::string& name, const std::string& whole,
                                 const std::string& hundredths, const std::string& purposes,
                                 const std::string& account = "0532013000") const
    {
        return "0768T"
               "37040044"
               "EUR" +
               account + "261211" + "00000000" + blanks(3) + "0000000000" + "COBADEFFXXX" +
               blanks(143) + "DE " + field(name, 35) + blanks(105) + blanks(70) + "/" +
               field("DE89370400440532013000", 34) + "EUR" + whole + hundredths + purposes +
               "00000000" + blanks(25) + "00" + "13" + blanks(62) + "0" + blanks(51) + "00";
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        m_workflow.reset();
        m_writer.reset();
        m_data.reset();
        m_dir = std::make_unique<QTemporaryDir>();
        m_ui = TestUi();
        m_ui.notePdf = path(QStringLiteral("note.pdf"));
        m_ui.journalPdf = path(QStringLiteral("journal.pdf"));
        tablegen::createEmptyTables(m_dir->path().toStdString(), true);
        for (const char* name : {filecreation::kNoteTemplate, filecreation::kJournalTemplate})
            QVERIFY(QFile::copy(QStringLiteral(TARVION_DATA_SOURCE "/") + QLatin1String(name),
                                path(QLatin1String(name))));
        m_data = std::make_unique<store::PaymentStore>();
        m_data->pointAt(m_dir->path().toStdString() + "/");
        m_data->openAll();
        store::Cursor& a = m_data->Auftrag_tt;
        a.append();
        a.field("Name").setString("Muster GmbH");
        a.field("Name1").setString("Buchhaltung");
        a.field("Strasse").setString("Hauptstraße 1");
        a.field("Ort").setString("80331 München");
        a.field("KontoNr").setFloat(532013000);
        a.field("BLZ").setFloat(37040044);
        a.post();
        store::Cursor& s = m_data->Stamm_tt;
        s.edit();
        s.field("Erstelldatum").setString("2026-12-11");
        s.field("Ausfuehrungstermin").setString("2026-12-14");
        s.post();
        m_writer = std::make_unique<dtazv::TVekDTAZV>();
        m_writer->setClock([] { return dtazv::encodeDateTime({2026, 12, 11, 10, 30, 0, 0}); });
        m_workflow = std::make_unique<filecreation::CreateFileWorkflow>(
            *m_data, *m_writer, m_dir->path().toStdString() + "/");
    }

    void cleanup()
    {
        m_workflow.reset();
        m_writer.reset();
        m_data.reset();
        m_dir.reset();
    }

    void fileMatchesTheLayoutByteForByte()
    {
        addTransfer("Zander", 200.5);
        addTransfer("Albers", 1234.56, false,
                    {{"Verwendungszweck1", ""}, {"Verwendungszweck3", "nur drei"}});
        addTransfer("Markiert", 5, true, {{"IBAN", "DE00"}}); // really faulty: stays out
        const auto outcome = create(QStringLiteral("DTAZV"));
        QCOMPARE(outcome.status, Status::Created);
        QCOMPARE(outcome.count, 2);
        QCOMPARE(readFile(path(QStringLiteral("DTAZV"))),
                 expectedHeader() +
                     expectedTransfer("ZANDER", "00000000000200", "500",
                                      field("RECHNUNG 1", 35) + blanks(105)) +
                     expectedTransfer("ALBERS", "00000000001234", "560",
                                      field("NUR DREI", 35) + blanks(105)) +
                     "0256Z"
                     "000000000001434"
                     "000000000000002" +
                     blanks(221));
        QCOMPARE(m_data->Stamm_tt.field("ANZAHL").asInteger(), 2);
        QCOMPARE(m_data->Stamm_tt.field("SUMME_EURO").asFloat(), 1435.06);
        QCOMPARE(QString::fromStdString(m_data->Zahlung_tt.indexName()), QStringLiteral("Name"));
        m_data->Zahlung_tt.first();
        QCOMPARE(m_data->Zahlung_tt.field("Name").asString(),
                 std::string("Albers")); // marked ones too
        QVERIFY(QFile::exists(m_ui.notePdf));
        QVERIFY(QFile::exists(m_ui.journalPdf));
        QVERIFY(!m_data->Zahlung_tt.isFiltered());
        QVERIFY(m_ui.messages.empty());
    }

    void amountsAddUpExactly()
    {
        // Added as binary fractions, 1,000 amounts of 5005.6447 make 5005644.700000044.
        sqlite3* db = nullptr;
        sqlite3_open(path(QStringLiteral("ZAHLUNG.ADT")).toUtf8().constData(), &db);
        sqlite3_exec(
            db,
            "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 1000) "
            "INSERT INTO ZAHLUNG (Name, BETRAG, BIC, IBAN) SELECT 'Lieferant ' || i, "
            "5005.6447, 'COBADEFFXXX', 'DE89370400440532013000' FROM n",
            nullptr, nullptr, nullptr);
        sqlite3_close(db);
        m_data->Zahlung_tt.refresh();
        m_data->Stamm_tt.edit();
        m_data->Stamm_tt.field("BEGLEIT").setBoolean(false);
        m_data->Stamm_tt.field("PROTOKOLL").setBoolean(false);
        m_data->Stamm_tt.post();

        const auto outcome = create(QStringLiteral("viele"));
        QCOMPARE(outcome.status, Status::Created);
        QCOMPARE(outcome.count, 1000);
        // QCOMPARE would compare floating-point numbers with a tolerance.
        QVERIFY2(outcome.sum == 5005644.7, qPrintable(QString::number(outcome.sum, 'g', 17)));
        store::Cursor& settings = m_data->Stamm_tt;
        QVERIFY(settings.field("SUMME_EURO").asFloat() == 5005644.7);
        QCOMPARE(settings.field("SUMME_EURO").asString(), std::string("5005644.7"));
        QCOMPARE(settings.field("ANZAHL").asInteger(), 1000);
        // The Z record adds the whole units of the T records: 1,000 times 5005.
        const std::string file = readFile(path(QStringLiteral("viele")));
        QCOMPARE(file.size(), std::size_t(512 + 768 * 1000));
        QCOMPARE(file.substr(file.size() - 256, 35),
                 std::string("0256Z000000005005000000000000001000"));
    }

    void everyTransferMarkedGivesAnEmptyFile()
    {
        addTransfer("Eins", 0.5);
        addTransfer("Zwei", 0.25);
        QCOMPARE(create(QStringLiteral("leer.txt")).status, Status::Created);
        QCOMPARE(readFile(path(QStringLiteral("leer.txt"))),
                 expectedHeader() + "0256Z" + std::string(30, '0') + blanks(221));
        QCOMPARE(m_data->Stamm_tt.field("ANZAHL").asInteger(), 0);
        QCOMPARE(m_data->Stamm_tt.field("SUMME_EURO").asFloat(), 0.0);
    }

    void existingFileIsReplacedAndTheNameProposedAgain()
    {
        addTransfer("Meier", 10);
        QFile old(path(QStringLiteral("ohne-endung")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(5000, 'x'));
        old.close();
        QCOMPARE(create(QStringLiteral("ohne-endung")).status, Status::Created);
        QCOMPARE(QFile(path(QStringLiteral("ohne-endung"))).size(), qint64(512 + 768));
        QVERIFY(!QFile::exists(path(QStringLiteral("ohne-endung.txt"))));
        create(QStringLiteral("ohne-endung"));
        // First in the program's folder, then where the last file went.
        QCOMPARE(m_ui.proposals.front(), path(QStringLiteral("DTAZV")).toStdString());
        QCOMPARE(m_ui.proposals.back(), path(QStringLiteral("ohne-endung")).toStdString());
    }

    void filesBesideTheChosenOneAreLeftAlone()
    {
        addTransfer("Meier", 10);
        // A user's own files with the names an unfinished payment file might take.
        for (const char* name : {"zahlung.partial", "zahlung.tmp", "zahlung~"}) {
            QFile own(path(QLatin1String(name)));
            QVERIFY(own.open(QIODevice::WriteOnly));
            own.write("meine Daten");
        }
        QCOMPARE(create(QStringLiteral("zahlung")).status, Status::Created);
        for (const char* name : {"zahlung.partial", "zahlung.tmp", "zahlung~"})
            QCOMPARE(readFile(path(QLatin1String(name))), std::string("meine Daten"));
        QCOMPARE(unfinishedFiles(), QStringList());

        // A refused ordering party: the run's own unfinished file goes as well.
        setOrderer({{"KontoNr", "5"}});
        QCOMPARE(create(QStringLiteral("zahlung2")).status, Status::Failed);
        QCOMPARE(unfinishedFiles(), QStringList());
        QCOMPARE(readFile(path(QStringLiteral("zahlung.partial"))), std::string("meine Daten"));
    }

    void bundesbankDataAndLongAccountNumbers()
    {
        addTransfer("Meier", 10);
        setOrderer({{"Bundesbankmeldung", "True"},
                    {"BundeslandNr", "9"},
                    {"AuftraggeberNr", "1234"},
                    {"KontoNr", "9876543210"}});
        QCOMPARE(create(QStringLiteral("bbk")).status, Status::Created);
        const std::string file = readFile(path(QStringLiteral("bbk")));
        QCOMPARE(file.substr(0, 256), expectedHeader("9876543210", "J0900001234"));
        QCOMPARE(file.substr(256 + 16, 10), std::string("9876543210"));
        QCOMPARE(file.size(), std::size_t(512 + 768));
        QCOMPARE(unfinishedFiles(), QStringList());

        // The store cuts what it writes to two characters; another program may not.
        sqlite3* db = nullptr;
        sqlite3_open(path(QStringLiteral("auftraggeber.adt")).toUtf8().constData(), &db);
        sqlite3_exec(db, "UPDATE auftraggeber SET BundeslandNr = '123'", nullptr, nullptr, nullptr);
        sqlite3_close(db);
        m_data->Auftrag_tt.refresh();
        const auto tooLong = create(QStringLiteral("bbk2"));
        QCOMPARE(tooLong.status, Status::Failed);
        QCOMPARE(
            m_ui.messages.back(),
            std::string(
                "DTAZV Datei konnte nicht erstellt werden. Bitte prüfen Sie Ihren Datenbestand !"));
        QVERIFY(!QFile::exists(path(QStringLiteral("bbk2"))));
    }

    void handSetMarkIsClearedByTheCheck()
    {
        addTransfer("Meier", 10, true);
        const auto outcome = create(QStringLiteral("f"));
        QCOMPARE(outcome.count, 1);
        QCOMPARE(QFile(path(QStringLiteral("f"))).size(), qint64(512 + 768));
    }

    void brokenTemplateAfterTheFileKeepsIt()
    {
        addTransfer("Meier", 10);
        store::Cursor& s = m_data->Stamm_tt;
        s.edit();
        s.field("BEGLEIT").setBoolean(true);
        s.field("PROTOKOLL").setBoolean(true);
        s.post();
        QFile broken(path(QLatin1String(filecreation::kNoteTemplate)));
        QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
        broken.write("{ kaputt");
        broken.close();
        const auto outcome = create(QStringLiteral("mit-fehler"));
        QCOMPARE(outcome.status, Status::ReportFailed);
        QVERIFY(outcome.fileComplete);
        QVERIFY(QString::fromStdString(outcome.failure)
                    .contains(QLatin1String(filecreation::kNoteTemplate)));
        // The message says that the file is there and which report is missing.
        QCOMPARE(m_ui.messages,
                 std::vector<std::string>{"Die DTAZV-Datei „" +
                                          path(QStringLiteral("mit-fehler")).toStdString() +
                                          "“ wurde mit 1 Zahlungen erstellt; Anzahl und Summe "
                                          "sind gespeichert. Nicht gedruckt: Begleitzettel."});
        QVERIFY2(QFile::exists(m_ui.journalPdf), "a broken note does not keep the journal back");
        QCOMPARE(QFile(path(QStringLiteral("mit-fehler"))).size(), qint64(512 + 768));
        QCOMPARE(m_data->Stamm_tt.field("ANZAHL").asInteger(), 1);
        QVERIFY(!m_data->Zahlung_tt.isFiltered());
        QVERIFY(!m_data->Zahlung_tt.controlsDisabled());
    }

    void targetsThatAreNoOrdinaryFilesAreRefused()
    {
        addTransfer("Meier", 10);
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("ordner")));
        const std::string fifo = path(QStringLiteral("pipe")).toStdString();
        QCOMPARE(mkfifo(fifo.c_str(), 0600), 0);
        const std::string table = readFile(path(QStringLiteral("ZAHLUNG.ADT")));
        for (const QString& target :
             {path(QStringLiteral("ordner")), QString::fromStdString(fifo),
              QStringLiteral("/dev/null"), path(QStringLiteral("ZAHLUNG.ADT")),
              m_dir->path() + QStringLiteral("/./stamm.ADT")}) {
            m_ui = TestUi();
            m_ui.file = target.toStdString();
            const auto outcome = m_workflow->run(m_ui, false);
            QCOMPARE(outcome.status, Status::Failed);
            QCOMPARE(m_ui.messages.size(), std::size_t(1));
            QVERIFY2(m_ui.messages.front().find("Bitte wählen Sie einen anderen Namen") !=
                         std::string::npos,
                     m_ui.messages.front().c_str());
        }
        QVERIFY(QFileInfo(path(QStringLiteral("ordner"))).isDir());
        QCOMPARE(QFileInfo(QString::fromStdString(fifo)).size(), qint64(0));
        QCOMPARE(readFile(path(QStringLiteral("ZAHLUNG.ADT"))), table);
        QCOMPARE(unfinishedFiles(), QStringList());
    }

    void missingFolderIsAFailureWithTheUsualMessage()
    {
        addTransfer("Meier", 10);
        m_ui.file = path(QStringLiteral("fehlt/DTAZV")).toStdString();
        const auto outcome = m_workflow->run(m_ui, false);
        QCOMPARE(outcome.status, Status::Failed);
        QCOMPARE(m_ui.messages,
                 std::vector<std::string>{"DTAZV Datei konnte nicht erstellt werden. Bitte prüfen "
                                          "Sie Ihren Datenbestand !"});
        QVERIFY(QString::fromStdString(outcome.failure).contains(QStringLiteral("fehlt")));
    }

    void oldFileStaysUntilTheNewOneIsComplete()
    {
        addTransfer("Meier", 10);
        QFile old(path(QStringLiteral("alt")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("die Datei vom letzten Monat");
        old.close();
        setOrderer({{"KontoNr", "5"}}); // the writer refuses the ordering party after the dialog
        QCOMPARE(create(QStringLiteral("alt")).status, Status::Failed);
        QCOMPARE(readFile(path(QStringLiteral("alt"))), std::string("die Datei vom letzten Monat"));
        QCOMPARE(unfinishedFiles(), QStringList());
    }

    void fullDiskLeavesOldFilesAndNoCutReports()
    {
        addTransfer("Meier", 10);
        store::Cursor& s = m_data->Stamm_tt;
        s.edit();
        s.field("PROTOKOLL").setBoolean(true);
        s.post();
        for (const QString& name : {QStringLiteral("voll"), m_ui.journalPdf}) {
            QFile old(name.startsWith(QLatin1Char('/')) ? name : path(name));
            QVERIFY(old.open(QIODevice::WriteOnly));
            old.write("alt");
        }
        // From the reports on, writes beyond 5000 bytes fail as on a full disk:
        // the journal does not fit.
        m_ui.reportSizeLimit = 5000;
        const auto outcome = create(QStringLiteral("voll"));
        m_ui.limit.reset();
        QCOMPARE(outcome.status, Status::ReportFailed);
        QCOMPARE(QFile(path(QStringLiteral("voll"))).size(), qint64(512 + 768));
        QCOMPARE(readFile(m_ui.journalPdf), std::string("alt"));
        QVERIFY(m_ui.messages.back().find("Nicht gedruckt: Protokoll") != std::string::npos);
        QVERIFY(QDir(m_dir->path()).entryList({QStringLiteral("journal.pdf.*")}).isEmpty());

        {
            const FileSizeLimit limit(600); // not even the DTAZV file fits
            QCOMPARE(create(QStringLiteral("voll")).status, Status::Failed);
        }
        QCOMPARE(QFile(path(QStringLiteral("voll"))).size(), qint64(512 + 768));
        QCOMPARE(unfinishedFiles(), QStringList());
    }

    void failureBeforeTheEndLeavesNoFile()
    {
        addTransfer("Meier", 10);
        m_data->Zahlung_tt.first();
        m_data->Zahlung_tt.edit();
        m_data->Zahlung_tt.field("Verwendungszweck2").setString("zwei");
        m_data->Zahlung_tt.field("Verwendungszweck3").setString("drei");
        m_data->Zahlung_tt.field("Verwendungszweck4").setString("vier");
        m_data->Zahlung_tt.field("Verwendungszweck1").setString(std::string(30, 'x'));
        m_data->Zahlung_tt.post();
        // The writer refuses the ordering party in BeginFile: an account number it cannot take.
        setOrderer({{"KontoNr", "5"}});
        const auto outcome = create(QStringLiteral("halb"));
        QCOMPARE(outcome.status, Status::Failed);
        QVERIFY(!outcome.fileComplete);
        QVERIFY(!QFile::exists(path(QStringLiteral("halb"))));
        QCOMPARE(unfinishedFiles(), QStringList());
        QVERIFY(!m_data->Zahlung_tt.controlsDisabled());
        setOrderer({{"KontoNr", "532013000"}});
        QCOMPARE(create(QStringLiteral("halb")).status, Status::Created);
    }

    void refusalAndCancelWriteNothing()
    {
        addTransfer("Meier", 10);
        QFile existing(path(QStringLiteral("bleibt")));
        QVERIFY(existing.open(QIODevice::WriteOnly));
        existing.write("alt");
        existing.close();
        setOrderer({{"Name", ""}});
        const auto refused = create(QStringLiteral("bleibt"));
        QCOMPARE(refused.status, Status::Refused);
        QCOMPARE(m_ui.messages.back(),
                 std::string(
                     "Aufgrund schwerwiegender Mängel im Datenbestand kann die DTAZV Dateí nicht "
                     "erstellt werden !"));
        QCOMPARE(m_ui.certificates, 1);
        QVERIFY(m_ui.proposals.empty());
        QCOMPARE(readFile(path(QStringLiteral("bleibt"))), std::string("alt"));

        setOrderer({{"Name", "Muster GmbH"}});
        m_ui.messages.clear();
        m_ui.file.reset();
        QCOMPARE(m_workflow->run(m_ui, false).status, Status::Cancelled);
        QVERIFY(m_ui.messages.empty());
        QCOMPARE(readFile(path(QStringLiteral("bleibt"))), std::string("alt"));
    }

    void englishMessagesAndNoReportsWhenNotAsked()
    {
        addTransfer("Meier", 10);
        m_data->Stamm_tt.edit();
        m_data->Stamm_tt.field("BEGLEIT").setBoolean(false);
        m_data->Stamm_tt.field("PROTOKOLL").setBoolean(false);
        m_data->Stamm_tt.post();
        QCOMPARE(create(QStringLiteral("ohne-druck")).status, Status::Created);
        QVERIFY(!QFile::exists(m_ui.notePdf));
        QVERIFY(!QFile::exists(m_ui.journalPdf));
        setOrderer({{"Name", ""}});
        m_ui.file = path(QStringLiteral("x")).toStdString();
        QCOMPARE(m_workflow->run(m_ui, true).status, Status::Refused);
        QCOMPARE(m_ui.messages.back(), std::string("DTAZV file cannot be provided !"));
    }

    void damagedTransfersAreMarkedAndTheOthersWritten()
    {
        setOrderer({{"Zahlung50T", "True"}});
        m_data->Stamm_tt.edit();
        m_data->Stamm_tt.field("Meldepflicht").setBoolean(true);
        m_data->Stamm_tt.post();
        addTransfer("Zeilenumbruch", 10, false, {{"BIC", "COBADE\r\n"}});
        addTransfer("Riesig", 2147483648.0);
        addTransfer("Unendlich", HUGE_VAL);
        addTransfer("Lang", 10);
        addTransfer("Steuerzeichen", 10, false,
                    {{"Name2", "Abt.\t7"},
                     {"Strasse", "Weg\r\n1"},
                     {"OrtLand", "\x1B[0mBonn"},
                     {"Verwendungszweck1", "Rechnung\n1"},
                     {"Verwendungszweck2", "\x01"}});
        // A purpose line as another program may store it: far beyond the field's width.
        sqlite3* db = nullptr;
        sqlite3_open(path(QStringLiteral("ZAHLUNG.ADT")).toUtf8().constData(), &db);
        sqlite3_exec(db,
                     "UPDATE ZAHLUNG SET Verwendungszweck1 = printf('%.120c', 'x') "
                     "WHERE Name = 'Lang'",
                     nullptr, nullptr, nullptr);
        sqlite3_close(db);
        m_data->Zahlung_tt.refresh();

        const auto outcome = create(QStringLiteral("beschaedigt"));
        QCOMPARE(outcome.status, Status::Created);
        QCOMPARE(outcome.count, 1);
        const std::string file = readFile(path(QStringLiteral("beschaedigt")));
        QCOMPARE(file.size(), std::size_t(512 + 768));
        const std::string record = file.substr(256, 768);
        QCOMPARE(record.substr(210, 140), field("STEUERZEICHEN", 35) + field("ABT.7", 35) +
                                              field("WEG1", 35) + field("0MBONN", 35));
        QCOMPARE(record.substr(475, 70), field("RECHNUNG1", 35) + blanks(35));
        for (const char c : file)
            QVERIFY2(static_cast<unsigned char>(c) >= 0x20, "a control character in the file");

        std::map<std::string, std::string> remarks;
        for (const checking::MarkedTransfer& t : outcome.check.marked)
            remarks[t.name] = t.remark;
        const std::string reportable = " < Meldepflichtiger Betrag > ";
        const std::string tooLarge = " < Betrag zu groß für die DTAZV-Datei > ";
        QCOMPARE(remarks, (std::map<std::string, std::string>{
                              {"Zeilenumbruch", " < BIC falsch > "},
                              {"Riesig", reportable + tooLarge},
                              {"Unendlich", reportable + tooLarge},
                              {"Lang", " < Verwendungszweck zu lang für die DTAZV-Datei > "}}));
    }

    void orderingPartyNumbersThatWouldChangeAreRefused()
    {
        addTransfer("Meier", 10);
        const struct
        {
            const char* field;
            double value;
        } cases[] = {
            {"BLZ", 4332007340.0},               // 37040044 in its lowest 32 bits
            {"BLZ", 37040044.7},                 // rounds to 37040045
            {"KontoNr", 18446744074944119506.0}, // 1234567168 when cut to 64 bits
            {"KontoNr", 532013000.5},
        };
        for (const auto& c : cases) {
            m_data->Auftrag_tt.first();
            m_data->Auftrag_tt.edit();
            m_data->Auftrag_tt.field("BLZ").setFloat(37040044);
            m_data->Auftrag_tt.field("KontoNr").setFloat(532013000);
            m_data->Auftrag_tt.field(c.field).setFloat(c.value);
            m_data->Auftrag_tt.post();
            m_ui.certificates = 0;
            QCOMPARE(create(QStringLiteral("nummern")).status, Status::Refused);
            QCOMPARE(m_ui.certificates, 1);
            QVERIFY(!QFile::exists(path(QStringLiteral("nummern"))));
        }
    }

    void controlCharactersInTheOrderCurrencyAreRefused()
    {
        addTransfer("Meier", 10);
        for (const char* currency : {"\x01\x02\x03", "E\nR", "€UR"}) {
            m_data->Stamm_tt.edit();
            m_data->Stamm_tt.field("WAEHRUNG").setString(currency);
            m_data->Stamm_tt.post();
            // Outside the guarded part: the writer's own message ends the command.
            try {
                create(QStringLiteral("waehrung"));
                QFAIL("the order currency was taken");
            } catch (const dtazv::DtazvError& e) {
                QCOMPARE(std::string(e.what()),
                         std::string("Der Währungscode muss aus genau drei Zeichen bestehen, "
                                     "z.B. USD."));
            }
            QVERIFY(!QFile::exists(path(QStringLiteral("waehrung"))));
            QCOMPARE(unfinishedFiles(), QStringList());
        }
    }

    void bundesbankNumbersHoldDigitsOnly()
    {
        addTransfer("Meier", 10);
        const struct
        {
            const char* bundesland;
            const char* company;
            const char* cause;
        } cases[] = {
            {"9\n", "1234", "Die Bundeslandnummer darf nur aus höchstens 2 Ziffern bestehen."},
            {"\x01", "1234", "Die Bundeslandnummer darf nur aus höchstens 2 Ziffern bestehen."},
            {"9", "12\r\n", "Die Firmennummer darf nur aus höchstens 8 Ziffern bestehen."},
            {"9", "A1234", "Die Firmennummer darf nur aus höchstens 8 Ziffern bestehen."},
        };
        for (const auto& c : cases) {
            setOrderer({{"Bundesbankmeldung", "True"},
                        {"BundeslandNr", c.bundesland},
                        {"AuftraggeberNr", c.company}});
            const auto outcome = create(QStringLiteral("bbk"));
            QCOMPARE(outcome.status, Status::Failed);
            QCOMPARE(outcome.failure, std::string(c.cause));
            QVERIFY(!QFile::exists(path(QStringLiteral("bbk"))));
            QCOMPARE(unfinishedFiles(), QStringList());
        }
    }
};

QTEST_MAIN(CreateFileTest)
#include "CreateFileTest.moc"
