#pragma once

#include <QString>
#include <deque>
#include <functional>

class QWidget;

namespace app {

// The program's message boxes, all with the information symbol and the
// application title as caption. Tests answer them without a person through
// the "next answer" hooks.
class Dialogs
{
public:
    // Yes/No; a command goes on unless the answer is No.
    static bool question(QWidget* parent, const QString& text);
    // A notice with an OK button.
    static void information(QWidget* parent, const QString& text);

    // Tests: the answers the next questions get (true is Yes), and a record
    // of every text shown instead of showing it.
    static void setNextAnswers(std::deque<bool> answers);
    static void setRecorder(std::function<void(const QString& text)> recorder);
    static bool isAnswering();

    static QString applicationTitle();

private:
    static std::deque<bool>& nextAnswers();
    static std::function<void(const QString&)>& recorder();
};

} // namespace app
