#include "app/Dialogs.h"

#include <QFileDialog>
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
    if (recorder()) {
        recorder()(text);
        return;
    }
    QMessageBox box(QMessageBox::Information, applicationTitle(), text, QMessageBox::Ok, parent);
    if (!details.isEmpty())
        box.setDetailedText(details);
    box.exec();
}

std::deque<std::optional<QString>>& Dialogs::nextSaveFileNames()
{
    static std::deque<std::optional<QString>> names;
    return names;
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
        if (nextSaveFileNames().empty())
            return std::nullopt;
        std::optional<QString> name = nextSaveFileNames().front();
        nextSaveFileNames().pop_front();
        return name;
    }
    QFileDialog dialog(parent, title, proposal);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilters(filters);
    dialog.setOption(QFileDialog::DontConfirmOverwrite);
    dialog.selectFile(proposal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return std::nullopt;
    return dialog.selectedFiles().front();
}

} // namespace app
