#pragma once

#include <QString>
#include <QStringList>
#include <deque>
#include <functional>
#include <optional>

class QWidget;

namespace app {

// The program's message boxes, captioned with the application title; all
// but the plain notice show the information symbol. Tests answer them without a person through
// the "next answer" hooks.
class Dialogs
{
public:
    // Yes/No; a command goes on unless the answer is No.
    static bool question(QWidget* parent, const QString& text);
    // A notice with an OK button; `details` are shown on request.
    static void information(QWidget* parent, const QString& text, const QString& details = {});
    // A plain notice: no symbol, an OK button.
    static void plain(QWidget* parent, const QString& text);
    // The save dialog, opened in the folder of `proposal` with its name: a
    // file name (no extension added, no question about an existing file), or
    // nothing when cancelled.
    static std::optional<QString> saveFileName(QWidget* parent, const QString& title,
                                               const QString& proposal, const QStringList& filters);

    // Tests: the answers the next questions get (true is Yes), and a record
    // of every text shown instead of showing it.
    static void setNextAnswers(std::deque<bool> answers);
    static void setRecorder(std::function<void(const QString& text)> recorder);
    // Tests: what the next save dialogs answer (nothing: cancelled); the
    // proposal each one was given.
    static void setNextSaveFileNames(std::deque<std::optional<QString>> names);
    static QString& lastSaveProposal();

    static QString applicationTitle();
    // Tests: the symbol (a QMessageBox::Icon) of the last box recorded.
    static int& lastIcon();

private:
    static void notice(QWidget* parent, int icon, const QString& text, const QString& details);
    static std::deque<bool>& nextAnswers();
    static std::function<void(const QString&)>& recorder();
    static std::deque<std::optional<QString>>& nextSaveFileNames();
};

} // namespace app
