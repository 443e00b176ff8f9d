#pragma once

#include <QPaintDevice>
#include <QPaintEngine>
#include <QPainter>
#include <QWidget>
#include <vector>

// The texts a widget paints, as it paints them (after any eliding), with
// their boxes in the widget's coordinates: the widget is rendered onto a
// device whose engine keeps the text items and draws nothing.
class PaintedTexts final : public QPaintDevice
{
public:
    struct Text
    {
        QString text;
        QRectF box;
    };

    explicit PaintedTexts(QWidget& widget)
        : m_size(widget.size()), m_dpiX(widget.logicalDpiX()), m_dpiY(widget.logicalDpiY()),
          m_engine(m_texts)
    {
        widget.render(this);
    }

    const std::vector<Text>& texts() const { return m_texts; }
    // The first text painted exactly so, or null.
    const Text* find(const QString& text) const
    {
        for (const Text& t : m_texts) {
            if (t.text == text)
                return &t;
        }
        return nullptr;
    }

    QPaintEngine* paintEngine() const override { return &m_engine; }

protected:
    int metric(PaintDeviceMetric metric) const override
    {
        switch (metric) {
        case PdmWidth:
            return m_size.width();
        case PdmHeight:
            return m_size.height();
        case PdmWidthMM:
            return m_size.width() * 254 / (10 * m_dpiX);
        case PdmHeightMM:
            return m_size.height() * 254 / (10 * m_dpiY);
        case PdmDpiX:
        case PdmPhysicalDpiX:
            return m_dpiX;
        case PdmDpiY:
        case PdmPhysicalDpiY:
            return m_dpiY;
        case PdmDepth:
            return 32;
        case PdmNumColors:
            return 0x7fffffff;
        case PdmDevicePixelRatio:
            return 1;
        case PdmDevicePixelRatioScaled:
            return static_cast<int>(devicePixelRatioFScale());
        default:
            return 0;
        }
    }

private:
    class Engine final : public QPaintEngine
    {
    public:
        explicit Engine(std::vector<Text>& texts) : QPaintEngine(AllFeatures), m_texts(texts) {}

        bool begin(QPaintDevice*) override { return true; }
        bool end() override { return true; }
        void updateState(const QPaintEngineState&) override {}
        void drawPixmap(const QRectF&, const QPixmap&, const QRectF&) override {}
        void drawPath(const QPainterPath&) override {}
        void drawPolygon(const QPointF*, int, PolygonDrawMode) override {}
        void drawTextItem(const QPointF& baseline, const QTextItem& item) override
        {
            const QRectF box(baseline.x(), baseline.y() - item.ascent(), item.width(),
                             item.ascent() + item.descent());
            m_texts.push_back({item.text(), painter()->combinedTransform().mapRect(box)});
        }
        Type type() const override { return User; }

    private:
        std::vector<Text>& m_texts;
    };

    QSize m_size;
    int m_dpiX;
    int m_dpiY;
    std::vector<Text> m_texts;
    mutable Engine m_engine;
};
