#include "AppFixture.h"
#include "FileDamage.h"
#include "app/CreateFileUi.h"
#include "app/CursorModel.h"
#include "app/ProgrammForm.h"
#include "app/PruefForm.h"
#include "app/TransferGrid.h"
#include "app/TransferGroup.h"
#include "filecreation/Reports.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QFileInfo>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QRandomGenerator>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <sqlite3.h>

// The files another program or a damaged disk can change: the five tables,
// VIZUZAR.INI, GridTarvion.ini, the language file and the report templates.
// Whatever they hold, the program starts, shows its windows, runs the check
// (and, on damaged tables and templates, the file creation with both
// reports) and closes; a message box is fine, a crash, an escaped exception
// or a hang is not. TARVION_FUZZ_SEED repeats a run, TARVION_FUZZ_ROUNDS
// sets the number of damaged files of each kind.
namespace {

const char* const kSettingsFile = "[Common]\r\n"
                                  "Form1=200,0,1,20,30,620,430\r\n"
                                  "ProgrammForm=200,0,1,100,80,500,380\r\n"
                                  "\r\n"
                                  "[Sprache]\r\n"
                                  "Sprache=Deutsch\r\n";

void execute(const QString& tableFile, const char* sql)
{
    sqlite3* db = nullptr;
    QVERIFY(sqlite3_open_v2(tableFile.toUtf8().constData(), &db, SQLITE_OPEN_READWRITE, nullptr) ==
            SQLITE_OK);
    char* error = nullptr;
    const int result = sqlite3_exec(db, sql, nullptr, nullptr, &error);
    const QString message = QString::fromUtf8(error ? error : "");
    sqlite3_free(error);
    sqlite3_close(db);
    QVERIFY2(result == SQLITE_OK, qPrintable(message));
}

// Transfers, ordering parties and settings that pass the check, so that the
// file creation and both reports run as long as nothing is damaged.
void fillTables(AppFixture& f)
{
    execute(f.path(QStringLiteral("ZAHLUNG.ADT")),
            "INSERT INTO ZAHLUNG (Name, Name2, Strasse, OrtLand, BETRAG, IBAN, BIC, "
            "Verwendungszweck1, Verwendungszweck2, Ausfuehrungsdatum, PRUEFEN, Infofeld, "
            "Waehrung, BLZNUM, KTONUM, KTO, TYP) VALUES "
            "('Zander', 'Hof', 'Weg 1', 'Lyon FR', 100, 'DE89370400440532013000', "
            "'COBADEFFXXX', 'Rechnung 1', 'Kunde 7', NULL, 0, 'Info', 'EUR', 1, 2, '3', 'A'), "
            "('Albers', NULL, NULL, 'Paris FR', 1250.5, 'FR1420041010050500013M02606', "
            "'PSSTFRPPXXX', 'Rechnung 2', NULL, date('now'), 0, NULL, 'EUR', NULL, NULL, NULL, "
            "NULL), "
            "('Meier', NULL, NULL, NULL, 60000, 'DE89 3704 0044 0532 0130 00', 'COBADEFF', "
            "NULL, NULL, NULL, 1, NULL, NULL, NULL, NULL, NULL, NULL)");
    execute(f.path(QStringLiteral("auftraggeber.adt")),
            "INSERT INTO auftraggeber (KontoNr, BLZ, Name1, Name, Strasse, Ort, "
            "Bundesbankmeldung, BundeslandNr, AuftraggeberNr, Zahlung50T) VALUES "
            "(532013000, 37040044, 'Abteilung', 'Erste GmbH', 'Ring 2', '50667 Köln', 1, '05', "
            "'1234', 0), "
            "(1234567, 10000000, NULL, 'Zweite AG', NULL, NULL, 0, NULL, NULL, 1)");
    execute(f.path(QStringLiteral("stamm.ADT")),
            "UPDATE stamm SET Meldepflicht = 1, BEGLEIT = 1, PROTOKOLL = 1");
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void writeFile(const QString& path, const QByteArray& content)
{
    QFile file(path);
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    QCOMPARE(file.write(content), content.size());
}

// The element of that name in `window` itself, not in one of its dialogs.
QWidget* shownIn(QWidget& window, const QString& name)
{
    for (QWidget* widget : window.findChildren<QWidget*>(name)) {
        if (widget->window() == &window)
            return widget;
    }
    return nullptr;
}

QString shownValue(const QWidget* editor)
{
    if (const auto* box = qobject_cast<const QCheckBox*>(editor))
        return box->isChecked() ? QStringLiteral("ticked") : QString();
    if (const auto* edit = qobject_cast<const QLineEdit*>(editor))
        return edit->text();
    if (const auto* list = qobject_cast<const QComboBox*>(editor))
        return list->currentText();
    return QStringLiteral("(unknown editor)");
}

quint64 fuzzSeed()
{
    bool ok = false;
    const quint64 seed = qEnvironmentVariable("TARVION_FUZZ_SEED").toULongLong(&ok);
    return ok ? seed : QRandomGenerator::system()->generate64();
}

int fuzzRounds()
{
    bool ok = false;
    const int rounds = qEnvironmentVariableIntValue("TARVION_FUZZ_ROUNDS", &ok);
    return ok && rounds > 0 ? rounds : 100;
}

// Runs `action` with every modal dialog that comes up closed at once, as a
// user would close the check certificate.
template <class Action>
void closingModals(Action&& action)
{
    QTimer closer;
    QObject::connect(&closer, &QTimer::timeout, [] {
        if (QWidget* modal = QApplication::activeModalWidget())
            modal->close();
    });
    closer.start(0);
    action();
}

} // namespace

class DamagedFilesTest : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        // Every round makes a data folder; on a disk, the table engine's
        // syncs would take most of the time.
        if (QFileInfo(QStringLiteral("/dev/shm")).isWritable())
            qputenv("TMPDIR", "/dev/shm");
        m_seed = fuzzSeed();
        m_rounds = fuzzRounds();
        qInfo("damaged files: seed %llu, %d rounds of each kind (TARVION_FUZZ_SEED=%llu repeats "
              "this run)",
              m_seed, m_rounds, m_seed);
        // The layout file as the program writes it.
        AppFixture f;
        f.start().transferGroup()->grid->saveLayout();
        m_gridLayout = readFile(f.path(QStringLiteral("GridTarvion.ini")));
        QVERIFY(!m_gridLayout.isEmpty());
        m_languageFile = readFile(QStringLiteral(TARVION_DATA_SOURCE "/English"));
        m_noteTemplate = readFile(QStringLiteral(TARVION_DATA_SOURCE "/Begleitzettel.rtm"));
        m_journalTemplate = readFile(QStringLiteral(TARVION_DATA_SOURCE "/Protokoll.rtm"));
        QVERIFY(!m_languageFile.isEmpty() && !m_noteTemplate.isEmpty() &&
                !m_journalTemplate.isEmpty());
        m_home = QDir::currentPath();
        m_tables = std::make_unique<AppFixture>();
        fillTables(*m_tables);
    }

    void cleanup()
    {
        QDir::setCurrent(m_home);
        app::WindowCreateFileUi::setReportOutputs({});
    }

    // Another program stored a value that the field cannot read as its type:
    // the window starts with all tables open and shows the value as empty;
    // the check, where it reads the value, fails with the engine's message.
    void unreadableTableValueShowsEmpty_data()
    {
        QTest::addColumn<QString>("table");
        QTest::addColumn<QString>("assignment");
        QTest::addColumn<bool>("inSettingsDialog");
        QTest::addColumn<QString>("editor");
        QTest::addColumn<QString>("checkMessage"); // empty: the check does not read it

        QTest::newRow("settings option holding a text")
            << "stamm.ADT"
            << "EditImport = 'NaN'" << true << "cxDBCheckBox1"
            << "";
        QTest::newRow("reportable-payments flag holding a text")
            << "stamm.ADT"
            << "Meldepflicht = 'abc'" << false << "cxDBCheckBox1"
            << "'abc' is not a valid boolean value";
        QTest::newRow("print flag holding a blob") << "stamm.ADT"
                                                   << "BEGLEIT = x'00ff'" << false << "DruckBegleit"
                                                   << "";
        QTest::newRow("account number holding a text")
            << "auftraggeber.adt"
            << "KontoNr = 'zwölf'" << false << "cxDBTextEdit5"
            << "";
        QTest::newRow("bank code holding a text")
            << "auftraggeber.adt"
            << "BLZ = '3704OO44'" << false << "cxDBLookupComboBox1"
            << "";
        QTest::newRow("Bundesbank flag holding a text")
            << "auftraggeber.adt"
            << "Bundesbankmeldung = 'ja'" << false << "cxDBCheckBox2"
            << "";
    }

    void unreadableTableValueShowsEmpty()
    {
        QFETCH(QString, table);
        QFETCH(QString, assignment);
        QFETCH(bool, inSettingsDialog);
        QFETCH(QString, editor);
        QFETCH(QString, checkMessage);
        AppFixture f;
        fillTables(f);
        const QString name = table.section(QLatin1Char('.'), 0, 0);
        execute(f.path(table), qPrintable(QStringLiteral("UPDATE \"%1\" SET %2 WHERE rowid = "
                                                         "(SELECT min(rowid) FROM \"%1\")")
                                              .arg(name, assignment)));
        app::THauptForm& w = f.start();
        w.show();
        QCOMPARE(f.messages, QStringList());
        QVERIFY2(w.data().Stamm_tt.isOpen(), "every table opened");
        QWidget& window =
            inSettingsDialog ? static_cast<QWidget&>(*w.programmForm()) : static_cast<QWidget&>(w);
        const QWidget* shown = shownIn(window, editor);
        QVERIFY(shown);
        QCOMPARE(shownValue(shown), QString());
        w.grab(); // paints the grid over the values

        QString message;
        try {
            w.pruefen();
        } catch (const std::exception& e) {
            message = QString::fromUtf8(e.what());
        }
        if (checkMessage.isEmpty())
            QCOMPARE(message, QString());
        else
            QVERIFY2(message.contains(checkMessage), qPrintable(message));
    }

    // A damaged index of the transfers: the rows read, but sorting them by
    // name fails. The grid keeps the table's order instead of raising while
    // the check run gives it back the transfers, which ended the program.
    void damagedNameIndexKeepsTheTableOrder()
    {
        AppFixture f;
        fillTables(f);
        const QString table = f.path(QStringLiteral("ZAHLUNG.ADT"));
        int page = 0;
        int pageSize = 0;
        {
            sqlite3* db = nullptr;
            QCOMPARE(sqlite3_open(table.toUtf8().constData(), &db), SQLITE_OK);
            sqlite3_stmt* query = nullptr;
            sqlite3_prepare_v2(db,
                               "SELECT rootpage, (SELECT page_size FROM pragma_page_size) FROM "
                               "sqlite_schema WHERE type = 'index' AND sql LIKE '%(\"Name\"%'",
                               -1, &query, nullptr);
            if (sqlite3_step(query) == SQLITE_ROW) {
                page = sqlite3_column_int(query, 0);
                pageSize = sqlite3_column_int(query, 1);
            }
            sqlite3_finalize(query);
            sqlite3_close(db);
        }
        QVERIFY(page > 0 && pageSize > 0);
        QByteArray content = readFile(table);
        content.replace(qsizetype(page - 1) * pageSize, 16, QByteArray(16, '\xEE'));
        writeFile(table, content);

        app::THauptForm& w = f.start();
        w.show();
        QCOMPARE(f.messages, QStringList());
        QCOMPARE(w.data().Zahlung_tt.recordCount(), 3);
        try {
            w.pruefen();
        } catch (const std::exception& e) {
            f.messages << QString::fromUtf8(e.what());
        }
        QCOMPARE(w.transferGroup()->grid->model().rowCount(), 3);
    }

    // Placements that no screen can show, or whose arithmetic overflows an
    // int, are damage: the main window keeps its design placement.
    void placementBeyondAnyScreenIsIgnored_data()
    {
        QTest::addColumn<QString>("placement");
        QTest::newRow("2147483647 by 2147483647 pixels") << "200,0,1,0,0,2147483647,2147483647";
        QTest::newRow("60000 by 60000 pixels") << "200,0,1,0,0,60000,60000";
        QTest::newRow("edges at both ends of int")
            << "200,0,1,-2147483648,-2147483648,2147483647,2147483647";
        QTest::newRow("far right of the desktop") << "200,0,1,2000000000,10,2000000900,570";
        QTest::newRow("far above the desktop") << "200,0,3,10,-1000000,910,-999440";
    }

    void placementBeyondAnyScreenIsIgnored()
    {
        QFETCH(QString, placement);
        AppFixture f;
        f.writeIni("Common", "Form1", placement);
        app::THauptForm& w = f.start();
        w.show();
        QCOMPARE(w.geometry(), QRect(266, 112, 950, 601));
        QVERIFY(!w.isMaximized());
    }

    void placementLargerThanTheDesktopIsLimitedToIt()
    {
        AppFixture f;
        const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        f.writeIni("Common", "Form1",
                   QStringLiteral("200,0,1,%1,%2,%3,%4")
                       .arg(desktop.left() + 40)
                       .arg(desktop.top() + 30)
                       .arg(desktop.right() + 1 + 300)
                       .arg(desktop.bottom() + 1 + 200));
        app::THauptForm& w = f.start();
        w.show();
        QCOMPARE(w.geometry().size(), desktop.size());
    }

    // A damaged entry of the language file counts as missing: the window
    // shows its German text there and the file's texts everywhere else.
    void damagedLanguageEntryKeepsTheGermanText_data()
    {
        QTest::addColumn<QByteArray>("banner");
        QTest::addColumn<QString>("otherLabel");
        QTest::newRow("character code beyond an int")
            << QByteArray("\"A\"#99999999999999999999") << "Payee";
        QTest::newRow("text of 5000 characters") << "\"" + QByteArray(5000, 'W') + "\""
                                                 << "Payee";
        // Beyond the size of any language file: the file is not read at all.
        QTest::newRow("text of a million characters") << "\"" + QByteArray(1000000, 'W') + "\""
                                                      << "Name";
    }

    void damagedLanguageEntryKeepsTheGermanText()
    {
        QFETCH(QByteArray, banner);
        QFETCH(QString, otherLabel);
        AppFixture f;
        f.writeIni("Sprache", "Sprache", QStringLiteral("English"));
        QDir::setCurrent(f.path(QString()));
        writeFile(f.path(QStringLiteral("English")),
                  "[HauptForm]\r\nLabel1.Caption=" + banner + "\r\nLabel2.Caption=\"Payee\"\r\n");
        app::THauptForm& w = f.start();
        w.show();
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label1"))->text(),
                 QStringLiteral("Tarvion - Europaüberweiungen einfach und schnell"));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label2"))->text(), otherLabel);
        QCOMPARE(w.geometry(), QRect(266, 112, 950, 601));
    }

    void damagedTables()
    {
        fuzz(1, QStringLiteral("tables"), kSettingsDialog | kCertificate | kCreateFile,
             [](FileDamage& damage, AppFixture& f, QStringList& done) {
                 damage.damageTableValues(f.path(QString()), done);
                 if (damage.chance(15))
                     damage.damageTableBytes(f.path(QString()), done);
             });
    }

    void damagedSettingsFile()
    {
        fuzz(2, QStringLiteral("VIZUZAR.INI"), kSettingsDialog,
             [](FileDamage& damage, AppFixture& f, QStringList& done) {
                 QByteArray content(kSettingsFile);
                 if (damage.chance(50))
                     content.replace("Deutsch", "English");
                 writeFile(f.path(QStringLiteral("VIZUZAR.INI")), damage.damageText(content, done));
             });
    }

    void damagedGridLayout()
    {
        fuzz(3, QStringLiteral("GridTarvion.ini"), 0,
             [this](FileDamage& damage, AppFixture& f, QStringList& done) {
                 writeFile(f.path(QStringLiteral("GridTarvion.ini")),
                           damage.damageText(m_gridLayout, done));
             });
    }

    void damagedLanguageFile()
    {
        fuzz(4, QStringLiteral("English"), kSettingsDialog | kCertificate,
             [this](FileDamage& damage, AppFixture& f, QStringList& done) {
                 f.writeIni("Sprache", "Sprache", QStringLiteral("English"));
                 // The language file is looked up in the working folder.
                 QDir::setCurrent(f.path(QString()));
                 writeFile(f.path(QStringLiteral("English")),
                           damage.damageText(m_languageFile, done));
             });
    }

    void damagedReportTemplates()
    {
        fuzz(5, QStringLiteral("report templates"), kCreateFile,
             [this](FileDamage& damage, AppFixture& f, QStringList& done) {
                 const bool note = damage.chance(50);
                 QStringList noteDone;
                 writeFile(f.path(QLatin1String(filecreation::kNoteTemplate)),
                           note ? damage.damageText(m_noteTemplate, noteDone) : m_noteTemplate);
                 for (const QString& d : std::as_const(noteDone))
                     done << QLatin1String(filecreation::kNoteTemplate) + QStringLiteral(": ") + d;
                 QStringList journalDone;
                 writeFile(f.path(QLatin1String(filecreation::kJournalTemplate)),
                           !note || damage.chance(30)
                               ? damage.damageText(m_journalTemplate, journalDone)
                               : m_journalTemplate);
                 for (const QString& d : std::as_const(journalDone))
                     done << QLatin1String(filecreation::kJournalTemplate) + QStringLiteral(": ") +
                                 d;
             });
    }

