#pragma once

#include "store/Cursor.h"

#include <QObject>
#include <QString>
#include <functional>
#include <vector>

class QCheckBox;
class QLabel;
class QLineEdit;
class QWidget;

namespace app {

class DateField;

// Binds editors to fields of a cursor's current row: they show the row's
// values whenever the row or its values change, and typing into one begins
// editing the row and writes the field (the row is stored when the cursor
// moves on or the pending change is posted).
class FieldBinder : public QObject, public store::CursorListener
{
    Q_OBJECT

public:
    explicit FieldBinder(store::Cursor& cursor, QObject* parent = nullptr);
    ~FieldBinder() override;

    enum class TextKind
    {
        Text,
        WholeNumber, // a Float field shown and typed as a whole number
    };
    void bindText(QLineEdit* edit, const QString& field, TextKind kind = TextKind::Text);
    void bindDate(DateField* edit, const QString& field);
    void bindCheck(QCheckBox* box, const QString& field);
    void bindLabel(QLabel* label, const QString& field);
    // For editors of their own (pick lists): `show` is called with the binder
    // whenever the current row's values change.
    void bindCustom(const QObject* editor, std::function<void()> show);
    // Writes through `write` as an edit of the current row (see the editors
    // above); errors are shown, not thrown.
    void write(const QObject* editor, const std::function<void()>& write)
    {
        writeField(editor, write);
    }

    store::Cursor& cursor() const { return m_cursor; }
    void refresh();

private:
    void cursorReset() override { refresh(); }
    void rowChanged(int row) override;
    void currentRowChanged(int) override { refresh(); }
    void stateChanged(store::CursorState) override { refresh(); }

    // Runs a write of the user's, reporting an error instead of throwing it;
    // afterwards every editor but `source` shows the row again.
    void writeField(const QObject* source, const std::function<void()>& write);
    void showAllBut(const QObject* source);

    struct Shower
    {
        const QObject* editor;
        std::function<void()> show;
    };

    store::Cursor& m_cursor;
    std::vector<Shower> m_showers;
    bool m_showing = false;
};

} // namespace app
