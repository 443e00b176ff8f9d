// What the user types is what is stored: the date and amount editors of the
// main window, the locale they read and show in, and the notices around them.
#include "AppFixture.h"
#include "app/CursorModel.h"
#include "app/DateField.h"
#include "app/OptionsGroup.h"
#include "app/OrdererGroup.h"
#include "app/ShownTextComboBox.h"
#include "app/TransferGrid.h"
#include "app/TransferGroup.h"
#include "app/TypedInput.h"
#include "filecreation/DisplayLocale.h"
#include "language/CurrentLanguage.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLineEdit>
#include <QMessageBox>
#include <QTest>
#include <QWheelEvent>

using store::Cursor;
using Fault = app::AmountReading::Fault;

namespace {

const QLocale kGerman(QLocale::German, QLocale::Germany);
const QLocale kEnglish(QLocale::English, QLocale::UnitedKingdom);

// Pins the default locale for one test and puts the old one back.
class DefaultLocale
{
public:
    explicit DefaultLocale(const QLocale& locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(m_old); }

private:
    QLocale m_old;
};

void addTransfer(app::THauptForm& w, const char* name, double amount, const char* date = nullptr)
{
    Cursor& z = w.data().Zahlung_tt;
    z.append();
    z.field("Name").setString(name);
    z.field("BETRAG").setFloat(amount);
    if (date)
        z.field("Ausfuehrungsdatum").setString(date);
    z.post();
}

// Types `text` into the grid cell of `field` in the first row as a user
// does: the editor opens on the first key, Enter hands the text in.
void typeIntoCell(app::TransferGrid& grid, const char* field, const QString& text)
{
    const QModelIndex cell =
        grid.model().index(0, grid.model().columnOfField(QLatin1String(field)));
    grid.view().setCurrentIndex(cell);
    grid.view().edit(cell);
    auto* editor = grid.view().findChild<QLineEdit*>();
    QVERIFY(editor);
    editor->selectAll();
    if (text.isEmpty())
        QTest::keyClick(editor, Qt::Key_Delete);
    QTest::keyClicks(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

QString cellText(app::TransferGrid& grid, const char* field)
{
    return grid.model()
        .index(0, grid.model().columnOfField(QLatin1String(field)))
        .data()
        .toString();
}

} // namespace

class DataEntryTest : public QObject
{
    Q_OBJECT

private slots:
    void datesAreReadAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QDate>("expected"); // invalid: refused
        const QDate refused;
        QTest::newRow("two-digit year") << "18.12.26" << QDate(2026, 12, 18);
        QTest::newRow("year 2030") << "15.08.30" << QDate(2030, 8, 15);
        QTest::newRow("four-digit year") << "01.06.2030" << QDate(2030, 6, 1);
        QTest::newRow("single digits") << "1.6.2030" << QDate(2030, 6, 1);
        QTest::newRow("slashes") << "18/12/2026" << QDate(2026, 12, 18);
        QTest::newRow("dashes") << "8-1-27" << QDate(2027, 1, 8);
        QTest::newRow("ddmmyy") << "181226" << QDate(2026, 12, 18);
        QTest::newRow("ddmmyyyy") << "18122026" << QDate(2026, 12, 18);
        QTest::newRow("blanks around") << " 18.12.2026 " << QDate(2026, 12, 18);
        QTest::newRow("leap day") << "29.02.2028" << QDate(2028, 2, 29);
        QTest::newRow("no leap day") << "29.02.2027" << refused;
        QTest::newRow("day 32") << "32.12.2026" << refused;
        QTest::newRow("month 13") << "18.13.2026" << refused;
        QTest::newRow("three-digit year") << "18.12.026" << refused;
        QTest::newRow("mixed separators") << "18.12-2026" << refused;
        QTest::newRow("iso order") << "2026-12-18" << refused;
        QTest::newRow("five digits") << "18122" << refused;
        QTest::newRow("letters") << "morgen" << refused;
        QTest::newRow("trailing text") << "18.12.2026x" << refused;
    }

    void datesAreReadAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QDate, expected);
        const std::optional<QDate> read = app::readTypedDate(typed);
        if (expected.isValid()) {
            QVERIFY(read);
            QCOMPARE(*read, expected);
            QCOMPARE(app::dateText(*read), expected.toString(QStringLiteral("dd.MM.yyyy")));
        } else {
            QVERIFY(!read);
        }
        QCOMPARE(app::readTypedDate(QStringLiteral("  ")), std::optional<QDate>(QDate()));
    }

    void amountsAreReadAsTyped_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("expected");
        QTest::addColumn<int>("fault");
        const QLocale cLocale = filecreation::displayLocale(QLocale::c());
        const auto row = [](const std::string& name, const QLocale& l, const char* typed,
                            double amount, Fault fault = Fault::None) {
            QTest::newRow(name.c_str())
                << l << QString::fromUtf8(typed) << amount << static_cast<int>(fault);
        };
        for (const auto& [prefix, locale] :
             {std::pair{std::string("de "), kGerman}, std::pair{std::string("C "), cLocale}}) {
            const auto name = [&p = prefix](const char* n) { return p + n; };
            row(name("decimal comma"), locale, "1250,50", 1250.5);
            row(name("grouped"), locale, "1.250,50", 1250.5);
            row(name("whole"), locale, "1250", 1250);
            row(name("many groups"), locale, "1.234.567,89", 1234567.89);
            row(name("with euro"), locale, "1.250,50 €", 1250.5);
            row(name("with EUR and blanks"), locale, "EUR 1 250,50", 1250.5);
            row(name("non-breaking space"), locale, "1\u00a0250,50", 1250.5);
            row(name("one decimal"), locale, "0,5", 0.5);
            row(name("english form"), locale, "1,250.50", 1250.5);
            row(name("point decimals"), locale, "1250.50", 1250.5);
            row(name("thousands or decimals"), locale, "1.250", 0, Fault::Ambiguous);
            row(name("comma thousands"), locale, "12,500", 0, Fault::Ambiguous);
            row(name("letters"), locale, "12a50", 0, Fault::Unreadable);
            row(name("only letters"), locale, "abc", 0, Fault::Unreadable);
            row(name("negative"), locale, "-5,00", 0, Fault::Unreadable);
            row(name("two commas"), locale, "1,2,3", 0, Fault::Unreadable);
            row(name("three decimals"), locale, "10,5055", 0, Fault::TooManyDecimals);
            row(name("zeros beyond cents"), locale, "10,5000", 10.5);
            row(name("comma or thousands"), locale, "10,505", 0, Fault::Ambiguous);
            row(name("too large"), locale, "2147483648", 0, Fault::OutOfRange);
            row(name("largest"), locale, "2147483647,99", 2147483647.99);
        }
        row("en decimal point", kEnglish, "1250.50", 1250.5);
        row("en grouped", kEnglish, "1,250.50", 1250.5);
        row("en german form", kEnglish, "1.250,50", 1250.5);
        row("en thousands or decimals", kEnglish, "1,250", 0, Fault::Ambiguous);
        row("en letters", kEnglish, "1250.5x", 0, Fault::Unreadable);
    }

    void amountsAreReadAsTyped()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, typed);
        QFETCH(double, expected);
        QFETCH(int, fault);
        const app::AmountReading reading = app::readTypedAmount(typed, locale);
        QCOMPARE(static_cast<int>(reading.fault), fault);
        if (fault == static_cast<int>(Fault::None)) {
            QVERIFY(reading.amount);
            QCOMPARE(*reading.amount, expected);
        }
        QVERIFY(!app::readTypedAmount(QStringLiteral(" "), locale).amount);
    }

    void cLocaleShowsGermanNumbersAndDates()
    {
        QCOMPARE(filecreation::displayLocale(QLocale::c()).decimalPoint(), QStringLiteral(","));
        QCOMPARE(filecreation::displayLocale(kEnglish), kEnglish);

        DefaultLocale pinned(filecreation::displayLocale(QLocale::c()));
        AppFixture f;
        app::THauptForm& w = f.start();
        addTransfer(w, "Meier", 1234.56, "2026-12-18");
        app::TransferGrid& grid = *w.transferGroup()->grid;
        QCOMPARE(cellText(grid, "BETRAG"), QStringLiteral("1.234,56\u00a0€"));
        QCOMPARE(cellText(grid, "Ausfuehrungsdatum"), QStringLiteral("18.12.2026"));
    }

    void gridDatesAreStoredAsTyped_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("stored");
        QTest::newRow("dd.mm.yy") << "18.12.26"
                                  << "2026-12-18";
        QTest::newRow("dd.mm.yy 2030") << "15.08.30"
                                       << "2030-08-15";
        QTest::newRow("dd.mm.yyyy") << "01.06.2030"
                                    << "2030-06-01";
        QTest::newRow("ddmmyy") << "181226"
                                << "2026-12-18";
        QTest::newRow("refused") << "31.06.2026"
                                 << "2026-12-24";
        QTest::newRow("cleared") << ""
                                 << "";
    }

    void gridDatesAreStoredAsTyped()
    {
        QFETCH(QString, typed);
        QFETCH(QString, stored);
        DefaultLocale pinned(kGerman);
        AppFixture f;
        app::THauptForm& w = f.start();
        addTransfer(w, "Meier", 100, "2026-12-24");
        Cursor& z = w.data().Zahlung_tt;
        w.transferGroup()->editInTable->click();
        app::TransferGrid& grid = *w.transferGroup()->grid;
        typeIntoCell(grid, "Ausfuehrungsdatum", typed);
        w.data().PostPendingEdits();
        QCOMPARE(QString::fromStdString(z.field("Ausfuehrungsdatum").asString()), stored);
        const bool refused = stored == QStringLiteral("2026-12-24");
        QCOMPARE(f.messages.size(), refused ? 1 : 0);
        if (refused) {
            QVERIFY(f.messages.front().contains(QStringLiteral("kein gültiges Datum")));
            QCOMPARE(cellText(grid, "Ausfuehrungsdatum"), QStringLiteral("24.12.2026"));
        }
    }

    void gridAmountsAreStoredAsTyped_data()
    {
        QTest::addColumn<QLocale>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<double>("stored");
        QTest::addColumn<QString>("message"); // empty: none
        const QLocale cLocale = filecreation::displayLocale(QLocale::c());
        QTest::newRow("C comma") << cLocale << "1250,50" << 1250.5 << "";
        QTest::newRow("C grouped") << cLocale << "1.250,50" << 1250.5 << "";
        QTest::newRow("C letters") << cLocale << "12x" << 99.0 << "kein gültiger Betrag";
        QTest::newRow("C ambiguous") << cLocale << "1.250" << 99.0 << "zwei verschiedene Beträge";
        QTest::newRow("en point") << kEnglish << "1,250.50" << 1250.5 << "";
        QTest::newRow("en letters") << kEnglish << "abc" << 99.0 << "kein gültiger Betrag";
    }

    void gridAmountsAreStoredAsTyped()
    {
        QFETCH(QLocale, locale);
        QFETCH(QString, typed);
        QFETCH(double, stored);
        QFETCH(QString, message);
        DefaultLocale pinned(locale);
        AppFixture f;
        app::THauptForm& w = f.start();
        addTransfer(w, "Meier", 99);
        w.transferGroup()->editInTable->click();
        typeIntoCell(*w.transferGroup()->grid, "BETRAG", typed);
        w.data().PostPendingEdits();
        QCOMPARE(w.data().Zahlung_tt.field("BETRAG").asFloat(), stored);
        if (message.isEmpty()) {
            QVERIFY(f.messages.isEmpty());
        } else {
            QCOMPARE(f.messages.size(), 1);
            QVERIFY2(f.messages.front().contains(message), qPrintable(f.messages.front()));
        }
    }

    void settingsDateIsTakenWhenTheEditEnds()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowActive(&w));
        app::DateField* execution = w.optionsGroup()->executionDate;
        execution->setFocus();
        execution->selectAll();
        QTest::keyClicks(execution, QStringLiteral("01.01.2030")); // more than 15 days away
        QVERIFY2(f.messages.isEmpty(), "nothing is stored or checked while typing");
        QCOMPARE(w.data().Stamm_tt.field("Ausfuehrungstermin").asString(),
                 QDate::currentDate().toString(Qt::ISODate).toStdString());
        QTest::keyClick(execution, Qt::Key_Tab);
        QCOMPARE(w.data().Stamm_tt.field("Ausfuehrungstermin").asString(),
                 std::string("2030-01-01"));
        QCOMPARE(execution->text(), QStringLiteral("01.01.2030"));
        QCOMPARE(f.messages, QStringList{QStringLiteral("Das Ausführungsdatum darf max. 15 Tage "
                                                        "nach dem Erstellungsdatum liegen !")});

        // Enter and then leaving the field finish the same edit: one warning.
        f.messages.clear();
        execution->setFocus();
        execution->selectAll();
        QTest::keyClicks(execution, QStringLiteral("020130"));
        QTest::keyClick(execution, Qt::Key_Return);
        w.optionsGroup()->creationDate->setFocus();
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(w.data().Stamm_tt.field("Ausfuehrungstermin").asString(),
                 std::string("2030-01-02"));

        // Not a date: a message, the old date stays and is shown again.
        f.messages.clear();
        execution->setFocus();
        execution->selectAll();
        QTest::keyClicks(execution, QStringLiteral("30.02.2030"));
        QTest::keyClick(execution, Qt::Key_Return);
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(
            f.messages.front().contains(QStringLiteral("„30.02.2030“ ist kein gültiges Datum")));
        QCOMPARE(execution->text(), QStringLiteral("02.01.2030"));
        QCOMPARE(w.data().Stamm_tt.field("Ausfuehrungstermin").asString(),
                 std::string("2030-01-02"));

        // The wheel over a field without the focus changes nothing.
        app::DateField* creation = w.optionsGroup()->creationDate;
        const QString before = creation->text();
        const QPointF inside(creation->rect().center());
        QWheelEvent wheel(inside, creation->mapToGlobal(inside), {}, {0, 120}, Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(creation, &wheel);
        QCOMPARE(creation->text(), before);
        QCOMPARE(w.data().Stamm_tt.field("Erstelldatum").asString(),
                 QDate::currentDate().toString(Qt::ISODate).toStdString());
    }

    void unknownBankCodeIsReported()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        Cursor& a = w.data().Auftrag_tt;
        a.append();
        a.field("Name").setString("Erste GmbH");
        a.field("BLZ").setFloat(37040044);
        a.post();
        auto* code = w.findChild<QComboBox*>(QStringLiteral("cxDBLookupComboBox1"));
        code->lineEdit()->setText(QStringLiteral("99999999"));
        emit code->lineEdit()->editingFinished();
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(f.messages.front().contains(QStringLiteral("99999999")));
        QCOMPARE(code->currentText(), QStringLiteral("37040044"));
        QCOMPARE(a.field("BLZ").asInteger(), 37040044);

        f.messages.clear();
        code->lineEdit()->setText(QStringLiteral("10000000")); // known: taken without a word
        emit code->lineEdit()->editingFinished();
        QVERIFY(f.messages.isEmpty());
        QCOMPARE(a.field("BLZ").asInteger(), 10000000);
    }

    void transferTypeKeepsItsEntriesInEnglish()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        w.chooseLanguage(QStringLiteral("English"));
        app::ShownTextComboBox* type = w.optionsGroup()->typeBox;
        QCOMPARE(type->shownText(), QStringLiteral("Banktransfer"));
        QCOMPARE(type->itemText(0), QStringLiteral("Überweisung"));
        QCOMPARE(type->itemText(1), QStringLiteral("Lastschrift"));
        w.chooseLanguage(QStringLiteral("Deutsch"));
        QCOMPARE(type->shownText(), QStringLiteral("Überweisung"));
    }

    void missingManualIsAPlainNotice()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        w.action(QStringLiteral("dxBarButton5"))->trigger();
        QCOMPARE(f.messages,
                 QStringList{QStringLiteral(
                     "Anzeige fehlgeschlagen ! Sie benötigen den Adobe Acrobat Reader !")});
        QCOMPARE(app::Dialogs::lastIcon(), int(QMessageBox::NoIcon));
    }

    void gridShowsTenRowsAndWholeIbansAtTheDesignSize()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        for (int i = 0; i < 20; ++i)
            addTransfer(w, "Meier", 100 + i);
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        QCOMPARE(w.size(), QSize(950, 601));
        QTableView& view = w.transferGroup()->grid->view();
        const int rowHeight = view.verticalHeader()->defaultSectionSize();
        QVERIFY2(view.viewport()->height() >= 10 * rowHeight,
                 qPrintable(QStringLiteral("%1 px for rows of %2 px")
                                .arg(view.viewport()->height())
                                .arg(rowHeight)));
        const int iban = w.transferGroup()->grid->model().columnOfField(QStringLiteral("IBAN"));
        QVERIFY(view.columnWidth(iban) > view.fontMetrics().horizontalAdvance(
                                             QStringLiteral("DE89 3704 0044 0532 0130 00")));
    }
};

QTEST_MAIN(DataEntryTest)
#include "DataEntryTest.moc"
