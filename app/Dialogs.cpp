#include "app/Dialogs.h"

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

bool Dialogs::isAnswering()
{
    return static_cast<bool>(recorder());
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

void Dialogs::information(QWidget* parent, const QString& text)
{
    if (recorder()) {
        recorder()(text);
        return;
    }
    QMessageBox box(QMessageBox::Information, applicationTitle(), text, QMessageBox::Ok, parent);
    box.exec();
}

} // namespace app
