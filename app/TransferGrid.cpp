#include "app/TransferGrid.h"

#include "app/CursorModel.h"
#include "app/GridCellDelegate.h"
#include "app/WrappingHeader.h"
#include "language/IniFile.h"

#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QScrollBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>

namespace app {
namespace {

QString sortName(Qt::SortOrder order, bool sorted)
{
    if (!sorted)
        return QStringLiteral("0");
    return order == Qt::AscendingOrder ? QStringLiteral("1") : QStringLiteral("2");
}

} // namespace

GridColumn::GridColumn(const QString& name, int column, CursorModel& model, QObject* parent)
    : QObject(parent), m_column(column), m_model(model)
{
    setObjectName(name);
}

QString GridColumn::caption() const
{
    return m_model.headerData(m_column, Qt::Horizontal, Qt::DisplayRole).toString();
}

void GridColumn::setCaption(const QString& caption)
{
    m_model.setCaption(m_column, caption);
}

QString GridColumn::fieldName() const
{
    return QString::fromStdString(
        m_model.cursor().fieldInfo(m_model.fieldIndexOfColumn(m_column)).name);
}

void GridColumn::setFieldName(const QString& field)
{
    m_model.setColumnField(m_column, field);
}

void GridView::keyPressEvent(QKeyEvent* event)
{
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        state() != EditingState) {
        const QModelIndex next = moveCursor(MoveNext, Qt::NoModifier);
        if (next.isValid())
            setCurrentIndex(next);
        event->accept();
        return;
    }
    QTableView::keyPressEvent(event);
}

TransferGrid::TransferGrid(store::Cursor& cursor, const std::vector<ColumnSpec>& columns,
                           const QString& namePrefix, QWidget* parent)
    : QWidget(parent)
{
    QStringList fields;
    for (const ColumnSpec& spec : columns)
        fields << spec.field;
    m_model = new CursorModel(cursor, fields, this);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        m_model->setCaption(static_cast<int>(i), columns[i].caption);
        m_columns.push_back(
            new GridColumn(namePrefix + columns[i].field, static_cast<int>(i), *m_model, this));
    }

    m_view = new GridView(this);
    m_view->setObjectName(namePrefix);
    m_header = new WrappingHeader(m_view);
    m_view->setHorizontalHeader(m_header);
    m_view->setModel(m_model);
    m_view->setItemDelegate(new GridCellDelegate(m_view));
    m_view->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_view->setSelectionMode(QAbstractItemView::SingleSelection);
    m_view->setTabKeyNavigation(true);
    m_view->setSortingEnabled(true);
    m_view->verticalHeader()->setDefaultSectionSize(m_view->fontMetrics().height() + 6);
    m_view->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    m_view->verticalHeader()->setFixedWidth(16);
    m_view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_header->setContextMenuPolicy(Qt::CustomContextMenu);
    for (std::size_t i = 0; i < columns.size(); ++i) {
        if (columns[i].width > 0)
            m_view->setColumnWidth(static_cast<int>(i), columns[i].width);
        m_widths.push_back(m_header->sectionSize(static_cast<int>(i)));
        m_view->setColumnHidden(static_cast<int>(i), columns[i].hidden);
    }

    m_footer = new GridFooter(*m_model, *m_header, this);

    auto* navigator = m_navigator = new QWidget(this);
    navigator->setObjectName(namePrefix + QStringLiteral("Navigator"));
    auto* navigation = new QHBoxLayout(navigator);
    navigation->setContentsMargins(0, 0, 0, 0);
    navigation->setSpacing(1);
    const struct
    {
        const char* name;
        QString text;
        int step;
    } buttons[] = {{"First", QStringLiteral("|◀"), -2},
                   {"Prior", QStringLiteral("◀"), -1},
                   {"Next", QStringLiteral("▶"), 1},
                   {"Last", QStringLiteral("▶|"), 2}};
    for (const auto& b : buttons) {
        auto* button = new QToolButton(navigator);
        button->setObjectName(namePrefix + QLatin1String(b.name));
        button->setText(b.text);
        button->setAutoRaise(true);
        const int step = b.step;
        connect(button, &QToolButton::clicked, this, [this, step] { moveBy(step); });
        navigation->addWidget(button);
    }
    navigation->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_footer);
    layout->addWidget(navigator);

    connect(m_view->horizontalScrollBar(), &QScrollBar::valueChanged, m_footer,
            qOverload<>(&QWidget::update));
    connect(m_view->selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) { moveCursorTo(current.row()); });
    connect(m_model, &CursorModel::currentRowMoved, this, &TransferGrid::followCursor);
    connect(m_model, &QAbstractItemModel::modelReset, this,
            [this] { followCursor(m_model->displayRow(m_model->cursor().currentRow())); });
    connect(m_model, &QAbstractItemModel::layoutChanged, this,
            [this] { followCursor(m_model->displayRow(m_model->cursor().currentRow())); });
    connect(m_header, &QHeaderView::sectionMoved, this, [this] { saveLayout(); });
    connect(m_header, &QHeaderView::sectionResized, this, &TransferGrid::columnResized);
    connect(m_header, &QWidget::customContextMenuRequested, this, &TransferGrid::showHeaderMenu);
}

