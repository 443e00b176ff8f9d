#pragma once

#include <QMap>
#include <QWidget>

class QHeaderView;

namespace app {

class CursorModel;

// The footer under a grid: a summary of chosen columns, each drawn under
// its column, following moves, resizes and horizontal scrolling. A number is
// never cut: one wider than its column runs on to the left over the
// neighbouring cells. Its context menu chooses the kind of a column's summary.
class GridFooter : public QWidget
{
    Q_OBJECT

public:
    enum class Summary
    {
        None,
        Sum,
        Min,
        Max,
        Count,
        Average,
    };

    GridFooter(CursorModel& model, QHeaderView& header, QWidget* parent = nullptr);

    void setSummary(int column, Summary summary);
    Summary summary(int column) const { return m_summaries.value(column, Summary::None); }
    // The text shown under a column, as the footer computes it now.
    QString textOf(int column) const;

    QSize sizeHint() const override;

public slots:
    void recompute();

protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

private:
    // Where each visible text is drawn: right-aligned in its column, or
    // further left where it is wider than the column or meets the text to
    // its right; moved right only where it would leave the footer.
    QMap<int, QRect> textPlaces() const;

    CursorModel& m_model;
    QHeaderView& m_header;
    QMap<int, Summary> m_summaries;
    QMap<int, QString> m_texts;
};

} // namespace app
