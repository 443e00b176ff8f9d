#include "app/WrappingHeader.h"

#include <QPainter>
#include <QStringList>
#include <QStyleOptionHeader>

namespace app {
namespace {

constexpr int kLines = 2;
constexpr int kMargin = 4;

} // namespace

WrappingHeader::WrappingHeader(QWidget* parent) : QHeaderView(Qt::Horizontal, parent)
{
    setSectionsMovable(true);
    setSectionsClickable(true);
    setHighlightSections(false);
    setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
}

QSize WrappingHeader::sizeHint() const
{
    QSize size = QHeaderView::sizeHint();
    size.setHeight(fontMetrics().lineSpacing() * kLines + 2 * kMargin + 2);
    return size;
}

QString WrappingHeader::wrapped(const QString& text, const QFontMetrics& metrics, int width,
                                int lines)
{
    if (width <= 0)
        return {};
    QStringList result;
    QString line;
    const QStringList words = text.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    for (int i = 0; i < words.size(); ++i) {
        const QString candidate = line.isEmpty() ? words[i] : line + QLatin1Char(' ') + words[i];
        if (metrics.horizontalAdvance(candidate) <= width || line.isEmpty()) {
            line = candidate;
            continue;
        }
        result.push_back(line);
        line = words[i];
        if (result.size() == lines - 1) {
            // The last line takes the rest and is cut where it does not fit.
            line = words.mid(i).join(QLatin1Char(' '));
            break;
        }
    }
    if (!line.isEmpty())
        result.push_back(line);
    for (QString& l : result)
        l = metrics.elidedText(l, Qt::ElideRight, width);
    return result.join(QLatin1Char('\n'));
}

void WrappingHeader::paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const
{
    if (!rect.isValid())
        return;
    QStyleOptionHeader option;
    initStyleOption(&option);
    initStyleOptionForIndex(&option, logicalIndex);
    option.rect = rect;
    const QString text = option.text;
    option.text.clear();
    painter->save();
    style()->drawControl(QStyle::CE_Header, &option, painter, this);
    painter->restore();

    const int arrow = option.sortIndicator != QStyleOptionHeader::None ? 14 : 0;
    const QRect textRect = rect.adjusted(kMargin, kMargin, -kMargin - arrow, -kMargin);
    painter->save();
    painter->setPen(palette().color(QPalette::ButtonText));
    painter->drawText(textRect, Qt::AlignLeft | Qt::AlignVCenter,
                      wrapped(text, fontMetrics(), textRect.width(), kLines));
    painter->restore();
}

} // namespace app