GridColumn* TransferGrid::column(const QString& field) const
{
    const int index = m_model->columnOfField(field);
    return index < 0 ? nullptr : m_columns[static_cast<std::size_t>(index)];
}

QWidget* TransferGrid::takeNavigator()
{
    layout()->removeWidget(m_navigator);
    return m_navigator;
}

void TransferGrid::setFooterAndNavigatorVisible(bool visible)
{
    m_footer->setVisible(visible);
    m_navigator->setVisible(visible);
}

void TransferGrid::setEditable(bool editable)
{
    m_model->setEditable(editable);
    m_view->setEditTriggers(
        editable ? QAbstractItemView::DoubleClicked | QAbstractItemView::EditKeyPressed |
                       QAbstractItemView::AnyKeyPressed | QAbstractItemView::SelectedClicked
                 : QAbstractItemView::NoEditTriggers);
}

bool TransferGrid::isEditable() const
{
    return m_model->isEditable();
}

void TransferGrid::focusCurrentRow()
{
    followCursor(m_model->displayRow(m_model->cursor().currentRow()));
    m_view->setFocus();
}

void TransferGrid::followCursor(int displayRow)
{
    if (m_following)
        return;
    m_following = true;
    const int column = std::max(m_view->currentIndex().column(), 0);
    const QModelIndex index = m_model->index(displayRow, column);
    if (index.isValid()) {
        m_view->selectionModel()->setCurrentIndex(index, QItemSelectionModel::ClearAndSelect |
                                                             QItemSelectionModel::Rows);
        m_view->scrollTo(index);
    } else {
        m_view->selectionModel()->clearCurrentIndex();
    }
    m_following = false;
}

void TransferGrid::moveCursorTo(int displayRow)
{
    if (m_following || displayRow < 0)
        return;
    m_following = true;
    try {
        m_model->cursor().moveTo(m_model->cursorRow(displayRow));
    } catch (...) {
        m_following = false;
        throw;
    }
    m_following = false;
}

void TransferGrid::moveBy(int step)
{
    const int rows = m_model->rowCount();
    if (rows == 0)
        return;
    const int current = m_model->displayRow(m_model->cursor().currentRow());
    const int target = step == -2  ? 0
                       : step == 2 ? rows - 1
                                   : std::clamp(current + step, 0, rows - 1);
    moveCursorTo(target);
    followCursor(m_model->displayRow(m_model->cursor().currentRow()));
}

void TransferGrid::showHeaderMenu(const QPoint& pos)
{
    const int logical = m_header->logicalIndexAt(pos);
    QMenu menu(this);
    if (logical >= 0) {
        menu.addAction(tr("Sort Ascending"), this,
                       [this, logical] { m_view->sortByColumn(logical, Qt::AscendingOrder); });
        menu.addAction(tr("Sort Descending"), this,
                       [this, logical] { m_view->sortByColumn(logical, Qt::DescendingOrder); });
        menu.addAction(tr("Clear Sorting"), this, [this] {
            m_header->setSortIndicator(-1, Qt::AscendingOrder);
            m_model->clearSort();
        });
        menu.addSeparator();
    }
    QMenu* chooser = menu.addMenu(tr("Column Chooser"));
    for (int c = 0; c < m_model->columnCount(); ++c) {
        QAction* action =
            chooser->addAction(m_model->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString());
        action->setCheckable(true);
        action->setChecked(!m_view->isColumnHidden(c));
        connect(action, &QAction::toggled, this, [this, c](bool shown) {
            m_view->setColumnHidden(c, !shown);
            saveLayout();
        });
    }
    menu.exec(m_header->mapToGlobal(pos));
}

