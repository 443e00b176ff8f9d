#include "app/FieldBinder.h"

#include "app/DateField.h"
#include "app/Dialogs.h"
#include "store/StoreError.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>
#include <cmath>

namespace app {
FieldBinder::FieldBinder(store::Cursor& cursor, QObject* parent) : QObject(parent), m_cursor(cursor)
{
    m_cursor.addListener(this);
}

FieldBinder::~FieldBinder()
{
    m_cursor.removeListener(this);
}

void FieldBinder::rowChanged(int row)
{
    if (row == m_cursor.currentRow())
        refresh();
}

void FieldBinder::refresh()
{
    showAllBut(nullptr);
}

void FieldBinder::showAllBut(const QObject* source)
{
    if (m_showing)
        return;
    m_showing = true;
    for (const Shower& shower : m_showers) {
        if (shower.editor != source)
            shower.show();
    }
    m_showing = false;
}

void FieldBinder::writeField(const QObject* source, const std::function<void()>& write)
{
    if (m_showing)
        return;
    m_showing = true; // the editor already shows what it writes
    try {
        if (!m_cursor.isOpen())
            throw store::StoreError("Cannot perform this operation on a closed dataset");
        m_cursor.edit();
        write();
    } catch (const std::exception& e) {
        m_showing = false;
        Dialogs::information(nullptr, QString::fromUtf8(e.what()));
        refresh();
        return;
    }
    m_showing = false;
    showAllBut(source);
}

void FieldBinder::bindText(QLineEdit* edit, const QString& fieldName, TextKind kind)
{
    const std::string name = fieldName.toStdString();
    const int index = m_cursor.fieldIndex(name);
    if (index >= 0 && m_cursor.fieldInfo(index).type == store::FieldType::Text)
        edit->setMaxLength(m_cursor.fieldInfo(index).width);
    if (kind == TextKind::WholeNumber)
        edit->setValidator(new QRegularExpressionValidator(
            QRegularExpression(QStringLiteral("[0-9]{0,15}")), edit));

    m_showers.push_back({edit, [this, edit, name, kind] {
                             QString text;
                             if (m_cursor.isOpen()) {
                                 const store::Field field = m_cursor.field(name);
                                 if (!field.isNull() &&
                                     store::isReadableAs(field.value(), field.type()))
                                     text = kind == TextKind::WholeNumber
                                                ? QString::number(field.asLargeInt())
                                                : QString::fromStdString(field.asString());
                             }
                             if (edit->text() != text)
                                 edit->setText(text);
                         }});
    connect(edit, &QLineEdit::textEdited, this, [this, edit, name](const QString& text) {
        writeField(edit, [&] { m_cursor.field(name).setString(text.toStdString()); });
    });
}

void FieldBinder::bindDate(DateField* edit, const QString& fieldName)
{
    const std::string name = fieldName.toStdString();
    m_showers.push_back({edit, [this, edit, name] {
                             QDate date;
                             const store::Field field = m_cursor.field(name);
                             if (m_cursor.isOpen() && !field.isNull() &&
                                 store::isReadableAs(field.value(), field.type())) {
                                 const dtazv::DateTime day = field.asDate();
                                 if (dtazv::isRepresentable(day)) {
                                     const dtazv::CivilDateTime c = dtazv::decodeDateTime(day);
                                     date = QDate(c.year, c.month, c.day);
                                 }
                             }
                             edit->setDate(date);
                         }});
    connect(edit, &DateField::dateEntered, this, [this, edit, name](const QDate& date) {
        writeField(edit, [&] {
            if (!date.isValid()) {
                m_cursor.field(name).clear();
                return;
            }
            m_cursor.field(name).setDate(dtazv::encodeDate(date.year(), date.month(), date.day()));
        });
    });
}

void FieldBinder::bindCheck(QCheckBox* box, const QString& fieldName)
{
    const std::string name = fieldName.toStdString();
    m_showers.push_back({box, [this, box, name] {
                             const store::Field field = m_cursor.field(name);
                             const bool ticked = m_cursor.isOpen() &&
                                                 store::isReadableAs(field.value(), field.type()) &&
                                                 field.asBoolean();
                             if (box->isChecked() != ticked)
                                 box->setChecked(ticked);
                         }});
    connect(box, &QCheckBox::clicked, this, [this, box, name](bool ticked) {
        writeField(box, [&] { m_cursor.field(name).setBoolean(ticked); });
    });
}

void FieldBinder::bindLabel(QLabel* label, const QString& fieldName)
{
    const std::string name = fieldName.toStdString();
    m_showers.push_back({label, [this, label, name] {
                             label->setText(m_cursor.isOpen() ? QString::fromStdString(
                                                                    m_cursor.field(name).asString())
                                                              : QString());
                         }});
}

void FieldBinder::bindCustom(const QObject* editor, std::function<void()> show)
{
    m_showers.push_back({editor, std::move(show)});
}

} // namespace app
