#include "AppFixture.h"
#include "PaintedTexts.h"
#include "app/AuftragForm.h"
#include "app/CreateFileUi.h"
#include "app/CursorModel.h"
#include "app/DateField.h"
#include "app/OptionsGroup.h"
#include "app/OrdererGroup.h"
#include "app/ProgrammForm.h"
#include "app/PruefForm.h"
#include "app/ShownTextComboBox.h"
#include "app/TransferGrid.h"
#include "app/TransferGroup.h"
#include "app/WindowTexts.h"
#include "checking/CheckTexts.h"
#include "language/CurrentLanguage.h"
#include "language/IniFile.h"

#include <QAbstractItemModelTester>
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>
#include <QToolButton>
#include <climits>
#include <sqlite3.h>

using store::Cursor;

namespace {

int storedRows(AppFixture& f, const char* table)
{
    store::PaymentStore other;
    other.pointAt(f.path(QString()).toStdString() + "/");
    Cursor& cursor = std::string(table) == "ZAHLUNG" ? other.Zahlung_tt : other.Auftrag_tt;
    cursor.open();
    return cursor.recordCount();
}

void addTransfers(app::THauptForm& w, const std::vector<std::pair<std::string, bool>>& rows)
{
    Cursor& z = w.data().Zahlung_tt;
    for (const auto& [name, marked] : rows) {
        z.append();
        z.field("Name").setString(name);
        z.field("BETRAG").setFloat(100);
        z.field("PRUEFEN").setBoolean(marked);
        z.post();
    }
}

void addOrderer(app::THauptForm& w, const char* name, double blz, bool bundesbank, bool over50000)
{
    Cursor& a = w.data().Auftrag_tt;
    a.append();
    a.field("Name").setString(name);
    a.field("BLZ").setFloat(blz);
    a.field("KontoNr").setFloat(532013000);
    a.field("Bundesbankmeldung").setBoolean(bundesbank);
    a.field("Zahlung50T").setBoolean(over50000);
    a.post();
}

QByteArray fileContent(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void clickHeader(app::TransferGrid& grid, const char* field)
{
    QHeaderView* header = grid.view().horizontalHeader();
    const int column = grid.model().columnOfField(QLatin1String(field));
    QTest::mouseClick(
        header->viewport(), Qt::LeftButton, {},
        QPoint(header->sectionViewportPosition(column) + header->sectionSize(column) / 2,
               header->height() / 2));
}

// Where a label draws its text, in its parent's coordinates, and whether
// the text fits the label: within its width and, wrapped, its height.
struct LabelText
{
    QRect box;
    bool fits = false;
};

LabelText labelText(const QLabel& label)
{
    const QRect room = label.contentsRect();
    const int flags = int(label.alignment()) | (label.wordWrap() ? Qt::TextWordWrap : 0);
    const QRect box = label.fontMetrics().boundingRect(room, flags, label.text());
    return {box.translated(label.pos()), room.contains(box)};
}

// Runs `action` once the next modal dialog has come up.
void whenModal(std::function<void()> action)
{
    QTimer::singleShot(0, [action = std::move(action)] { action(); });
}

} // namespace

class MainWindowTest : public QObject
{
    Q_OBJECT

private slots:
    void firstStartWithoutIniFiles()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        w.show();
        QVERIFY(f.messages.isEmpty());
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("Tarvion - Europaüberweisungen schnell und einfach"));
        QCOMPARE(w.geometry(), QRect(266, 112, 950, 601));
        QCOMPARE(QString::fromStdString(language::currentLanguage()), QStringLiteral("Deutsch"));
        QVERIFY(w.action(QStringLiteral("dxBarButton20"))->isChecked());

