#include "app/GridFooter.h"

#include "app/CursorModel.h"

#include <QContextMenuEvent>
#include <QHeaderView>
#include <QLocale>
#include <QMenu>
#include <QPainter>
#include <QStyleOptionFrame>
#include <algorithm>
#include <limits>
#include <vector>

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

QMap<int, QRect> GridFooter::textPlaces() const
{
    constexpr int kPadding = 3;
    constexpr int kGap = 6; // between two texts that meet
    struct Place
    {
        int column;
        int right; // the right edge of its cell
        int width;
    };
    std::vector<Place> places;
    const int offset = m_header.geometry().left();
    for (auto it = m_texts.cbegin(); it != m_texts.cend(); ++it) {
        if (m_header.isSectionHidden(it.key()))
            continue;
        const int right = offset + m_header.sectionViewportPosition(it.key()) +
                          m_header.sectionSize(it.key()) - kPadding;
        if (right <= offset)
            continue; // scrolled out of sight
        places.push_back({it.key(), right, fontMetrics().horizontalAdvance(it.value())});
    }
    std::sort(places.begin(), places.end(),
              [](const Place& a, const Place& b) { return a.right < b.right; });

    std::vector<int> lefts(places.size());
    int limit = std::numeric_limits<int>::max();
    for (std::size_t i = places.size(); i-- > 0;) {
        lefts[i] = std::min(places[i].right, limit) - places[i].width;
        limit = lefts[i] - kGap;
    }
    int least = kPadding;
    QMap<int, QRect> result;
    for (std::size_t i = 0; i < places.size(); ++i) {
        const int left = std::max(lefts[i], least);
        result.insert(places[i].column, QRect(left, 0, places[i].width, height()));
        least = left + places[i].width + kGap;
    }
    return result;
}

void GridFooter::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Button));
    painter.setPen(palette().color(QPalette::Mid));
    painter.drawLine(rect().topLeft(), rect().topRight());
    painter.setPen(palette().color(QPalette::ButtonText));
    const QMap<int, QRect> places = textPlaces();
    for (auto it = places.cbegin(); it != places.cend(); ++it)
        painter.drawText(it.value(), Qt::AlignRight | Qt::AlignVCenter | Qt::TextDontClip,
                         m_texts.value(it.key()));
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
