#include "app/DateField.h"

#include "app/Dialogs.h"
#include "app/TypedInput.h"

#include <QAction>
#include <QCalendarWidget>
#include <QMenu>
#include <QStyle>
#include <QWidgetAction>

namespace app {

DateField::DateField(QWidget* parent) : QLineEdit(parent)
{
    setPlaceholderText(QStringLiteral("TT.MM.JJJJ"));
    QAction* calendar =
        addAction(style()->standardIcon(QStyle::SP_ArrowDown), QLineEdit::TrailingPosition);
    calendar->setObjectName(QStringLiteral("calendar"));
    connect(calendar, &QAction::triggered, this, &DateField::showCalendar);
    connect(this, &QLineEdit::editingFinished, this, &DateField::takeTypedText);
}

void DateField::setDate(const QDate& date)
{
    m_date = date;
    const QString text = dateText(date);
    if (this->text() != text)
        setText(text);
}

void DateField::takeTypedText()
{
    // A message box takes the focus away, which would finish the edit again.
    if (m_taking)
        return;
    m_taking = true;
    const QString typed = text();
    if (const std::optional<QDate> date = readTypedDate(typed)) {
        setText(dateText(*date));
        enter(*date);
    } else {
        setText(dateText(m_date));
        Dialogs::information(this, refusedDateMessage(typed.trimmed()));
    }
    m_taking = false;
}

void DateField::enter(const QDate& date)
{
    if (date == m_date)
        return;
    m_date = date;
    emit dateEntered(date);
}

void DateField::showCalendar()
{
    QMenu popup(this);
    auto* calendar = new QCalendarWidget(&popup);
    calendar->setObjectName(QStringLiteral("calendarWidget"));
    calendar->setGridVisible(true);
    if (m_date.isValid())
        calendar->setSelectedDate(m_date);
    auto* holder = new QWidgetAction(&popup);
    holder->setDefaultWidget(calendar);
    popup.addAction(holder);
    const auto pick = [&popup, this](const QDate& date) {
        popup.close();
        setText(dateText(date));
        enter(date);
    };
    connect(calendar, &QCalendarWidget::activated, &popup, pick);
    connect(calendar, &QCalendarWidget::clicked, &popup, pick);
    popup.exec(mapToGlobal(rect().bottomRight()) - QPoint(calendar->sizeHint().width(), 0));
}

} // namespace app