        // Every named element is reachable with its German text.
        QCOMPARE(w.findChild<QPushButton*>(QStringLiteral("LMDSpeedButton7"))->toolTip(),
                 QStringLiteral("Zahlungsverkehrsdatensatz  Neuanlage"));
        QCOMPARE(w.findChild<QMenu*>(QStringLiteral("dxBarSubItem2"))->title(),
                 QStringLiteral("Zahlungsverkehrsdaten"));
        QCOMPARE(w.action(QStringLiteral("dxBarButton11"))->text(),
                 QStringLiteral("der markierten ( Prüfen ) Datensätze"));
        QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label13"))->text(),
                 QStringLiteral("Daten in Tabelle bearbeiten"));
        QCOMPARE(
            w.findChild<app::GridColumn*>(QStringLiteral("cxGrid1DBTableView1Verwendungszweck1"))
                ->caption(),
            QStringLiteral("Verwendungszweck 1"));
        QVERIFY2(!w.action(QStringLiteral("dxBarButton12"))->isEnabled(), "built later");

        // The design layout of the grid: widths, the hidden currency, sorted by name.
        app::TransferGrid& grid = *w.transferGroup()->grid;
        QVERIFY(grid.view().columnWidth(grid.model().columnOfField(QStringLiteral("IBAN"))) >= 153);
        QVERIFY(grid.view().isColumnHidden(grid.model().columnOfField(QStringLiteral("Waehrung"))));
        QCOMPARE(grid.model().sortColumn(), grid.model().columnOfField(QStringLiteral("Name")));
        QVERIFY(!grid.isEditable());
        QVERIFY2(!QFile::exists(f.path(QStringLiteral("VIZUZAR.INI"))), "nothing written yet");
        QAbstractItemModelTester tester(&grid.model());

        // The settings record got today's dates.
        const QDate today = QDate::currentDate();
        QCOMPARE(w.optionsGroup()->creationDate->date(), today);
        QCOMPARE(w.optionsGroup()->executionDate->date(), today);
    }

    void startReplacesOldDatesAndCreatesAMissingSettingsRow()
    {
        AppFixture f;
        {
            app::THauptForm& w = f.start();
            w.data().Stamm_tt.first();
            w.data().Stamm_tt.remove();
            f.closeWindow();
        }
        app::THauptForm& w = f.start();
        QCOMPARE(w.data().Stamm_tt.recordCount(), 1);
        QCOMPARE(w.data().Stamm_tt.field("Erstelldatum").asString(),
                 QDate::currentDate().toString(Qt::ISODate).toStdString());
        QCOMPARE(w.data().Stamm_tt.field("Ausfuehrungstermin").asString(),
                 QDate::currentDate().toString(Qt::ISODate).toStdString());
    }

    void placementIsRestoredClampedAndSaved()
    {
        AppFixture f;
        const QRect desktop = QGuiApplication::primaryScreen()->virtualGeometry();
        const QSize size(900, 560);
        f.writeIni("Common", "Form1",
                   QStringLiteral("200,0,1,%1,%2,%3,%4")
                       .arg(desktop.right() - 100)
                       .arg(desktop.bottom() - 50)
                       .arg(desktop.right() - 100 + size.width())
                       .arg(desktop.bottom() - 50 + size.height()));
        f.writeIni("Andere", "Wert", QStringLiteral("1,2,3"));
        {
            app::THauptForm& w = f.start();
            w.show();
            // Beyond the right and the bottom edge: moved back, the size kept.
            QCOMPARE(w.geometry().right(), desktop.right());
            QCOMPARE(w.geometry().bottom(), desktop.bottom());
            QCOMPARE(w.geometry().size(), size);
            w.setGeometry(20, 30, 900, 560);
            f.closeWindow();
        }
        language::IniFile ini;
        ini.load(f.path(QStringLiteral("VIZUZAR.INI")).toStdString());
        QCOMPARE(QString::fromStdString(ini.value("Common", "Form1", "")),
                 QStringLiteral("200,0,1,20,30,920,590"));
        QCOMPARE(QString::fromStdString(ini.value("Andere", "Wert", "")), QStringLiteral("1,2,3"));

        f.writeIni("Common", "Form1", QStringLiteral("201,0,1,10,10,500,500"));
        app::THauptForm& design = f.start();
        design.show();
        QCOMPARE(design.geometry(), QRect(266, 112, 950, 601)); // an invalid value is ignored
    }

    void movedColumnSurvivesARestartButSortingAloneDoesNot()
    {
        AppFixture f;
        {
            app::THauptForm& w = f.start();
            app::TransferGrid& grid = *w.transferGroup()->grid;
            QHeaderView* header = grid.view().horizontalHeader();
            const int bic = grid.model().columnOfField(QStringLiteral("BIC"));
            header->moveSection(header->visualIndex(bic), 5);
            header->resizeSection(bic, 140);
            QVERIFY(QFile::exists(f.path(QStringLiteral("GridTarvion.ini"))));
            f.closeWindow();
        }
        {
            app::THauptForm& w = f.start();
            app::TransferGrid& grid = *w.transferGroup()->grid;
            const int bic = grid.model().columnOfField(QStringLiteral("BIC"));
            QCOMPARE(grid.view().horizontalHeader()->visualIndex(bic), 5);
            QCOMPARE(grid.view().columnWidth(bic), 140);
            QFile::remove(f.path(QStringLiteral("GridTarvion.ini")));
            grid.view().sortByColumn(grid.model().columnOfField(QStringLiteral("BETRAG")),
                                     Qt::DescendingOrder);
            QVERIFY2(!QFile::exists(f.path(QStringLiteral("GridTarvion.ini"))),
                     "sorting alone writes nothing");
            f.closeWindow();
        }
        app::THauptForm& w = f.start();
        app::TransferGrid& grid = *w.transferGroup()->grid;
        QCOMPARE(grid.model().sortColumn(), grid.model().columnOfField(QStringLiteral("Name")));
    }

    void gridLayoutFileIsWrittenByMovesAndResizesOnly()
    {
        AppFixture f;
        const QString file = f.path(QStringLiteral("GridTarvion.ini"));
        const auto stored = [&](const char* field, const char* key) {
            language::IniFile ini;
            ini.load(file.toStdString());
            return QString::fromStdString(
                ini.value(std::string("cxGrid1DBTableView1") + field, key, ""));
        };
        {
            app::THauptForm& w = f.start();
            // With rows, sorting makes the header rebuild its sections.
            addTransfers(w, {{"Meier", false}, {"Adler", false}, {"Zander", false}});
            w.show();
            app::TransferGrid& grid = *w.transferGroup()->grid;
            QHeaderView* header = grid.view().horizontalHeader();
            const int bic = grid.model().columnOfField(QStringLiteral("BIC"));
            const int amount = grid.model().columnOfField(QStringLiteral("BETRAG"));

            clickHeader(grid, "BETRAG");
            QCOMPARE(grid.model().sortColumn(), amount);
            QVERIFY2(!QFile::exists(file), "a click on a header writes nothing");

            header->moveSection(header->visualIndex(bic), 5);
            QCOMPARE(stored("BIC", "Index"), QStringLiteral("5"));
            QCOMPARE(stored("Waehrung", "Visible"), QStringLiteral("0"));
            QCOMPARE(stored("Waehrung", "Width"), QStringLiteral("82")); // its last real width

            const QByteArray moved = fileContent(file);
            clickHeader(grid, "Name");
            clickHeader(grid, "Name");
            QCOMPARE(grid.model().sortOrder(), Qt::DescendingOrder);
            QCOMPARE(fileContent(file), moved);

            header->resizeSection(amount, 120);
            QCOMPARE(stored("BETRAG", "Width"), QStringLiteral("120"));
            QCOMPARE(stored("BETRAG", "SortOrder"), QStringLiteral("0"));
            QCOMPARE(stored("Name", "SortOrder"), QStringLiteral("2"));
            QCOMPARE(stored("Waehrung", "Visible"), QStringLiteral("0"));
            f.closeWindow();
        }
        const auto check = [&] {
            app::THauptForm& w = f.start();
            app::TransferGrid& grid = *w.transferGroup()->grid;
            const int currency = grid.model().columnOfField(QStringLiteral("Waehrung"));
            QVERIFY(grid.view().isColumnHidden(currency));
            QCOMPARE(grid.view().horizontalHeader()->visualIndex(
                         grid.model().columnOfField(QStringLiteral("BIC"))),
                     5);
            QCOMPARE(grid.view().columnWidth(grid.model().columnOfField(QStringLiteral("BETRAG"))),
                     120);
            grid.view().setColumnHidden(currency, false);
            QCOMPARE(grid.view().columnWidth(currency), 82);
        };
        check();

        // An earlier version stored the hidden currency as visible with width 0.
        language::IniFile ini;
        ini.load(file.toStdString());
        ini.setValue("cxGrid1DBTableView1Waehrung", "Visible", "1");
        ini.setValue("cxGrid1DBTableView1Waehrung", "Width", "0");
        ini.save(file.toStdString());
        check();
    }

    void untouchedNewTransferIsStoredAtClose()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        w.findChild<QPushButton*>(QStringLiteral("LMDSpeedButton7"))->click();
        w.findChild<QPushButton*>(QStringLiteral("LMDSpeedButton7"))->click();
        QCOMPARE(w.data().Zahlung_tt.recordCount(), 1); // the first untouched row was dropped
        QVERIFY(w.transferGroup()->grid->isEditable());
        QVERIFY(w.transferGroup()->editInTable->isChecked());
        QVERIFY(f.closeWindow());
        QCOMPARE(storedRows(f, "ZAHLUNG"), 1);
    }

    void failingPostAtCloseKeepsTheWindowOpen()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        w.data().connection.setBusyTimeout(20);
        w.data().Zahlung_tt.append();
        store::PaymentStore locker;
        locker.pointAt(f.path(QString()).toStdString() + "/");
        locker.Zahlung_tt.open();
        sqlite3_exec_lock(locker);
        QVERIFY(!w.close());
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(f.messages.front().contains(QStringLiteral("ZAHLUNG.ADT is locked")));
        QCOMPARE(w.data().Zahlung_tt.state(), store::CursorState::Insert);
        sqlite3_exec_unlock(locker);
        QVERIFY(f.closeWindow());
    }

    void deletionsAskAndFollowTheFooter()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        app::TransferGrid& grid = *w.transferGroup()->grid;
        const int bic = grid.model().columnOfField(QStringLiteral("BIC"));
        const int amount = grid.model().columnOfField(QStringLiteral("BETRAG"));
        QAction* marked = w.action(QStringLiteral("dxBarButton11"));
        QAction* all = w.action(QStringLiteral("dxBarButton16"));

        all->trigger(); // on an empty table: asks, changes nothing
        QCOMPARE(f.messages, QStringList{QStringLiteral("Wollen Sie alle Datensätze löschen ?")});

        addTransfers(w, {{"A", false}, {"B", true}, {"C", false}, {"D", true}});
        QCOMPARE(grid.footer().textOf(bic), QLocale().toString(4));
        QCOMPARE(grid.footer().textOf(amount), QLocale().toString(400.0, 'f', 2));

        app::Dialogs::setNextAnswers({false});
        marked->trigger();
        QCOMPARE(w.data().Zahlung_tt.recordCount(), 4); // No stops the command
        marked->trigger();
        QCOMPARE(w.data().Zahlung_tt.recordCount(), 2);
        QCOMPARE(w.data().Zahlung_tt.field("Name").asString(), std::string("C"));
        QCOMPARE(grid.footer().textOf(bic), QLocale().toString(2));
        QCOMPARE(grid.model().rowCount(), 2);

        language::setCurrentLanguage(language::kEnglish);
        f.messages.clear();
        w.findChild<QPushButton*>(QStringLiteral("LMDSpeedButton8"))->click();
        QCOMPARE(f.messages, QStringList{QStringLiteral("Datensatz wirklich löschen ?")});
        QCOMPARE(w.data().Zahlung_tt.recordCount(), 1);
        w.findChild<QPushButton*>(QStringLiteral("LMDSpeedButton3"))->click();
        QCOMPARE(f.messages.size(), 3);
        QCOMPARE(f.messages[1], QStringLiteral("Clients really delete ?"));
        // With no ordering party the deletion reports the empty table after the question.
        QVERIFY(f.messages[2].contains(QStringLiteral("empty dataset")));
        language::setCurrentLanguage(language::kGerman);

        all->trigger();
        QCOMPARE(w.data().Zahlung_tt.recordCount(), 0);
        QCOMPARE(grid.footer().textOf(bic), QLocale().toString(0));
        QCOMPARE(storedRows(f, "ZAHLUNG"), 0);
    }

    void footerSumIsExact()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        app::TransferGrid& grid = *w.transferGroup()->grid;
        // 99,999 amounts of 5005.6447 and one of 5008.49 make 500564472.8453;
        // added as binary fractions, 500564472.84468.
        sqlite3_exec(w.data().connection.handle(),
                     "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n "
                     "WHERE i < 99999) INSERT INTO \"ZAHLUNG\".ZAHLUNG (Name, BETRAG) "
                     "SELECT 'Lieferant', 5005.6447 FROM n; "
                     "INSERT INTO \"ZAHLUNG\".ZAHLUNG (Name, BETRAG) VALUES ('Letzter', 5008.49)",
                     nullptr, nullptr, nullptr);
        w.data().Zahlung_tt.refresh();
        const int amount = grid.model().columnOfField(QStringLiteral("BETRAG"));
        QCOMPARE(grid.footer().textOf(amount), QLocale().toString(500564472.85, 'f', 2));
    }

    void footerNeverCutsANumber()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        w.show();
        app::TransferGrid& grid = *w.transferGroup()->grid;
        Cursor& z = w.data().Zahlung_tt;
        for (const double amount : {447000.5, 123456789.25, 0.25}) {
            z.append();
            z.field("Name").setString("Meier");
            z.field("BETRAG").setFloat(amount);
            z.post();
        }
        const int bic = grid.model().columnOfField(QStringLiteral("BIC"));
        const int iban = grid.model().columnOfField(QStringLiteral("IBAN"));
        const int amount = grid.model().columnOfField(QStringLiteral("BETRAG"));
        const QString sum = grid.footer().textOf(amount);
        QCOMPARE(sum, QLocale().toString(123903790.0, 'f', 2));
        QHeaderView& header = *grid.view().horizontalHeader();

        // Narrow columns: the sum runs on to the left, over the IBAN's cell
        // and, when that is narrow too, past the count, which moves aside.
        for (const int ibanWidth : {153, 10}) {
            header.resizeSection(amount, 30);
            header.resizeSection(iban, ibanWidth);
            const PaintedTexts painted(grid.footer());
            const PaintedTexts::Text* shownSum = painted.find(sum);
            const PaintedTexts::Text* shownCount = painted.find(grid.footer().textOf(bic));
            QVERIFY2(shownSum && shownCount,
                     qPrintable(painted.texts().empty() ? QStringLiteral("nothing painted")
                                                        : painted.texts().front().text));
            QCOMPARE(painted.texts().size(), std::size_t(2));
            const int cellRight =
                grid.footer()
                    .mapFromGlobal(header.viewport()->mapToGlobal(QPoint(
                        header.sectionViewportPosition(amount) + header.sectionSize(amount), 0)))
                    .x();
            QVERIFY(shownSum->box.right() <= cellRight);
            QVERIFY(shownSum->box.left() >= 0);
            QVERIFY2(shownCount->box.right() < shownSum->box.left(),
                     qPrintable(QStringLiteral("count to %1, sum from %2")
                                    .arg(shownCount->box.right())
                                    .arg(shownSum->box.left())));
            QVERIFY(shownCount->box.left() >= 0);
        }
    }

    void editTabelleHidesTheBoxUntilANewTransfer()
    {
        AppFixture f;
        {
            app::THauptForm& w = f.start();
            w.show();
            whenModal([&] {
                app::TProgrammForm* form = w.programmForm();
                QCOMPARE(form->windowTitle(), QStringLiteral("Tarvion - Programmeinstellungen"));
                form->tableBox->click();
                form->importModeBox->click();
                form->close(); // the close box stores the ticks as well
            });
            w.action(QStringLiteral("dxBarButton22"))->trigger();
            QCOMPARE(w.data().Stamm_tt.state(), store::CursorState::Browse);
            QVERIFY2(w.transferGroup()->editInTable->isVisible(), "until the next start");
            f.closeWindow();
        }
        app::THauptForm& w = f.start();
        w.show();
        QVERIFY(!w.transferGroup()->editInTable->isVisible());
        QVERIFY(!w.transferGroup()->grid->isEditable());
        QVERIFY(w.importModeReadOnly());
        w.action(QStringLiteral("dxBarButton10"))->trigger();
        QVERIFY(w.transferGroup()->grid->isEditable());
    }

    void editInTableSwitchesInPlaceEditing()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        addTransfers(w, {{"Meier", false}});
        app::TransferGrid& grid = *w.transferGroup()->grid;
        const QModelIndex name =
            grid.model().index(0, grid.model().columnOfField(QStringLiteral("Name")));
        QVERIFY(!grid.model().setData(name, QStringLiteral("Schulze"), Qt::EditRole));
        w.transferGroup()->editInTable->click();
        QVERIFY(grid.model().setData(name, QStringLiteral("Schulze"), Qt::EditRole));
        w.data().Zahlung_tt.post();
        QCOMPARE(w.data().Zahlung_tt.field("Name").asString(), std::string("Schulze"));
        grid.view().setCurrentIndex(name);
        QTest::keyClick(&grid.view(), Qt::Key_Return); // Enter moves on like Tab
        QCOMPARE(grid.view().currentIndex().column(), name.column() + 1);
        w.transferGroup()->editInTable->click();
        QVERIFY(!grid.isEditable());
    }

    void navigatorMovesTheOrderingPartyAndItsBoxes()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        addOrderer(w, "Erste GmbH", 37040044, true, false);
        addOrderer(w, "Zweite AG", 10000000, false, true);
        w.data().Auftrag_tt.first();
        app::OrdererGroup& group = *w.ordererGroup();
        QCOMPARE(group.nameEdit->text(), QStringLiteral("Erste GmbH"));
        QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("cxDBLookupComboBox2"))->currentText(),
                 QStringLiteral("Commerzbank Köln"));
        QVERIFY(w.optionsGroup()->bundesbank->isChecked());
        QVERIFY(!w.optionsGroup()->over50000->isChecked());
        const bool printNote = w.optionsGroup()->printNote->isChecked();

        group.nextButton->click();
        QCOMPARE(group.nameEdit->text(), QStringLiteral("Zweite AG"));
        QCOMPARE(w.findChild<QComboBox*>(QStringLiteral("cxDBLookupComboBox1"))->currentText(),
                 QStringLiteral("10000000"));
        QVERIFY(!w.optionsGroup()->bundesbank->isChecked());
        QVERIFY(w.optionsGroup()->over50000->isChecked());
        QCOMPARE(w.optionsGroup()->printNote->isChecked(), printNote); // the other options stay

        // Typing begins editing; choosing a bank name stores its code.
        QTest::keyClicks(group.nameEdit, QStringLiteral(" Berlin"));
        QCOMPARE(w.data().Auftrag_tt.state(), store::CursorState::Edit);
        auto* bank = w.findChild<QComboBox*>(QStringLiteral("cxDBLookupComboBox2"));
        bank->setCurrentIndex(1);
        emit bank->activated(1);
        QCOMPARE(w.data().Auftrag_tt.field("BLZ").asLargeInt(), int64_t{37040044});
        group.priorButton->click();
        QCOMPARE(w.data().Auftrag_tt.state(), store::CursorState::Browse);
        group.nextButton->click();
        QCOMPARE(group.nameEdit->text(), QStringLiteral("Zweite AG Berlin"));
    }

    void orderingPartyDialogChoosesAtOnce()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        addOrderer(w, "Erste GmbH", 37040044, false, false);
        addOrderer(w, "Zweite AG", 10000000, false, false);
        QVERIFY2(!w.auftragForm(), "created on first use");

        w.newOrderer(); // untouched, then another row is chosen in the dialog
        whenModal([&] {
            app::TAuftragForm* dialog = w.auftragForm();
            QVERIFY(dialog && dialog->isVisible());
            QCOMPARE(dialog->windowTitle(), QStringLiteral("Tarvion - Auftraggeber"));
            QAbstractItemView& view = dialog->grid().view();
            view.setCurrentIndex(view.model()->index(1, 1)); // the BLZ column
            QCOMPARE(w.ordererGroup()->nameEdit->text(), QStringLiteral("Zweite AG"));
            view.setCurrentIndex(view.model()->index(0, 1));
            QCOMPARE(w.ordererGroup()->nameEdit->text(), QStringLiteral("Erste GmbH"));
            QCOMPARE(view.model()->index(0, 1).data().toString(), QStringLiteral("37040044"));
            QTest::keyClicks(&view, QStringLiteral("1000"));
            QCOMPARE(w.ordererGroup()->nameEdit->text(),
                     QStringLiteral("Zweite AG")); // incremental search in the focused column
            QCOMPARE(view.model()->index(1, 6).data().toString(), QStringLiteral("BBk Berlin"));
            dialog->findChild<QPushButton*>(QStringLiteral("LMDSpeedButton1"))->click();
        });
        w.selectOrderer();
        QCOMPARE(w.data().Auftrag_tt.recordCount(), 2); // the empty new one was dropped
        QCOMPARE(w.data().Auftrag_tt.field("Name").asString(), std::string("Zweite AG"));

        whenModal([&] { w.auftragForm()->close(); }); // untouched: the current one stays
        w.action(QStringLiteral("dxBarButton18"))->trigger();
        QCOMPARE(w.data().Auftrag_tt.field("Name").asString(), std::string("Zweite AG"));
    }

    void checkCommandShowsTheCertificate()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        app::TPruefForm* certificate = w.pruefForm();
        QCOMPARE(certificate->line("mIBAN")->text(), QStringLiteral("OK"));
        addOrderer(w, "Erste GmbH", 37040044, false, false);
        addTransfers(w, {{"ohne IBAN", false}});
        // Reads the certificate while it is shown, then closes it.
        struct Shown
        {
            bool visible = false;
            QString title, iban, name, message;
            bool ibanRed = false;
            QSize size;
        } shown;
        const auto look = [&](const QString& iban, const QString& name, const QString& message) {
            whenModal([&] {
                shown = {
                    certificate->isVisible(),
                    certificate->windowTitle(),
                    certificate->line("mIBAN")->text(),
                    certificate->line("mName")->text(),
                    certificate->line("mHinweis")->text(),
                    certificate->line("mIBAN")->styleSheet().contains(QStringLiteral("#ff0000")),
                    certificate->size()};
                certificate->findChild<QPushButton*>(QStringLiteral("LMDSpeedButton1"))->click();
            });
            return [&, iban, name, message] {
                QVERIFY(shown.visible);
                QCOMPARE(shown.title, QStringLiteral("Tarvion- Test certificate"));
                QCOMPARE(shown.size, QSize(383, 381));
                QCOMPARE(shown.iban, iban);
                QCOMPARE(shown.ibanRed, iban != QStringLiteral("keine"));
                QCOMPARE(shown.name, name);
                QCOMPARE(shown.message, message);
            };
        };
        std::function<void()> verify =
            look(QStringLiteral("1 ( wird nicht ausgeführt )"), QStringLiteral("OK"), QString());
        w.findChild<QPushButton*>(QStringLiteral("LMDSpeedButton5"))->click();
        verify();
        QVERIFY(w.data().Zahlung_tt.field("PRUEFEN").asBoolean());
        QCOMPARE(w.transferGroup()->remark->text(),
                 QStringLiteral(" < IBAN falsch >  < BIC falsch > "));

        w.data().Auftrag_tt.first();
        w.data().Auftrag_tt.remove();
        verify = look(QStringLiteral("1 ( wird nicht ausgeführt )"),
                      QStringLiteral("Auftraggebername fehlt! "),
                      QStringLiteral("DTAZV Datei kann nicht erstellt werden !"));
        w.action(QStringLiteral("dxBarButton19"))->trigger();
        verify();
        QCOMPARE(w.lastCheck().verdict, std::string("N"));
        QCOMPARE(certificate->line("mName")->styleSheet().contains(QStringLiteral("#ff0000")),
                 true);
        QVERIFY(f.messages.isEmpty());
    }

    void certificateCountsTransfersWithoutPayeeName()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        addOrderer(w, "Erste GmbH", 37040044, false, false);
        addTransfers(w, {{"Meier", false}});
        w.pruefen();
        QLabel* names = w.pruefForm()->line("mEmpfName");
        QVERIFY(names);
        QCOMPARE(names->text(), QStringLiteral("keine"));
        QVERIFY(!names->styleSheet().contains(QStringLiteral("#ff0000")));
        QCOMPARE(w.pruefForm()->findChild<QLabel*>(QStringLiteral("Label14"))->text(),
                 QStringLiteral("Missing payee name"));

        addTransfers(w, {{"", false}, {"", false}});
        w.pruefen();
        QCOMPARE(names->text(), QStringLiteral("2 ( wird nicht ausgeführt )"));
        QVERIFY(names->styleSheet().contains(QStringLiteral("#ff0000")));
    }

    void certificateFitsEveryLineItCanShow()
    {
        namespace texts = checking::texts;
        app::TPruefForm form;
        QCOMPARE(form.size(), QSize(383, 381));
        const int bottomStrip = form.height() - 27 - 2; // the strip and its rule
        const std::string most = std::to_string(INT_MAX);
        for (const bool english : {false, true}) {
            const std::vector<std::string> counted{texts::kNone.in(english),
                                                   most + texts::kNotExecuted.in(english)};
            const std::vector<std::string> dates{"OK", texts::kBeforeCreation.in(english),
                                                 texts::kAfter15Days.in(english)};
            const std::vector<std::string> reportable{texts::kNone.in(english), most,
                                                      most + texts::kReportableNotExecuted};
            // Every line takes each of its texts in one of three rounds.
            for (std::size_t round = 0; round < 3; ++round) {
                const auto pick = [round](const std::vector<std::string>& choices,
                                          checking::LineColour colour = checking::LineColour::Red) {
                    return checking::ResultLine{choices[round % choices.size()], colour};
                };
                checking::CheckResult r;
                r.mDatum = pick(dates);
                r.mName = pick({"OK", texts::kNoClientName.in(english)});
                r.mKonto = pick({"OK", texts::kNoAccount.in(english)});
                r.mBLZ = pick({"OK", texts::kNoBankCode.in(english)});
                r.m1EUR = pick(counted);
                r.mB50000 = pick(counted);
                r.mMelde = pick(reportable);
                r.mEmpfName = pick(counted);
                r.mIBAN = pick(counted);
                r.mBIC = pick(counted);
                r.mAusDat = pick(counted);
                r.mHinweis = round % 2 ? "" : texts::kNoFile.in(english);
                form.setResult(r);

                const QList<QLabel*> labels = form.findChildren<QLabel*>();
                for (const QLabel* label : labels) {
                    const QString name = label->objectName() + QStringLiteral(": ") + label->text();
                    QVERIFY2(labelText(*label).fits, qPrintable(name));
                    QVERIFY2(QRect(0, 0, form.width(), bottomStrip).contains(label->geometry()),
                             qPrintable(name));
                    for (const QLabel* other : labels) {
                        if (other == label)
                            continue;
                        const QString both = name + QStringLiteral(" / ") + other->objectName();
                        QVERIFY2(!label->geometry().intersects(other->geometry()),
                                 qPrintable(both));
                        // Texts keep a few pixels apart: none runs into another.
                        if (!label->text().isEmpty() && !other->text().isEmpty())
                            QVERIFY2(!labelText(*label)
                                          .box.adjusted(-2, -2, 2, 2)
                                          .intersects(labelText(*other).box),
                                     qPrintable(both));
                    }
                }
            }
        }
        QVERIFY(form.line("mEmpfName"));
    }

    void executionDateWarnsAtOnce()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        QVERIFY(f.messages.isEmpty()); // start-up sets today twice and warns about nothing
        app::DateField* execution = w.optionsGroup()->executionDate;
        const QDate today = QDate::currentDate();
        const auto enter = [execution](const QDate& date) {
            execution->setText(date.toString(QStringLiteral("dd.MM.yyyy")));
            emit execution->editingFinished();
        };
        enter(today.addDays(15));
        QVERIFY(f.messages.isEmpty());
        enter(today.addDays(16));
        QCOMPARE(f.messages,
                 QStringList{QStringLiteral(
                     "Das Ausführungsdatum darf max. 15 Tage nach dem Erstellungsdatum liegen !")});
        QCOMPARE(w.data().Stamm_tt.field("Ausfuehrungstermin").asString(),
                 today.addDays(16).toString(Qt::ISODate).toStdString());
        f.messages.clear();
        enter(today.addDays(-1));
        QCOMPARE(f.messages, QStringList{QStringLiteral(
                                 "Das Ausführungsdatum nicht vor dem Erstellungsdatum liegen !")});
        w.pruefen();
        QCOMPARE(w.pruefForm()->line("mDatum")->text(),
                 QStringLiteral("liegt vor dem Erstellungsdatum !  "));
    }

    void createButtonWritesTheFileAndPrintsTheReports()
    {
        AppFixture f;
        for (const char* name : {"Begleitzettel.rtm", "Protokoll.rtm"})
            QVERIFY(QFile::copy(QStringLiteral(TARVION_DATA_SOURCE "/") + QLatin1String(name),
                                f.path(QLatin1String(name))));
        app::THauptForm& w = f.start();
        addOrderer(w, "Erste GmbH", 37040044, false, false);
        Cursor& z = w.data().Zahlung_tt;
        for (const char* name : {"Zander", "Albers"}) {
            z.append();
            z.field("Name").setString(name);
            z.field("BETRAG").setFloat(100);
            z.field("IBAN").setString("DE89370400440532013000");
            z.field("BIC").setString("COBADEFFXXX");
            z.post();
        }
        filecreation::PdfOutput note(f.path(QStringLiteral("note.pdf")));
        filecreation::PdfOutput journal(f.path(QStringLiteral("journal.pdf")));
        std::vector<bool> printed;
        app::WindowCreateFileUi::setReportOutputs(
            [&](bool isJournal) -> filecreation::ReportOutput* {
                printed.push_back(isJournal);
                return isJournal ? &journal : &note;
            });
        app::Dialogs::setNextSaveFileNames({f.path(QStringLiteral("DTAZV"))});
        w.findChild<QPushButton*>(QStringLiteral("LMDSpeedButton9"))->click();
        QCOMPARE(f.messages, QStringList{QStringLiteral("DTA-Datei speichern")});
        QCOMPARE(QFile(f.path(QStringLiteral("DTAZV"))).size(), qint64(512 + 2 * 768));
        QCOMPARE(printed, (std::vector<bool>{false, true})); // the note first, then the journal
        QVERIFY(QFile::exists(f.path(QStringLiteral("journal.pdf"))));
        app::TransferGrid& grid = *w.transferGroup()->grid;
        QCOMPARE(grid.model()
                     .index(0, grid.model().columnOfField(QStringLiteral("Name")))
                     .data()
                     .toString(),
                 QStringLiteral("Albers"));
        QCOMPARE(w.data().Stamm_tt.field("ANZAHL").asInteger(), 2);

        f.messages.clear();
        app::Dialogs::setNextSaveFileNames({std::nullopt}); // cancelled: nothing happens
        w.action(QStringLiteral("dxBarButton13"))->trigger();
        QCOMPARE(f.messages, QStringList{QStringLiteral("DTA-Datei speichern")});
        app::WindowCreateFileUi::setReportOutputs({});
    }

    void languageSwitchesEveryTextAndBackAgain()
    {
        AppFixture f;
        const QString home = QDir::currentPath();
        QDir::setCurrent(f.path(QString())); // the language file is looked up here
        QVERIFY(QFile::copy(QStringLiteral(TARVION_DATA_SOURCE "/English"),
                            f.path(QStringLiteral("English"))));
        {
            app::THauptForm& w = f.start();
            const auto germanTexts = app::WindowTexts(w).texts();
            app::GridColumn* purpose = w.findChild<app::GridColumn*>(
                QStringLiteral("cxGrid1DBTableView1Verwendungszweck1"));
            w.action(QStringLiteral("dxBarButton21"))->trigger();
            QCOMPARE(w.windowTitle(), QStringLiteral("Tarvion - EU Banktransfer quick and easy !"));
            QCOMPARE(w.findChild<QMenu*>(QStringLiteral("dxBarSubItem1"))->title(),
                     QStringLiteral("Client"));
            QCOMPARE(purpose->caption(), QStringLiteral("reason for transfer 1"));
            QVERIFY(w.action(QStringLiteral("dxBarButton21"))->isChecked());
            QVERIFY(!w.action(QStringLiteral("dxBarButton20"))->isChecked());
            QCOMPARE(w.findChild<QLabel*>(QStringLiteral("Label12"))->text(),
                     QStringLiteral("Message"));
            // A hint the file gives in German stays as the file says.
            QVERIFY(w.findChild<QCheckBox*>(QStringLiteral("cxDBCheckBox1"))
                        ->toolTip()
                        .startsWith(QStringLiteral("Führt")));

            whenModal([&] {
                app::TAuftragForm* dialog = w.auftragForm();
                const QString english = dialog->windowTitle();
                w.chooseLanguage(QStringLiteral("Deutsch")); // switched while it is open
                const QString german = dialog->windowTitle();
                dialog->close();
                QCOMPARE(english, QStringLiteral("Tarvion - Ordering parties"));
                QCOMPARE(german, QStringLiteral("Tarvion - Auftraggeber"));
            });
            w.selectOrderer();
            QCOMPARE(app::WindowTexts(w).texts(), germanTexts);
            QCOMPARE(purpose->caption(), QStringLiteral("Verwendungszweck 1"));
            QCOMPARE(w.data().Import_tt.displayLabel("Ausfuehrungsdatum"),
                     std::string("Ausführungsdatum"));
            language::IniFile ini;
            ini.load(f.path(QStringLiteral("VIZUZAR.INI")).toStdString());
            QCOMPARE(QString::fromStdString(ini.value("Sprache", "Sprache", "")),
                     QStringLiteral("Deutsch"));
            w.chooseLanguage(QStringLiteral("English"));
            f.closeWindow();
        }
        {
            app::THauptForm& w = f.start(); // English stored
            QCOMPARE(w.windowTitle(), QStringLiteral("Tarvion - EU Banktransfer quick and easy !"));
            QVERIFY(w.action(QStringLiteral("dxBarButton21"))->isChecked());
            QCOMPARE(w.optionsGroup()->typeBox->shownText(), QStringLiteral("Banktransfer"));
            w.data().Auftrag_tt.append();
            w.data().Auftrag_tt.field("Name").setString("x");
            w.data().Auftrag_tt.post();
            f.messages.clear();
            w.action(QStringLiteral("dxBarButton8"))->trigger();
            QCOMPARE(f.messages.front(), QStringLiteral("Clients really delete ?"));
            f.closeWindow();
        }
        {
            f.writeIni("Sprache", "Sprache", QStringLiteral("english")); // differs in case only
            app::THauptForm& w = f.start();
            QCOMPARE(w.windowTitle(), QStringLiteral("Tarvion - EU Banktransfer quick and easy !"));
            QVERIFY(w.action(QStringLiteral("dxBarButton20"))->isChecked());
            QCOMPARE(w.findChild<app::GridColumn*>(
                          QStringLiteral("cxGrid1DBTableView1Verwendungszweck1"))
                         ->caption(),
                     QStringLiteral("Verwendungszweck1"));
            QVERIFY(!language::isEnglish());
            f.closeWindow();
        }
        QDir::setCurrent(home);
    }

    void unwritableSettingsFileKeepsTheLanguage()
    {
        AppFixture f;
        QVERIFY(QDir().mkpath(
            f.path(QStringLiteral("VIZUZAR.INI")))); // a folder cannot be written as a file
        app::THauptForm& w = f.start();
        w.action(QStringLiteral("dxBarButton21"))->trigger();
        QCOMPARE(f.messages, QStringList{QStringLiteral("Unable to write to %1")
                                             .arg(f.path(QStringLiteral("VIZUZAR.INI")))});
        QVERIFY(!language::isEnglish());
        QVERIFY(w.action(QStringLiteral("dxBarButton20"))->isChecked());
        QVERIFY(!w.action(QStringLiteral("dxBarButton21"))->isChecked());
    }

    void manualThatCannotBeOpenedIsReported()
    {
        AppFixture f;
        app::THauptForm& w = f.start();
        QUrl opened;
        app::THauptForm::setDesktopOpener([&](const QUrl& url) {
            opened = url;
            return true;
        });
        w.action(QStringLiteral("dxBarButton5"))->trigger();
        QCOMPARE(f.messages,
                 QStringList{QStringLiteral(
                     "Anzeige fehlgeschlagen ! Sie benötigen den Adobe Acrobat Reader !")});
        QFile manual(f.path(QStringLiteral("Tarvion.PDF")));
        QVERIFY(manual.open(QIODevice::WriteOnly));
        manual.close();
        w.action(QStringLiteral("dxBarButton5"))->trigger();
        QCOMPARE(f.messages.size(), 1);
        QCOMPARE(opened, QUrl::fromLocalFile(f.path(QStringLiteral("Tarvion.PDF"))));
        app::THauptForm::setDesktopOpener([](const QUrl&) { return false; });
        w.action(QStringLiteral("dxBarButton5"))->trigger();
        QCOMPARE(f.messages.size(), 2);
    }

    void missingTableIsReportedAndTheWindowStillOpens()
    {
        AppFixture f;
        QFile::remove(f.path(QStringLiteral("auftraggeber.adt")));
        app::THauptForm& w = f.start();
        QCOMPARE(f.messages.size(), 1);
        QVERIFY(f.messages.front().contains(QStringLiteral("auftraggeber.adt")));
        QVERIFY(!w.data().Stamm_tt.isOpen());
        w.action(QStringLiteral("dxBarButton7"))->trigger();
        QVERIFY(f.messages.back().contains(QStringLiteral("closed dataset")));
    }

private:
    static void sqlite3_exec_lock(store::PaymentStore& other);
    static void sqlite3_exec_unlock(store::PaymentStore& other);
};

#include <sqlite3.h>

void MainWindowTest::sqlite3_exec_lock(store::PaymentStore& other)
{
    sqlite3_exec(other.connection.handle(),
                 "BEGIN IMMEDIATE; UPDATE \"ZAHLUNG\".ZAHLUNG SET Name = Name", nullptr, nullptr,
                 nullptr);
}

void MainWindowTest::sqlite3_exec_unlock(store::PaymentStore& other)
{
    sqlite3_exec(other.connection.handle(), "ROLLBACK", nullptr, nullptr, nullptr);
}

QTEST_MAIN(MainWindowTest)
#include "MainWindowTest.moc"
