#pragma once

#include "app/GridFooter.h"

#include <QObject>
#include <QString>
#include <QTableView>
#include <QWidget>
#include <vector>

class QToolButton;

namespace store {
class Cursor;
}

namespace app {

class CursorModel;
class WrappingHeader;

// A grid column as the rest of the program addresses it: by its element
// name (e.g. "cxGrid1DBTableView1BIC") with its caption as a property.
class GridColumn : public QObject
{
    Q_OBJECT
    Q_PROPERTY(QString Caption READ caption WRITE setCaption)

public:
    GridColumn(const QString& name, int column, CursorModel& model, QObject* parent);
    QString caption() const;
    void setCaption(const QString& caption);
    // The field the column shows; another field of the cursor may be bound.
    QString fieldName() const;
    void setFieldName(const QString& field);
    int column() const { return m_column; }

private:
    int m_column;
    CursorModel& m_model;
};

// The table view of the grid: Tab and Enter move to the next cell.
class GridView : public QTableView
{
    Q_OBJECT

public:
    using QTableView::QTableView;

protected:
    void keyPressEvent(QKeyEvent* event) override;
};

// The transfer grid: a view over a cursor whose current row is the cursor's
// current row, with its own sorting, a footer of summaries, a navigator with
// the row-movement buttons, header menus, and a layout kept in a file.
class TransferGrid : public QWidget
{
    Q_OBJECT

public:
    struct ColumnSpec
    {
        QString field;
        QString caption;
        int width = 0; // 0: the default width
        bool hidden = false;
    };

    TransferGrid(store::Cursor& cursor, const std::vector<ColumnSpec>& columns,
                 const QString& namePrefix, QWidget* parent = nullptr);

    CursorModel& model() const { return *m_model; }
    GridView& view() const { return *m_view; }
    GridFooter& footer() const { return *m_footer; }
    GridColumn* column(const QString& field) const;

    // Hands the navigator to a layout of the caller's, which shows it in
    // place of the row under the footer.
    QWidget* takeNavigator();
    // Without footer and navigator, for a plain list.
    void setFooterAndNavigatorVisible(bool visible);
    void setEditable(bool editable);
    bool isEditable() const;
    void focusCurrentRow();

    // The layout file: every column's position, width, visibility, caption
    // and sort; written whole whenever a column is moved or resized.
    void setLayoutFile(const QString& path) { m_layoutFile = path; }
    void restoreLayout();
    void saveLayout() const;

signals:
    void layoutSaved();

private:
    void followCursor(int displayRow);
    void moveCursorTo(int displayRow);
    void showHeaderMenu(const QPoint& pos);
    void moveBy(int step); // navigator: -2 first, -1 prior, 1 next, 2 last
    void columnResized(int logical, int oldSize, int newSize);

    CursorModel* m_model;
    GridView* m_view;
    WrappingHeader* m_header;
    GridFooter* m_footer;
    QWidget* m_navigator;
    std::vector<GridColumn*> m_columns;
    std::vector<int> m_widths; // each column's last real width, kept while it is hidden
    QString m_layoutFile;
    bool m_following = false;
    bool m_restoring = false;
};

} // namespace app
