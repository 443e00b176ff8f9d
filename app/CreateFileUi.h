#pragma once

#include "app/ReportPreview.h"
#include "filecreation/CreateFileWorkflow.h"

#include <functional>

namespace app {

class TPruefForm;

// The create-file workflow's messages, save dialog and previews in the
// program's windows.
class WindowCreateFileUi final : public filecreation::CreateFileUi
{
public:
    WindowCreateFileUi(QWidget* parent, TPruefForm& certificate);

    void information(const std::string& text, const std::string& details) override;
    void showCertificate(const checking::CheckResult& result) override;
    std::optional<std::string> chooseOutputFile(const std::string& title,
                                                const std::string& proposal) override;
    filecreation::ReportOutput* noteOutput(bool settingsAsk) override;
    filecreation::ReportOutput* journalOutput(bool settingsAsk) override;

    // Tests: where the reports go instead of the preview (false: the note).
    static void setReportOutputs(std::function<filecreation::ReportOutput*(bool journal)> outputs);

private:
    QWidget* m_parent;
    TPruefForm& m_certificate;
    ReportPreview m_preview;
};

} // namespace app
