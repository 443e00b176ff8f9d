#pragma once

#include <QHeaderView>

namespace app {

// A horizontal header whose captions wrap onto two lines and are cut with
// an ellipsis when even that is too narrow.
class WrappingHeader : public QHeaderView
{
    Q_OBJECT

public:
    explicit WrappingHeader(QWidget* parent = nullptr);
    QSize sizeHint() const override;

    // The text as at most `lines` lines of `width` pixels, the last one cut.
    static QString wrapped(const QString& text, const QFontMetrics& metrics, int width, int lines);

protected:
    void paintSection(QPainter* painter, const QRect& rect, int logicalIndex) const override;
};

} // namespace app
