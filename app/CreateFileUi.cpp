#include "app/CreateFileUi.h"

#include "app/Dialogs.h"
#include "app/PruefForm.h"

namespace app {
namespace {

std::function<filecreation::ReportOutput*(bool)>& reportOutputs()
{
    static std::function<filecreation::ReportOutput*(bool)> outputs;
    return outputs;
}

} // namespace

WindowCreateFileUi::WindowCreateFileUi(QWidget* parent, TPruefForm& certificate)
    : m_parent(parent), m_certificate(certificate), m_preview(parent)
{}

void WindowCreateFileUi::setReportOutputs(std::function<filecreation::ReportOutput*(bool)> outputs)
{
    reportOutputs() = std::move(outputs);
}

void WindowCreateFileUi::information(const std::string& text, const std::string& details)
{
    Dialogs::information(m_parent, QString::fromStdString(text), QString::fromStdString(details));
}

void WindowCreateFileUi::showCertificate(const checking::CheckResult& result)
{
    m_certificate.setResult(result);
    m_certificate.exec();
}

std::optional<std::string> WindowCreateFileUi::chooseOutputFile(const std::string& title,
                                                                const std::string& proposal)
{
    const std::optional<QString> name = Dialogs::saveFileName(
        m_parent, QString::fromStdString(title), QString::fromStdString(proposal),
        {QStringLiteral("TXT Datei (*.txt)"), QStringLiteral("Alle Dateien (*.*)")});
    if (!name)
        return std::nullopt;
    return name->toStdString();
}

filecreation::ReportOutput* WindowCreateFileUi::noteOutput(bool settingsAsk)
{
    if (!settingsAsk)
        return nullptr;
    return reportOutputs() ? reportOutputs()(false) : &m_preview;
}

filecreation::ReportOutput* WindowCreateFileUi::journalOutput(bool settingsAsk)
{
    if (!settingsAsk)
        return nullptr;
    return reportOutputs() ? reportOutputs()(true) : &m_preview;
}

} // namespace app
