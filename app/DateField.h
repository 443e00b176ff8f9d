#pragma once

#include <QDate>
#include <QLineEdit>

namespace app {

// A date editor that takes a date only when the user has finished typing
// it (Enter, Tab, leaving the field) or picks one in the calendar: then it
// reads the text as typed, announces the new date once, and refuses with a
// message what is not a date, showing the old value again. It never turns
// what was typed into another date, and the mouse wheel changes nothing.
class DateField : public QLineEdit
{
    Q_OBJECT

public:
    explicit DateField(QWidget* parent = nullptr);

    QDate date() const { return m_date; }
    // Shows `date` (the null date: blank) without announcing it.
    void setDate(const QDate& date);

signals:
    // The user entered another date; the null date when the field was cleared.
    void dateEntered(const QDate& date);

private:
    void takeTypedText();
    void enter(const QDate& date);
    void showCalendar();

    QDate m_date;
    bool m_taking = false;
};

} // namespace app
