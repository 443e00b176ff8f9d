#include "app/GridFooter.h"

#include "app/CursorModel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionFrame>

namespace app {

GridFooter::GridFooter(CursorModel& model, QHeaderView& header, QWidget* parent)
    : QWidget(parent), m_model(model), m_header(header)
{
    setObjectName(QStringLiteral("GridFooter"));
    connect(&model, &CursorModel::valuesChanged, this, &GridFooter::recompute);
    connect(&model, &QAbstractItemModel::modelReset, this, &GridFooter::recompute);
    connect(&header, &QHeaderView::sectionResized, this, [this] { update(); });
    connect(&header, &QHeaderView::sectionMoved, this, [this] { update(); });
    connect(&header, &QHeaderView::geometriesChanged, this, [this] { update(); });
}

QSize GridFooter::sizeHint() const
{
    return {100, fontMetrics().height() + 8};
}

void GridFooter::setSummary(int column, Summary summary)
{
    m_summaries[column] = summary;
    recompute();
}

QString GridFooter::textOf(int column) const
{
    return m_texts.value(column);
}

void GridFooter::recompute()
{
    m_texts.clear();
    store::Cursor& cursor = m_model.cursor();
    if (cursor.isOpen()) {
        const QLocale locale;
        for (auto it = m_summaries.cbegin(); it != m_summaries.cend(); ++it) {
            if (it.value() == Summary::None)
                continue;
            if (it.value() == Summary::Count) {
                m_texts[it.key()] = locale.toString(cursor.recordCount());
                continue;
            }
            const store::Cursor::Summary s = cursor.summarize(m_model.fieldIndexOfColumn(it.key()));
            double value = 0;
            switch (it.value()) {
            case Summary::Sum:
                value = s.sum;
                break;
            case Summary::Min:
                value = s.min;
                break;
            case Summary::Max:
                value = s.max;
                break;
            case Summary::Average:
                value = s.values ? s.sum / static_cast<double>(s.values) : 0;
                break;
            default:
                break;
            }
            m_texts[it.key()] = locale.toString(value, 'f', 2);
        }
    }
    update();
}

void GridFooter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(rect().topLeft(), rect().topRight());
    painter.setPen(palette().color(QPalette::ButtonText));
    const int offset = m_header.geometry().left();
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        if (m_header.isSectionHidden(it.key()))
            continue;
        const int x = offset + m_header.sectionViewportPosition(it.key());
        const QRect cell(x + 3, 0, m_header.sectionSize(it.key()) - 6, height());
        painter.drawText(cell, Qt::AlignRight | Qt::AlignVCenter,
                         fontMetrics().elidedText(it.value(), Qt::ElideRight, cell.width()));
    }
}

void GridFooter::contextMenuEvent(QContextMenuEvent* event)
{
    const int column = m_header.logicalIndexAt(event->pos().x() - m_header.geometry().left());
    if (column < 0)
        return;
    QMenu menu(this);
    const struct
    {
        Summary kind;
        QString text;
    } kinds[] = {
        {Summary::Sum, tr("Sum")},         {Summary::Min, tr("Min")},
        {Summary::Max, tr("Max")},         {Summary::Count, tr("Count")},
        {Summary::Average, tr("Average")}, {Summary::None, tr("None")},
    };
    for (const auto& kind : kinds) {
        QAction* action = menu.addAction(kind.text);
        action->setCheckable(true);
        action->setChecked(summary(column) == kind.kind);
        const Summary chosen = kind.kind;
        connect(action, &QAction::triggered, this,
                [this, column, chosen] { setSummary(column, chosen); });
    }
    menu.exec(event->globalPos());
}

} // namespace app
