#include "app/Dialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QMessageBox>

namespace app {

std::deque<bool>& Dialogs::nextAnswers()
{
    static std::deque<bool> answers;
    return answers;
}

std::function<void(const QString&)>& Dialogs::recorder()
{
    static std::function<void(const QString&)> record;
    return record;
}

void Dialogs::setNextAnswers(std::deque<bool> answers)
{
    nextAnswers() = std::move(answers);
}

void Dialogs::setRecorder(std::function<void(const QString&)> record)
{
    recorder() = std::move(record);
}

QString Dialogs::applicationTitle()
{
    return QStringLiteral("Tarvion - EU Standardüberweisung");
}

bool Dialogs::question(QWidget* parent, const QString& text)
{
    if (recorder()) {
        recorder()(text);
        lastIcon() = QMessageBox::Information;
        if (nextAnswers().empty())
            return true;
        const bool answer = nextAnswers().front();
        nextAnswers().pop_front();
        return answer;
    }
    QMessageBox box(QMessageBox::Information, applicationTitle(), text,
                    QMessageBox::Yes | QMessageBox::No, parent);
    return box.exec() != QMessageBox::No;
}

void Dialogs::information(QWidget* parent, const QString& text, const QString& details)
{
    notice(parent, QMessageBox::Information, text, details);
}

void Dialogs::plain(QWidget* parent, const QString& text)
{
    notice(parent, QMessageBox::NoIcon, text, {});
}

void Dialogs::notice(QWidget* parent, int icon, const QString& text, const QString& details)
{
    if (recorder()) {
        recorder()(text);
        lastIcon() = icon;
        return;
    }
    QMessageBox box(static_cast<QMessageBox::Icon>(icon), applicationTitle(), text, QMessageBox::Ok,
                    parent);
    if (!details.isEmpty())
        box.setDetailedText(details);
    box.exec();
}

int& Dialogs::lastIcon()
{
    static int icon = 0;
    return icon;
}

std::deque<std::optional<QString>>& Dialogs::nextSaveFileNames()
{
    static std::deque<std::optional<QString>> names;
    return names;
}

QString& Dialogs::lastSaveProposal()
{
    static QString proposal;
    return proposal;
}

void Dialogs::setNextSaveFileNames(std::deque<std::optional<QString>> names)
{
    nextSaveFileNames() = std::move(names);
}

std::optional<QString> Dialogs::saveFileName(QWidget* parent, const QString& title,
                                             const QString& proposal, const QStringList& filters)
{
    if (recorder()) {
        recorder()(title);
        lastSaveProposal() = proposal;
        if (nextSaveFileNames().empty())
            return std::nullopt;
        std::optional<QString> name = nextSaveFileNames().front();
        nextSaveFileNames().pop_front();
        return name;
    }
    // The dialog opens in the proposal's folder with its name filled in.
    const QFileInfo proposed(proposal);
    QFileDialog dialog(parent, title, proposed.absolutePath());
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposed.fileName());
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace app
