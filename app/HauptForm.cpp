#include "app/HauptForm.h"

#include "app/AuftragForm.h"
#include "app/CreateFileUi.h"
#include "app/CursorModel.h"
#include "app/Dialogs.h"
#include "app/FieldBinder.h"
#include "app/OptionsGroup.h"
#include "app/OrdererGroup.h"
#include "app/ProgrammForm.h"
#include "app/PruefForm.h"
#include "app/ShownTextComboBox.h"
#include "app/TransferGrid.h"
#include "app/TransferGroup.h"
#include "app/Widgets.h"
#include "app/WindowPlacement.h"
#include "app/WindowTexts.h"
#include "checking/CheckRun.h"
#include "checking/ExecutionDateRule.h"
#include "exchange/TargetFields.h"
#include "language/CurrentLanguage.h"
#include "language/IniFile.h"

#include <QApplication>
#include <QCheckBox>
#include <QCloseEvent>
#include <QComboBox>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLibraryInfo>
#include <QLineEdit>
#include <QMenuBar>
#include <QToolButton>
#include <QUrl>
#include <QVBoxLayout>

namespace app {
namespace {

std::function<bool(const QUrl&)>& desktopOpener()
{
    static std::function<bool(const QUrl&)> opener = [](const QUrl& url) {
        return QDesktopServices::openUrl(url);
    };
    return opener;
}

dtazv::DateTime today()
{
    const QDate date = QDate::currentDate();
    return dtazv::encodeDate(date.year(), date.month(), date.day());
}

const std::vector<std::string> kCaptionAndHint{"Caption", "Hint"};

} // namespace

struct THauptForm::Localisation
{
    Localisation(QWidget& window, std::set<std::string> excluded,
                 std::vector<std::string> properties,
                 const std::optional<std::vector<std::string>>& storedOriginals)
        : texts(window, std::move(excluded)),
          localiser(texts, std::move(properties),
                    storedOriginals ? texts.snapshot(*storedOriginals)
                                    : std::vector<std::pair<language::TextKey, std::string>>{})
    {}
    WindowTexts texts;
    language::FormLocaliser localiser;
};

THauptForm::THauptForm() : THauptForm(Options{}) {}

THauptForm::THauptForm(const Options& options, QWidget* parent) : QMainWindow(parent)
{
    setObjectName(QStringLiteral("HauptForm"));
    setWindowTitle(QStringLiteral("Tarvion - Europaüberweisungen schnell und einfach"));
    setGeometry(266, 112, 950, 601);

    auto* central = new QWidget(this);
    auto* layout = new QVBoxLayout(central);
    layout->setContentsMargins(6, 2, 6, 2);
    layout->setSpacing(2);
    m_banner = namedLabel(
        "Label1", QStringLiteral("Tarvion - Europaüberweiungen einfach und schnell"), central);
    m_banner->setStyleSheet(QStringLiteral("background: #1f4e79; color: white; font-size: 13pt; "
                                           "font-weight: bold; padding: 2px 8px;"));
    layout->addWidget(m_banner);

    m_orderer = new OrdererGroup(m_data, central);
    m_options = new OptionsGroup(m_data, m_orderer->binder(), central);
    m_orderer->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    m_options->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Maximum);
    auto* top = new QHBoxLayout;
    top->addWidget(m_orderer, 3);
    top->addWidget(m_options, 2);
    layout->addLayout(top);

    m_transfers = new TransferGroup(m_data, central);
    layout->addWidget(m_transfers, 1);

    auto* bottom = new QHBoxLayout;
    bottom->addStretch();
    m_closeButton = namedButton("LMDSpeedButton1", QStringLiteral("Schliessen"), {}, central);
    bottom->addWidget(m_closeButton);
    layout->addLayout(bottom);
    setCentralWidget(central);

    buildMenus();
    connectCommands();
    // The main window's definition stores its German texts as originals and
    // English as active language: it gets the language file's texts while
    // it is loaded, recording nothing; the language step then sets the
    // stored language.
    localise(*this, kCaptionAndHint, std::vector<std::string>{}, {"cxDBLabel1"});
    m_languageSource.setActiveLanguage(0, false);
    m_data.setBusyHook([](bool busy) {
        if (busy)
            QApplication::setOverrideCursor(Qt::WaitCursor);
        else
            QApplication::restoreOverrideCursor();
    });
    runStartUp(options);
}

