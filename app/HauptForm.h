#pragma once

#include "checking/CheckResult.h"
#include "dtazv/VekDTAZV.h"
#include "filecreation/CreateFileWorkflow.h"
#include "language/Localisation.h"
#include "store/PaymentStore.h"

#include <QHash>
#include <QMainWindow>
#include <QString>
#include <QTranslator>
#include <functional>
#include <memory>
#include <optional>
#include <set>
#include <vector>

class QAction;
class QLabel;
class QPushButton;
class QUrl;

namespace app {

class OptionsGroup;
class OrdererGroup;
class TAuftragForm;
class TProgrammForm;
class TPruefForm;
class TransferGroup;

// The main window: the ordering party, the DTAZV options and the list of
// transfers with their commands. Creating it runs the start-up steps:
// grid layout, data directory, connection, language, tables, the settings
// record's dates and the two start-up options.
class THauptForm : public QMainWindow
{
    Q_OBJECT

public:
    struct Options
    {
        QString dataDirectory;                                      // empty: the program's folder
        QString gridLayoutFile = QStringLiteral("GridTarvion.ini"); // against the working folder
    };

    THauptForm();
    explicit THauptForm(const Options& options, QWidget* parent = nullptr);
    ~THauptForm() override;

    // Program start creates the check certificate and the settings dialog
    // after the main window.
    void createDialogs();
    // Written when the program ends.
    void savePlacements() const;

    store::PaymentStore& data() { return m_data; }
    const QString& dataDirectory() const { return m_dataDirectory; }
    QString iniPath() const;
    QAction* action(const QString& name) const { return m_actions.value(name); }
    OrdererGroup* ordererGroup() const { return m_orderer; }
    OptionsGroup* optionsGroup() const { return m_options; }
    TransferGroup* transferGroup() const { return m_transfers; }
    TAuftragForm* auftragForm() const { return m_auftragForm; }
    TProgrammForm* programmForm() const { return m_programmForm; }
    TPruefForm* pruefForm() const { return m_pruefForm; }
    dtazv::TVekDTAZV& writer() { return m_writer; }
    // The outcome of the last check run.
    const checking::CheckResult& lastCheck() const { return m_lastCheck; }
    // Read once at start-up for the import wizard.
    bool importModeReadOnly() const { return m_importModeReadOnly; }

    // Opens a document or an address with the desktop; tests replace it.
    static void setDesktopOpener(std::function<bool(const QUrl&)> opener);

    // The language step: the current language from VIZUZAR.INI and the
    // texts that follow it.
    void sprache();
    // The check run; fills the check certificate, does not show it.
    void pruefen();

    // Commands, named after the elements that trigger them.
    void checkCommand(); // LMDSpeedButton5, dxBarButton19: check, then the certificate
    // LMDSpeedButton9, dxBarButton13: "3. DTAZV-Datei erstellen".
    void LMDSpeedButton9Click();
    const filecreation::CreateFileWorkflow::Outcome& lastCreation() const { return m_lastCreation; }
    void newOrderer();
    void deleteOrderer();
    void selectOrderer();
    void newTransfer();
    void deleteCurrentTransfer();
    void deleteMarkedTransfers();
    void deleteAllTransfers();
    void setEditInTable(bool editable);
    void showSettings();
    // dxBarButton20 and dxBarButton21: store the language, then the language step.
    void chooseLanguage(const QString& language);
    language::LanguageSource& languageSource() { return m_languageSource; }
    void openHomePage();
    void openManual();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void buildMenus();
    void connectCommands();
    void runStartUp(const Options& options);
    QAction* addItem(QMenu* menu, const char* name, const QString& text,
                     void (THauptForm::*command)() = nullptr);
    // Gives a window its localiser, bound to the language source.
    void localise(QWidget& window, std::vector<std::string> properties,
                  std::optional<std::vector<std::string>> storedOriginals,
                  std::set<std::string> excluded = {});
    // Runs a command; an error it raises is shown with its message.
    void guarded(const std::function<void()>& command);

    store::PaymentStore m_data;
    language::LanguageSource m_languageSource;
    struct Localisation;
    std::vector<std::unique_ptr<Localisation>> m_localisations;
    QTranslator m_qtTranslator;
    dtazv::TVekDTAZV m_writer;
    checking::CheckResult m_lastCheck;
    std::unique_ptr<filecreation::CreateFileWorkflow> m_createFile;
    filecreation::CreateFileWorkflow::Outcome m_lastCreation;
    QString m_dataDirectory;
    QHash<QString, QAction*> m_actions;
    QLabel* m_banner = nullptr;
    OrdererGroup* m_orderer = nullptr;
    OptionsGroup* m_options = nullptr;
    TransferGroup* m_transfers = nullptr;
    QPushButton* m_closeButton = nullptr;
    TAuftragForm* m_auftragForm = nullptr;
    TProgrammForm* m_programmForm = nullptr;
    TPruefForm* m_pruefForm = nullptr;
    bool m_importModeReadOnly = false;
    bool m_placed = false;
};

} // namespace app