private:
    // What each round does beside starting the program and running the
    // check: only what the damaged file can reach, to keep the rounds short.
    enum Step
    {
        kSettingsDialog = 1, // show the settings dialog
        kCertificate = 2,    // paint the check certificate
        kCreateFile = 4,     // create the payment file and print both reports
    };

    // `damage` spoils the files of a fresh data folder, then the program runs
    // on it; kinds differ in their seeds so that each can be repeated alone.
    template <class Damage>
    void fuzz(int kind, const QString& name, int steps, Damage&& damageFiles)
    {
        FileDamage damage(m_seed + quint64(kind) * 0x9E3779B97F4A7C15ULL);
        int withMessages = 0;
        for (int round = 1; round <= m_rounds; ++round) {
            AppFixture f(m_tables->path(QString()));
            if (steps & kCreateFile) {
                writeFile(f.path(QLatin1String(filecreation::kNoteTemplate)), m_noteTemplate);
                writeFile(f.path(QLatin1String(filecreation::kJournalTemplate)), m_journalTemplate);
            }
            QStringList done;
            damageFiles(damage, f, done);
            const QString what = QStringLiteral("%1, round %2 of seed %3: %4")
                                     .arg(name)
                                     .arg(round)
                                     .arg(m_seed)
                                     .arg(done.join(QStringLiteral("; ")));
            runProgram(f, what, steps);
            QDir::setCurrent(m_home);
            if (QTest::currentTestFailed())
                return;
            f.messages.removeAll(QStringLiteral("DTA-Datei speichern")); // the save dialog
            withMessages += f.messages.isEmpty() ? 0 : 1;
        }
        qInfo("%s: %d damaged files, %d of them reported", qPrintable(name), m_rounds,
              withMessages);
    }

    // Starts the program on the files, shows its windows, runs the check and
    // the file creation, and closes it. Commands may fail with a message; an
    // exception that leaves the start-up or the event handling is a fault.
    void runProgram(AppFixture& f, const QString& what, int steps)
    {
        filecreation::PdfOutput note(f.path(QStringLiteral("note.pdf")));
        filecreation::PdfOutput journal(f.path(QStringLiteral("journal.pdf")));
        app::WindowCreateFileUi::setReportOutputs(
            [&](bool isJournal) -> filecreation::ReportOutput* {
                return isJournal ? static_cast<filecreation::ReportOutput*>(&journal) : &note;
            });
        try {
            closingModals([&] {
                app::THauptForm& w = f.start();
                w.show();
                QCoreApplication::processEvents(); // paints the window
                if (steps & kSettingsDialog) {
                    w.programmForm()->show();
                    QCoreApplication::processEvents();
                    w.programmForm()->close();
                }
                try {
                    w.pruefen(); // the check command's run; the certificate is not shown
                } catch (const std::exception& e) {
                    f.messages << QString::fromUtf8(e.what());
                }
                if (steps & kCertificate)
                    w.pruefForm()->grab();
                if (steps & kCreateFile) {
                    app::Dialogs::setNextSaveFileNames({f.path(QStringLiteral("DTAZV"))});
                    try {
                        w.LMDSpeedButton9Click();
                    } catch (const std::exception& e) {
                        f.messages << QString::fromUtf8(e.what());
                    }
                    QCoreApplication::processEvents(); // the grid in its new order
                }
                if (!f.closeWindow())
                    f.window.reset();
            });
        } catch (const std::exception& e) {
            QFAIL(qPrintable(what + QStringLiteral(": escaped: ") + QString::fromUtf8(e.what())));
        } catch (...) {
            QFAIL(qPrintable(what + QStringLiteral(": an unknown exception escaped")));
        }
        app::WindowCreateFileUi::setReportOutputs({});
    }

    quint64 m_seed = 0;
    int m_rounds = 0;
    QByteArray m_gridLayout;
    QByteArray m_languageFile;
    QByteArray m_noteTemplate;
    QByteArray m_journalTemplate;
    QString m_home;
    std::unique_ptr<AppFixture> m_tables; // the undamaged tables every round starts from
};

QTEST_MAIN(DamagedFilesTest)
#include "DamagedFilesTest.moc"