THauptForm::~THauptForm()
{
    m_localisations.clear();
    // The windows and editors listen to the store's cursors: they go first.
    qDeleteAll(findChildren<QWidget*>(QString(), Qt::FindDirectChildrenOnly));
}

QAction* THauptForm::addItem(QMenu* menu, const char* name, const QString& text,
                             void (THauptForm::*command)())
{
    QAction* action = menu->addAction(text);
    action->setObjectName(QLatin1String(name));
    action->setToolTip(text);
    action->setStatusTip(text);
    if (command)
        connect(action, &QAction::triggered, this,
                [this, command] { guarded([&] { (this->*command)(); }); });
    else
        action->setEnabled(false); // built by later work
    m_actions.insert(QLatin1String(name), action);
    return action;
}

void THauptForm::buildMenus()
{
    auto menu = [this](const char* name, const QString& title, QMenu* parentMenu = nullptr) {
        QMenu* m = parentMenu ? parentMenu->addMenu(title) : menuBar()->addMenu(title);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    QMenu* orderer = menu("dxBarSubItem1", QStringLiteral("Auftraggeber"));
    addItem(orderer, "dxBarButton7", QStringLiteral("Neuanlage"), &THauptForm::newOrderer);
    addItem(orderer, "dxBarButton8", QStringLiteral("Löschen"), &THauptForm::deleteOrderer);
    orderer->addSeparator();
    addItem(orderer, "dxBarButton9", QStringLiteral("Auswahl"), &THauptForm::selectOrderer);

    QMenu* transfers = menu("dxBarSubItem2", QStringLiteral("Zahlungsverkehrsdaten"));
    addItem(transfers, "dxBarButton10", QStringLiteral("Neu"), &THauptForm::newTransfer);
    QMenu* remove = menu("dxBarSubItem6", QStringLiteral("Löschen"), transfers);
    addItem(remove, "dxBarButton15", QStringLiteral("den aktuellen Datensatz"),
            &THauptForm::deleteCurrentTransfer);
    addItem(remove, "dxBarButton11", QStringLiteral("der markierten ( Prüfen ) Datensätze"),
            &THauptForm::deleteMarkedTransfers);
    addItem(remove, "dxBarButton16", QStringLiteral("alle Datensätze"),
            &THauptForm::deleteAllTransfers);
    transfers->addSeparator();
    addItem(transfers, "dxBarButton12", QStringLiteral("Import"));
    addItem(transfers, "dxBarButton14", QStringLiteral("Export"));

    QMenu* steps = menu("dxBarSubItem3", QStringLiteral("1-2-3 DTAZV Datei"));
    addItem(steps, "dxBarButton17", QStringLiteral("1. Datenimport"));
    addItem(steps, "dxBarButton18", QStringLiteral("2. Auftraggeber wählen"),
            &THauptForm::selectOrderer);
    steps->addSeparator();
    QAction* check =
        addItem(steps, "dxBarButton19", QStringLiteral("Daten prüfen"), &THauptForm::checkCommand);
    check->setToolTip(QStringLiteral("Daten prüfen"));
    steps->addSeparator();
    addItem(steps, "dxBarButton13", QStringLiteral("3. DTAZV-Datei erstellen"),
            &THauptForm::LMDSpeedButton9Click);

    QMenu* program = menu("dxBarSubItem4", QStringLiteral("Programm"));
    addItem(program, "dxBarButton22", QStringLiteral("Einstellungen"), &THauptForm::showSettings);
    addItem(program, "dxBarButton4", QStringLiteral("Tarvion im Internet"),
            &THauptForm::openHomePage);
    program->addSeparator();
    addItem(program, "dxBarButton5", QStringLiteral("Handbuch (PDF)"), &THauptForm::openManual);
    program->addSeparator();
    QAction* german = addItem(program, "dxBarButton20", QStringLiteral("Deutsch"));
    QAction* english = addItem(program, "dxBarButton21", QStringLiteral("English"));
    for (QAction* item : {german, english}) {
        item->setCheckable(true);
        item->setEnabled(true);
        const QString value = item->text();
        connect(item, &QAction::triggered, this,
                [this, value] { guarded([&] { chooseLanguage(value); }); });
    }
    german->setChecked(true);
    program->addSeparator();
    QAction* end = addItem(program, "dxBarButton6", QStringLiteral("Ende"));
    end->setEnabled(true);
    connect(end, &QAction::triggered, this, &QWidget::close);
}

void THauptForm::connectCommands()
{
    auto on = [this](QAbstractButton* button, void (THauptForm::*command)()) {
        connect(button, &QAbstractButton::clicked, this,
                [this, command] { guarded([&] { (this->*command)(); }); });
    };
    on(m_orderer->newButton, &THauptForm::newOrderer);
    on(m_orderer->deleteButton, &THauptForm::deleteOrderer);
    on(m_orderer->selectButton, &THauptForm::selectOrderer);
    store::Cursor& orderers = m_data.Auftrag_tt;
    connect(m_orderer->firstButton, &QToolButton::clicked, this,
            [this, &orderers] { guarded([&] { orderers.first(); }); });
    connect(m_orderer->priorButton, &QToolButton::clicked, this,
            [this, &orderers] { guarded([&] { orderers.prior(); }); });
    connect(m_orderer->nextButton, &QToolButton::clicked, this,
            [this, &orderers] { guarded([&] { orderers.next(); }); });
    connect(m_orderer->lastButton, &QToolButton::clicked, this,
            [this, &orderers] { guarded([&] { orderers.last(); }); });

    on(m_transfers->checkButton, &THauptForm::checkCommand);
    on(m_options->createButton, &THauptForm::LMDSpeedButton9Click);
    on(m_transfers->newButton, &THauptForm::newTransfer);
    on(m_transfers->deleteButton, &THauptForm::deleteCurrentTransfer);
    connect(m_transfers->editInTable, &QCheckBox::clicked, this, &THauptForm::setEditInTable);
    connect(m_closeButton, &QPushButton::clicked, this, &QWidget::close);

    // Built by later work: visible, not yet usable.
    m_transfers->importButton->setEnabled(false);
}

void THauptForm::guarded(const std::function<void()>& command)
{
    try {
        command();
    } catch (const std::exception& e) {
        Dialogs::information(this, QString::fromUtf8(e.what()));
    }
}

QString THauptForm::iniPath() const
{
    return m_dataDirectory + QStringLiteral("VIZUZAR.INI");
}

void THauptForm::runStartUp(const Options& options)
{
    TransferGrid& grid = *m_transfers->grid;
    grid.view().sortByColumn(grid.model().columnOfField(QStringLiteral("Name")),
                             Qt::AscendingOrder);
    grid.setLayoutFile(options.gridLayoutFile);
    grid.restoreLayout();

    m_dataDirectory = options.dataDirectory.isEmpty() ? QCoreApplication::applicationDirPath()
                                                      : options.dataDirectory;
    if (!m_dataDirectory.endsWith(QDir::separator()) && !m_dataDirectory.endsWith(QLatin1Char('/')))
        m_dataDirectory += QDir::separator();

    checking::installExecutionDateRule(m_data, [this](const std::string& warning) {
        Dialogs::information(this, QString::fromStdString(warning));
    });
    try {
        m_data.pointAt(m_dataDirectory.toStdString());
        sprache();
        m_data.openAll();
        store::Cursor& settings = m_data.Stamm_tt;
        settings.edit();
        settings.field("Erstelldatum").setDate(today());
        settings.field("Ausfuehrungstermin").setDate(today());
        settings.post();
        // An option that another program spoilt reads as not set.
        const auto option = [&settings](const char* name) {
            const store::Field field = settings.field(name);
            return store::isReadableAs(field.value(), field.type()) && field.asBoolean();
        };
        if (option("EditTabelle")) {
            m_transfers->editInTable->hide();
            m_transfers->editInTableLabel->hide();
        }
        m_importModeReadOnly = option("EditImport");
    } catch (const std::exception& e) {
        // The remaining steps are skipped; the window opens all the same.
        Dialogs::information(this, QString::fromUtf8(e.what()));
    }
    grid.focusCurrentRow();
}

void THauptForm::localise(QWidget& window, std::vector<std::string> properties,
                          std::optional<std::vector<std::string>> storedOriginals,
                          std::set<std::string> excluded)
{
    m_localisations.push_back(std::make_unique<Localisation>(
        window, std::move(excluded), std::move(properties), storedOriginals));
    m_localisations.back()->localiser.bind(m_languageSource);
}

void THauptForm::createDialogs()
{
    if (!m_pruefForm) {
        m_pruefForm = new TPruefForm(this);
        // Its texts are English in both languages; the result lines are the check run's.
        localise(*m_pruefForm, kCaptionAndHint, std::nullopt,
                 {"mDatum", "mName", "mKonto", "mBLZ", "m1EUR", "mB50000", "mMelde", "mIBAN",
                  "mBIC", "mAusDat", "mHinweis"});
    }
    if (!m_programmForm) {
        m_programmForm = new TProgrammForm(m_data, iniPath(), this);
        localise(*m_programmForm, kCaptionAndHint,
                 std::vector<std::string>{"Caption", "Label1.Caption", "LMDSpeedButton1.Caption",
                                          "GroupBox1.Caption", "cxDBCheckBox1.Caption",
                                          "cxDBCheckBox2.Caption"});
    }
}

void THauptForm::savePlacements() const
{
    savePlacement(*this, iniPath(), QStringLiteral("Form1"));
    if (m_programmForm)
        savePlacement(*m_programmForm, iniPath(), QStringLiteral("ProgrammForm"));
}

void THauptForm::setDesktopOpener(std::function<bool(const QUrl&)> opener)
{
    desktopOpener() = std::move(opener);
}

void THauptForm::sprache()
{
    const std::string stored = language::storedLanguage(iniPath().toStdString());
    language::setCurrentLanguage(stored);
    const bool german = stored == language::kGerman;
    const bool english = stored == language::kEnglish;
    if (!german && !english)
        return; // neither branch: everything stays as it is
    m_languageSource.setActiveLanguage(german ? -1 : 0);
    // Qt's own texts (message-box buttons, file dialogs, the print preview).
    QCoreApplication::removeTranslator(&m_qtTranslator);
    if (german && m_qtTranslator.load(QStringLiteral("qtbase_de"),
                                      QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        QCoreApplication::installTranslator(&m_qtTranslator);
    m_actions.value(QStringLiteral("dxBarButton20"))->setChecked(german);
    m_actions.value(QStringLiteral("dxBarButton21"))->setChecked(english);

    const struct
    {
        const char* field;
        const char* german;
        const char* english;
    } columns[] = {
        {"Verwendungszweck1", "Verwendungszweck 1", "reason for transfer 1"},
        {"Verwendungszweck2", "Verwendungszweck 2", "reason for transfer 2"},
        {"Verwendungszweck3", "Verwendungszweck 3", "reason for transfer 3"},
        {"Verwendungszweck4", "Verwendungszweck 4", "reason for transfer 4"},
        {"Strasse", "Strasse", "Street"},
        {"OrtLand", "Ort Land", "City / Country"},
        {"Waehrung", "Währung", "Currency"},
        {"Ausfuehrungsdatum", "Datum", "Date"},
        {"Infofeld", "Infofeld", "Informationfield"},
        {"Hinweis", "Hinweis", "Reference"},
    };
    for (const auto& c : columns) {
        if (GridColumn* column = m_transfers->grid->column(QLatin1String(c.field)))
            column->setCaption(QString::fromUtf8(german ? c.german : c.english));
    }
    m_options->typeBox->setShownText(german ? QString() : QStringLiteral("Banktransfer"));
    // The names under which the import offers the transfer fields.
    for (const exchange::TargetField& field : exchange::targetFields())
        m_data.Import_tt.setDisplayLabel(field.name, german ? field.german : field.english);
}

void THauptForm::pruefen()
{
    m_lastCheck = checking::CheckRun(m_data, m_writer).run(language::isEnglish());
    createDialogs();
    m_pruefForm->setResult(m_lastCheck);
}

void THauptForm::checkCommand()
{
    pruefen();
    m_pruefForm->exec();
}

void THauptForm::LMDSpeedButton9Click()
{
    createDialogs();
    if (!m_createFile)
        m_createFile = std::make_unique<filecreation::CreateFileWorkflow>(
            m_data, m_writer, m_dataDirectory.toStdString());
    WindowCreateFileUi ui(this, *m_pruefForm);
    m_lastCreation = m_createFile->run(ui, language::isEnglish());
    m_lastCheck = m_lastCreation.check;
    m_pruefForm->setResult(m_lastCheck);
}

void THauptForm::newOrderer()
{
    m_data.Auftrag_tt.append();
    m_orderer->nameEdit->setFocus();
}

void THauptForm::deleteOrderer()
{
    const QString question = language::isEnglish()
                                 ? QStringLiteral("Clients really delete ?")
                                 : QStringLiteral("*Auftraggeber wirklich löschen ?");
    if (Dialogs::question(this, question))
        m_data.Auftrag_tt.remove();
}

void THauptForm::selectOrderer()
{
    if (!m_auftragForm) {
        m_auftragForm = new TAuftragForm(m_data.Auftrag_tt, this);
        localise(*m_auftragForm, {"Caption", "Hint", "DataBinding.FieldName"}, std::nullopt);
    }
    m_auftragForm->exec();
}

void THauptForm::newTransfer()
{
    m_data.Zahlung_tt.append();
    if (!m_transfers->editInTable->isChecked()) {
        m_transfers->editInTable->setChecked(true);
        setEditInTable(true);
    }
    m_transfers->grid->focusCurrentRow();
}

void THauptForm::setEditInTable(bool editable)
{
    m_transfers->grid->setEditable(editable);
}

void THauptForm::deleteCurrentTransfer()
{
    if (Dialogs::question(this, QStringLiteral("Datensatz wirklich löschen ?")))
        m_data.Zahlung_tt.remove();
}

void THauptForm::deleteMarkedTransfers()
{
    if (!Dialogs::question(
            this, QStringLiteral("Wollen Sie alle zur Prüfung markierten Datensätze löschen ?")))
        return;
    store::BulkRun run(m_data);
    store::Cursor& transfers = m_data.Zahlung_tt;
    transfers.first();
    while (!transfers.eof()) {
        if (transfers.field("PRUEFEN").asBoolean())
            transfers.remove(); // the following row is current already
        else
            transfers.next();
    }
}

void THauptForm::deleteAllTransfers()
{
    if (!Dialogs::question(this, QStringLiteral("Wollen Sie alle Datensätze löschen ?")))
        return;
    store::BulkRun run(m_data);
    store::Cursor& transfers = m_data.Zahlung_tt;
    transfers.first();
    while (!transfers.eof())
        transfers.remove();
}

void THauptForm::chooseLanguage(const QString& value)
{
    language::IniFile ini;
    ini.load(iniPath().toStdString());
    ini.setValue("Sprache", "Sprache", value.toStdString());
    if (!ini.save(iniPath().toStdString())) {
        // The language stays as it was, and so do the two items.
        const bool english = language::isEnglish();
        m_actions.value(QStringLiteral("dxBarButton20"))->setChecked(!english);
        m_actions.value(QStringLiteral("dxBarButton21"))->setChecked(english);
        Dialogs::information(this, QStringLiteral("Unable to write to %1").arg(iniPath()));
        return;
    }
    sprache();
}

void THauptForm::showSettings()
{
    createDialogs();
    m_programmForm->exec();
}

void THauptForm::openHomePage()
{
    const QString page = m_dataDirectory + QStringLiteral("Tarvion.html");
    if (!QFileInfo::exists(page) || !desktopOpener()(QUrl::fromLocalFile(page)))
        Dialogs::information(this, QStringLiteral("Die Startseite %1 kann nicht angezeigt werden.")
                                       .arg(QDir::toNativeSeparators(page)));
}

void THauptForm::openManual()
{
    const QString manual = m_dataDirectory + QStringLiteral("Tarvion.PDF");
    if (!QFileInfo::exists(manual) || !desktopOpener()(QUrl::fromLocalFile(manual)))
        Dialogs::plain(
            this,
            QStringLiteral("Anzeige fehlgeschlagen ! Sie benötigen den Adobe Acrobat Reader !"));
}

void THauptForm::showEvent(QShowEvent* event)
{
    if (!m_placed) {
        m_placed = true;
        restorePlacement(*this, iniPath(), QStringLiteral("Form1"));
    }
    QMainWindow::showEvent(event);
}

void THauptForm::closeEvent(QCloseEvent* event)
{
    try {
        m_data.PostPendingEdits();
    } catch (const std::exception& e) {
        // The change stays pending and the window open.
        Dialogs::information(this, QString::fromUtf8(e.what()));
        event->ignore();
        return;
    }
    event->accept();
}

} // namespace app
