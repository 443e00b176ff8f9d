#include "filecreation/Reports.h"

#include "TableFiles.h"
#include "filecreation/DisplayFormat.h"
#include "filecreation/Report.h"
#include "filecreation/ReportError.h"
#include "filecreation/ReportPipeline.h"
#include "store/PaymentStore.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <memory>
#include <poppler/qt6/poppler-qt6.h>
#include <stdexcept>
#include <utility>

namespace {

// A rendered PDF read back: each page's words with their places in millimetres.
struct Word
{
    QString text;
    QRectF mm;
};

struct Pdf
{
    std::vector<std::vector<Word>> pages;

    QString pageText(int page) const
    {
        QStringList words;
        for (const Word& w : pages.at(static_cast<std::size_t>(page)))
            words << w.text;
        return words.join(QLatin1Char(' '));
    }
    QString allText() const
    {
        QStringList texts;
        for (std::size_t p = 0; p < pages.size(); ++p)
            texts << pageText(static_cast<int>(p));
        return texts.join(QLatin1Char(' '));
    }
    // The first word with this text at least `below` millimetres from the top.
    const Word* find(int page, const QString& text, double below = 0) const
    {
        for (const Word& w : pages.at(static_cast<std::size_t>(page))) {
            if (w.text == text && w.mm.y() >= below)
                return &w;
        }
        return nullptr;
    }
};

Pdf readPdf(const QString& path)
{
    Pdf pdf;
    const std::unique_ptr<Poppler::Document> document = Poppler::Document::load(path);
    if (!document)
        return pdf;
    for (int i = 0; i < document->numPages(); ++i) {
        const std::unique_ptr<Poppler::Page> page = document->page(i);
        std::vector<Word> words;
        constexpr double mmPerPoint = 25.4 / 72.0;
        for (const auto& box : page->textList()) {
            const QRectF b = box->boundingBox();
            words.push_back({box->text(), QRectF(b.x() * mmPerPoint, b.y() * mmPerPoint,
                                                 b.width() * mmPerPoint, b.height() * mmPerPoint)});
        }
        pdf.pages.push_back(std::move(words));
    }
    return pdf;
}

// 99,999 amounts of 5005.6447 and one of 5008.49: 500564472.8453 in all, but
// 500564472.84468 when added as binary fractions.
class AmountPipeline final : public filecreation::ReportPipeline
{
public:
    int recordCount() const override { return 100000; }
    store::Value value(int record, const QString&) const override
    {
        return record == 0 ? 5008.49 : 5005.6447;
    }
    store::FieldType type(const QString&) const override { return store::FieldType::Currency; }
};

} // namespace

class ReportsTest : public QObject
{
    Q_OBJECT

private:
    QTemporaryDir m_dir;
    std::unique_ptr<store::PaymentStore> m_data;

    QString path(const QString& name) const { return m_dir.filePath(name); }
    QString dataDirectory() const { return m_dir.path() + QLatin1Char('/'); }