// Hiding and showing a column resize it to and from 0, and so does the
// header when it rebuilds its sections after the rows were sorted: it
// re-hides a hidden column with a resize to 0 before marking it hidden. Only
// a change between two real widths is a resize of the user's.
void TransferGrid::columnResized(int logical, int oldSize, int newSize)
{
    if (newSize > 0)
        m_widths[static_cast<std::size_t>(logical)] = newSize;
    if (oldSize > 0 && newSize > 0)
        saveLayout();
}

void TransferGrid::saveLayout() const
{
    if (m_restoring || m_layoutFile.isEmpty())
        return;
    language::IniFile ini;
    const std::string view = m_view->objectName().toStdString();
    ini.setValue(view, "GroupByBox", "0");
    ini.setValue(view, "NewItemRow", "0");
    for (const GridColumn* c : m_columns) {
        const std::string section = c->objectName().toStdString();
        const int logical = c->column();
        const bool sorted = m_model->sortColumn() == logical;
        ini.setValue(section, "Index", std::to_string(m_header->visualIndex(logical)));
        const bool hidden = m_header->isSectionHidden(logical);
        // The header gives a hidden column the size 0; the file keeps its
        // width for when it is shown again.
        const int width =
            hidden ? m_widths[static_cast<std::size_t>(logical)] : m_header->sectionSize(logical);
        ini.setValue(section, "Width", std::to_string(width));
        ini.setValue(section, "Visible", hidden ? "0" : "1");
        ini.setValue(section, "Caption", c->caption().toStdString());
        ini.setValue(section, "SortOrder", sortName(m_model->sortOrder(), sorted).toStdString());
        ini.setValue(section, "SortIndex", sorted ? "0" : "-1");
        ini.setValue(section, "GroupIndex", "-1");
    }
    ini.save(m_layoutFile.toStdString());
}

void TransferGrid::restoreLayout()
{
    language::IniFile ini;
    if (m_layoutFile.isEmpty() || !ini.load(m_layoutFile.toStdString()))
        return;
    m_restoring = true;
    // Only columns the grid has are changed, in the order of their stored index.
    std::vector<std::pair<int, int>> positions; // stored index, logical column
    for (const GridColumn* c : m_columns) {
        const std::string section = c->objectName().toStdString();
        if (!ini.hasSection(section))
            continue;
        const int logical = c->column();
        const QString index = QString::fromStdString(ini.value(section, "Index", ""));
        if (!index.isEmpty())
            positions.emplace_back(index.toInt(), logical);
        const std::string width = ini.value(section, "Width", "");
        if (const int pixels = QString::fromStdString(width).toInt(); pixels > 0) {
            m_header->resizeSection(logical, pixels);
            m_widths[static_cast<std::size_t>(logical)] = pixels; // also while hidden
        }
        // A visible column of width 0 is a hidden one as an earlier version
        // stored it when sorting rebuilt the header.
        const std::string visible = ini.value(section, "Visible", "");
        if (visible == "0" || width == "0")
            m_view->setColumnHidden(logical, true);
        else if (!visible.empty())
            m_view->setColumnHidden(logical, false);
        if (const auto caption = ini.value(section, "Caption"))
            m_model->setCaption(logical, QString::fromStdString(*caption));
        const std::string order = ini.value(section, "SortOrder", "0");
        if (order == "1" || order == "2")
            m_view->sortByColumn(logical, order == "1" ? Qt::AscendingOrder : Qt::DescendingOrder);
    }
    std::sort(positions.begin(), positions.end());
    for (const auto& [index, logical] : positions) {
        const int target = std::clamp(index, 0, m_header->count() - 1);
        m_header->moveSection(m_header->visualIndex(logical), target);
    }
    m_restoring = false;
}

} // namespace app