    void addTransfers(int count, int markEvery)
    {
        store::Cursor& z = m_data->Zahlung_tt;
        for (int i = 0; i < count; ++i) {
            z.append();
            z.field("Name").setString(QStringLiteral("Lieferant %1")
                                          .arg(count - i, 3, 10, QLatin1Char('0'))
                                          .toStdString());
            z.field("BIC").setString("COBADEFFXXX");
            z.field("IBAN").setString("DE89370400440532013000");
            z.field("BETRAG").setFloat(1000.25);
            z.field("Verwendungszweck1").setString("Rechnung " + std::to_string(i));
            z.field("PRUEFEN").setBoolean(markEvery > 0 && i % markEvery == 0);
            z.field("Hinweis").setString(markEvery > 0 && i % markEvery == 0 ? " < IBAN falsch > "
                                                                             : "");
            z.post();
        }
        z.setIndexName("Name");
    }

private slots:
    void init()
    {
        QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany));
        for (const store::TableDef* table : store::allTables())
            QFile::remove(path(QString::fromStdString(table->fileName)));
        m_data.reset();
        tablegen::createEmptyTables(m_dir.path().toStdString(), true);
        for (const char* name : {filecreation::kNoteTemplate, filecreation::kJournalTemplate}) {
            QFile::remove(path(QLatin1String(name)));
            QVERIFY(QFile::copy(QStringLiteral(TARVION_DATA_SOURCE) + QLatin1Char('/') +
                                    QLatin1String(name),
                                path(QLatin1String(name))));
        }
        m_data = std::make_unique<store::PaymentStore>();
        m_data->pointAt(dataDirectory().toStdString());
        m_data->openAll();
        store::Cursor& a = m_data->Auftrag_tt;
        a.append();
        a.field("Name").setString("Muster GmbH");
        a.field("Name1").setString("Buchhaltung");
        a.field("Strasse").setString("Hauptstraße 1");
        a.field("Ort").setString("80331 München");
        a.field("KontoNr").setFloat(532013000);
        a.field("BLZ").setFloat(37040044);
        a.field("Bundesbankmeldung").setBoolean(true);
        a.post();
        store::Cursor& s = m_data->Stamm_tt;
        s.edit();
        s.field("Erstelldatum").setString("2026-12-11");
        s.field("Ausfuehrungstermin").setString("2026-12-14");
        s.field("ANZAHL").setFloat(3);
        s.field("SUMME_EURO").setFloat(1234.56);
        s.post();
    }

    void cleanup() { m_data.reset(); }

    void noteShowsEveryCaptionBesideItsValue()
    {
        for (const bool english : {false, true}) {
            const QString pdf = path(QStringLiteral("note.pdf"));
            filecreation::PdfOutput output(pdf);
            filecreation::printAccompanyingNote(*m_data, dataDirectory(), english, output);
            const Pdf read = readPdf(pdf);
            QCOMPARE(read.pages.size(), std::size_t(1));
            const QString text = read.allText();
            const QStringList captions =
                english
                    ? QStringList{QStringLiteral("Corollary note"),
                                  QStringLiteral("Number of transactions"),
                                  QStringLiteral("Total amount from"),
                                  QStringLiteral("Company, Signature(s)"), QStringLiteral("Name 1")}
                    : QStringList{
                          QStringLiteral("Begleitzettel - Belegloser Datenträgeraustausch DTAZV"),
                          QStringLiteral("Anzahl der Datensätze T"),
                          QStringLiteral("Summe der Beträge über"),
                          QStringLiteral("Firma, Unterschrift(en)"), QStringLiteral("Name 1")};
            for (const QString& caption : captions)
                QVERIFY2(text.contains(caption),
                         qPrintable(caption + QStringLiteral(" in ") + text));
            for (const char* value : {"Muster GmbH", "532013000", "37040044", "1.234,56",
                                      "11.12.2026", "14.12.2026", "EUR", "80331 München"})
                QVERIFY2(text.contains(QString::fromUtf8(value)), value);
            QCOMPARE(text.contains(QStringLiteral("Begleitzettel")), !english);
        }
    }

    void journalListsTheUnmarkedTransfersByName()
    {
        addTransfers(6, 3); // rows 0 and 3 are marked
        const QString pdf = path(QStringLiteral("journal.pdf"));
        filecreation::PdfOutput output(pdf);
        filecreation::printJournal(*m_data, dataDirectory(), false, output);
        QVERIFY(!m_data->Zahlung_tt.isFiltered());
        QCOMPARE(m_data->Zahlung_tt.recordCount(), 6);

        const Pdf read = readPdf(pdf);
        QCOMPARE(read.pages.size(), std::size_t(1));
        const QString text = read.pageText(0);
        QVERIFY(text.contains(QStringLiteral("DTAZV - Protokoll")));
        // Inserted as Lieferant 006 ... 001; 006 and 003 are marked.
        const QStringList listed{QStringLiteral("001"), QStringLiteral("002"),
                                 QStringLiteral("004"), QStringLiteral("005")};
        double lastY = 0;
        for (const QString& number : listed) {
            const Word* word = read.find(0, number);
            QVERIFY2(word, qPrintable(number));
            QVERIFY(word->mm.y() > lastY);
            lastY = word->mm.y();
        }
        QVERIFY(!read.find(0, QStringLiteral("003")));
        QVERIFY(!read.find(0, QStringLiteral("006")));
        QVERIFY(!text.contains(QStringLiteral("IBAN falsch")));
        QVERIFY(text.contains(QStringLiteral("Anzahl 4")));
        QVERIFY2(text.contains(QStringLiteral("4.001,00")), qPrintable(text));
        QVERIFY(text.contains(QStringLiteral("€")));
    }

    void journalColumnsStandWhereTheLayoutPutsThem()
    {
        addTransfers(1, 0);
        const QString pdf = path(QStringLiteral("journal.pdf"));
        filecreation::PdfOutput output(pdf);
        filecreation::printJournal(*m_data, dataDirectory(), true, output);
        const Pdf read = readPdf(pdf);
        const double margin = 6.35;
        const struct
        {
            const char* word;
            double x; // left edge, or right edge for right-aligned items
            bool right;
        } expected[] = {
            {"IBAN", 15.6, false},
            {"Name", 57.7, false},
            {"Amount", 115.2 + 10.5, true},
            {"Notice", 219.9, false},
            {"COBADEFFXXX", 1.3, false},
            {"DE89370400440532013000", 15.6, false},
            {"1.000,25", 104.0 + 21.7, true},
            {"Applicant", 1.3, false},
            {"Muster", 22.5, false},
            {"532013000", 116.2, false},
        };
        for (const auto& e : expected) {
            // Column headings and rows stand below the title band.
            const double below = std::string_view(e.word) == "Name" ? margin + 56.6 : 0;
            const Word* word = read.find(0, QString::fromUtf8(e.word), below);
            QVERIFY2(word, e.word);
            const double x = e.right ? word->mm.right() : word->mm.left();
            QVERIFY2(std::abs(x - (margin + e.x)) < 1.0,
                     qPrintable(QStringLiteral("%1 at %2 mm").arg(QLatin1String(e.word)).arg(x)));
        }
        QCOMPARE(read.pages.size(), std::size_t(1));
        QVERIFY(read.pageText(0).contains(QStringLiteral("Page 1")));
    }

    void journalPrintsWholeBicAndIban()
    {
        // The widest letters, W and M, wherever the formats allow letters.
        const QString bic = QStringLiteral("WMWMWMWMWMW");
        const QString iban = QStringLiteral("MW00WMWMWMWMWMWMWMWMWMWMWMWMWMWMWM");
        QCOMPARE(bic.size(), 11);
        QCOMPARE(iban.size(), 34);
        addTransfers(1, 0);
        store::Cursor& z = m_data->Zahlung_tt;
        z.first();
        z.edit();
        z.field("BIC").setString(bic.toStdString());
        z.field("IBAN").setString(iban.toStdString());
        z.post();
        const QString pdf = path(QStringLiteral("journal.pdf"));
        filecreation::PdfOutput output(pdf);
        filecreation::printJournal(*m_data, dataDirectory(), false, output);
        const Pdf read = readPdf(pdf);

        const Word* bicWord = read.find(0, bic);
        const Word* ibanWord = read.find(0, iban);
        const Word* nameWord = read.find(0, QStringLiteral("Lieferant"), 6.35 + 56.6 + 12.4);
        QVERIFY2(bicWord && ibanWord && nameWord, qPrintable(read.pageText(0)));
        // Each stands inside its own item, so nothing of it is cut, and the
        // items do not reach into each other or into the name.
        const filecreation::ReportTemplate layout =
            filecreation::ReportTemplate::load(path(QLatin1String(filecreation::kJournalTemplate)));
        const auto itemOf = [&](const char* field) -> const filecreation::ReportItem& {
            for (const filecreation::ReportItem& item : layout.detail.items) {
                if (item.field == QLatin1String(field))
                    return item;
            }
            throw std::runtime_error(field);
        };
        const double margin = 6.35;
        for (const auto& [word, field] : {std::pair{bicWord, "BIC"}, std::pair{ibanWord, "IBAN"}}) {
            const filecreation::ReportItem& item = itemOf(field);
            QVERIFY2(word->mm.left() >= margin + item.x - 0.1 &&
                         word->mm.right() <= margin + item.x + item.width + 0.1,
                     qPrintable(QStringLiteral("%1 from %2 to %3 mm")
                                    .arg(QLatin1String(field))
                                    .arg(word->mm.left())
                                    .arg(word->mm.right())));
        }
        QVERIFY(itemOf("BIC").x + itemOf("BIC").width <= itemOf("IBAN").x);
        QVERIFY(itemOf("IBAN").x + itemOf("IBAN").width <= itemOf("Name").x);
        QVERIFY(bicWord->mm.right() < ibanWord->mm.left());
        QVERIFY(ibanWord->mm.right() < nameWord->mm.left());
        // The headings stand over their columns.
        const Word* ibanHeading = read.find(0, QStringLiteral("IBAN"));
        QVERIFY(ibanHeading);
        QVERIFY2(std::abs(ibanHeading->mm.left() - ibanWord->mm.left()) < 1.0,
                 qPrintable(QString::number(ibanHeading->mm.left())));
    }

    void sumOfAmountsIsExact()
    {
        QFile file(path(QStringLiteral("summe.rtm")));
        QVERIFY(file.open(QIODevice::WriteOnly));
        file.write("{ \"bands\": { \"summary\": { \"height\": 10, \"items\": [ { \"type\": "
                   "\"sum\", \"field\": \"BETRAG\", \"x\": 0, \"y\": 0, \"width\": 80, "
                   "\"format\": \"#,0.00\" } ] } } }");
        file.close();
        const AmountPipeline amounts;
        filecreation::Report report;
        report.load(file.fileName());
        report.setPipeline(QStringLiteral("ppDBPipeline1"), &amounts);
        const QString pdf = path(QStringLiteral("summe.pdf"));
        report.writePdf(pdf);
        const QString text = readPdf(pdf).allText();
        QVERIFY2(text == QStringLiteral("500.564.472,85"), qPrintable(text));
    }

    void longJournalRepeatsHeaderAndFooter()
    {
        addTransfers(300, 0);
        const QString pdf = path(QStringLiteral("journal.pdf"));
        filecreation::PdfOutput output(pdf);
        filecreation::printJournal(*m_data, dataDirectory(), false, output);
        const Pdf read = readPdf(pdf);
        QVERIFY(read.pages.size() >= 7);
        int details = 0;
        for (std::size_t p = 0; p < read.pages.size(); ++p) {
            const QString text = read.pageText(static_cast<int>(p));
            QVERIFY2(text.contains(QStringLiteral("Verwendungszweck 1")), "header on every page");
            QVERIFY(text.contains(QStringLiteral("Seite %1").arg(p + 1)));
            QCOMPARE(text.contains(QStringLiteral("DTAZV - Protokoll")), p == 0);
            details += static_cast<int>(text.count(QStringLiteral("COBADEFFXXX")));
        }
        QCOMPARE(details, 300);
        QVERIFY(read.pageText(static_cast<int>(read.pages.size()) - 1)
                    .contains(QStringLiteral("Anzahl 300")));
    }

    void everyTransferMarkedStillPrintsTitleAndZeros()
    {
        addTransfers(3, 1);
        const QString pdf = path(QStringLiteral("journal.pdf"));
        filecreation::PdfOutput output(pdf);
        filecreation::printJournal(*m_data, dataDirectory(), false, output);
        const QString text = readPdf(pdf).allText();
        QVERIFY(text.contains(QStringLiteral("Anzahl 0")));
        QVERIFY(text.contains(QStringLiteral("0,00")));
        QVERIFY(!text.contains(QStringLiteral("COBADEFFXXX")));
    }

    void brokenTemplateNamesTheFileAndTheFilterGoesOff()
    {
        struct Case
        {
            const char* content; // null: the file is missing
            const char* fault;
        };
        const std::string oversized = "{" + std::string(1024 * 1024, ' ') + "}";
        const Case cases[] = {
            {nullptr, "fehlt"},
            {"{ \"bands\": ", "fehlerhaft"},
            {"{ \"bands\": { \"detail\": { \"height\": 4, \"items\": [ { \"type\": \"bild\" } ] } "
             "} }",
             "unbekannte Elementart \"bild\""},
            {"{ \"page\": { \"paper\": \"A3\" } }", "unbekanntes Papierformat"},
            {"{ \"bands\": { \"detail\": { \"height\": 4, \"items\": [ { \"type\": \"field\", "
             "\"pipeline\": \"ppDBPipeline1\", \"field\": \"Unbekannt\" } ] } } }",
             "Das Feld Unbekannt"},
            // Measures no paper has, as a damaged file may hold them.
            {"{ \"bands\": { \"detail\": { \"height\": 1e308 } } }",
             "\"height\" muss zwischen -10000 und 10000 liegen"},
            {"{ \"bands\": { \"title\": { \"height\": 4, \"items\": [ { \"type\": \"label\", "
             "\"x\": -2147483648 } ] } } }",
             "\"x\" muss zwischen -10000 und 10000 liegen"},
            {"{ \"font\": { \"size\": 60000 } }", "\"size\" muss zwischen -1000 und 1000 liegen"},
            {oversized.c_str(), "größer als 1 MB"},
        };
        addTransfers(2, 0);
        for (const Case& c : cases) {
            QFile::remove(path(QLatin1String(filecreation::kJournalTemplate)));
            if (c.content) {
                QFile file(path(QLatin1String(filecreation::kJournalTemplate)));
                QVERIFY(file.open(QIODevice::WriteOnly));
                file.write(c.content);
            }
            const QString pdf = path(QStringLiteral("broken.pdf"));
            filecreation::PdfOutput output(pdf);
            try {
                filecreation::printJournal(*m_data, dataDirectory(), false, output);
                QFAIL(c.fault);
            } catch (const filecreation::ReportError& e) {
                const QString message = QString::fromUtf8(e.what());
                QVERIFY2(message.contains(QString::fromUtf8(c.fault)), qPrintable(message));
                if (!QString::fromUtf8(c.fault).startsWith(QStringLiteral("Das Feld")))
                    QVERIFY2(message.contains(QLatin1String(filecreation::kJournalTemplate)),
                             qPrintable(message));
            }
            QVERIFY(!m_data->Zahlung_tt.isFiltered());
            QVERIFY(!QFile::exists(pdf));
        }
    }

    void numberFormats()
    {
        const QLocale german(QLocale::German, QLocale::Germany);
        QCOMPARE(filecreation::formatNumber(1234.5, QStringLiteral("$#,0.00;-$#,0.00"), german),
                 QStringLiteral("€1.234,50"));
        QCOMPARE(filecreation::formatNumber(-2.5, QStringLiteral("$#,0.00;-$#,0.00"), german),
                 QStringLiteral("-€2,50"));
        QCOMPARE(filecreation::formatNumber(1234567, QStringLiteral("0"), german),
                 QStringLiteral("1234567"));
        QCOMPARE(filecreation::formatNumber(-3, QStringLiteral("#,0.00"), german),
                 QStringLiteral("-3,00"));
    }
};

QTEST_MAIN(ReportsTest)
#include "ReportsTest.moc"
