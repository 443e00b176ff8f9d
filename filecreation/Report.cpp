#include "filecreation/Report.h"

#include "filecreation/DisplayFormat.h"
#include "filecreation/ReportError.h"
#include "filecreation/ReportPipeline.h"
#include "store/Money.h"

#include <QDateTime>
#include <QFile>
#include <QFontMetricsF>
#include <QLocale>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QSaveFile>

namespace filecreation {

struct Report::Context
{
    double dotsPerMm = 1;
    double left = 0; // the page's left margin, millimetres
    double top = 0;  // the top of the printable area, millimetres
    int records = 0;

    QRectF rect(double x, double y, double width, double height) const
    {
        return {(left + x) * dotsPerMm, (top + y) * dotsPerMm, width * dotsPerMm,
                height * dotsPerMm};
    }
};

namespace {

QFont fontOf(const FontSpec& spec)
{
    QFont font(spec.family);
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(spec.size);
    font.setBold(spec.bold);
    font.setItalic(spec.italic);
    return font;
}

QPageSize pageSizeOf(const ReportTemplate& t)
{
    if (t.paper == QLatin1String("Letter"))
        return QPageSize(QPageSize::Letter);
    if (t.paper == QLatin1String("Legal"))
        return QPageSize(QPageSize::Legal);
    if (t.paper == QLatin1String("A5"))
        return QPageSize(QPageSize::A5);
    if (t.paper == QLatin1String("custom"))
        return QPageSize(QSizeF(t.paperWidth, t.paperHeight), QPageSize::Millimeter);
    return QPageSize(QPageSize::A4);
}

} // namespace

void Report::load(const QString& templatePath)
{
    m_layout = ReportTemplate::load(templatePath);
    m_path = templatePath;
}

void Report::setCaption(const QString& labelName, const QString& text)
{
    for (ReportBand* band : {&m_layout.title, &m_layout.pageHeader, &m_layout.detail,
                             &m_layout.summary, &m_layout.pageFooter}) {
        for (ReportItem& item : band->items) {
            if (item.kind == ReportItem::Kind::Label && item.name == labelName)
                item.text = text;
        }
    }
}

QString Report::caption(const QString& labelName) const
{
    for (const ReportBand* band : {&m_layout.title, &m_layout.pageHeader, &m_layout.detail,
                                   &m_layout.summary, &m_layout.pageFooter}) {
        for (const ReportItem& item : band->items) {
            if (item.kind == ReportItem::Kind::Label && item.name == labelName)
                return item.text;
        }
    }
    return {};
}

void Report::setPipeline(const QString& name, const ReportPipeline* pipeline)
{
    m_pipelines.insert(name, pipeline);
}

const ReportPipeline* Report::pipeline(const QString& name) const
{
    const ReportPipeline* found = m_pipelines.value(name);
    if (!found)
        throw ReportError(
            QStringLiteral("Die Berichtsvorlage %1 nennt die unbekannte Datenquelle %2.")
                .arg(m_path, name)
                .toStdString());
    return found;
}

QString Report::itemText(const ReportItem& item, int record, int page) const
{
    const QLocale locale;
    switch (item.kind) {
    case ReportItem::Kind::Label:
        return item.text;
    case ReportItem::Kind::Field: {
        const ReportPipeline* source = pipeline(item.pipeline);
        const bool main = item.pipeline == m_layout.mainPipeline;
        const int at = main ? record : 0;
        if (at < 0 || at >= source->recordCount())
            return {};
        return formatValue(source->value(at, item.field), source->type(item.field), item.format);
    }
    case ReportItem::Kind::Count: {
        const auto it = m_pipelines.constFind(m_layout.mainPipeline);
        const int count = it == m_pipelines.constEnd() ? 0 : it.value()->recordCount();
        return item.format.isEmpty() ? QString::number(count) : formatNumber(count, item.format);
    }
    case ReportItem::Kind::Sum: {
        const ReportPipeline* source = pipeline(m_layout.mainPipeline);
        const store::FieldType type = source->type(item.field);
        double sum = 0;
        if (type == store::FieldType::Currency) {
            // Amounts add up exactly in whole units of 1/10,000.
            store::Money amounts;
            for (int r = 0; r < source->recordCount(); ++r)
                amounts += store::valueAsMoney(source->value(r, item.field), type);
            sum = amounts.toDouble();
        } else {
            for (int r = 0; r < source->recordCount(); ++r)
                sum += store::valueAsFloat(source->value(r, item.field), type);
        }
        return formatNumber(sum, item.format.isEmpty() ? QStringLiteral("#,0.00") : item.format);
    }
    case ReportItem::Kind::PrintDate: {
        const QDateTime when = QDateTime::currentDateTime();
        return item.format.isEmpty() ? locale.toString(when, QLocale::ShortFormat)
                                     : locale.toString(when, item.format);
    }
    case ReportItem::Kind::PageNumber:
        return m_pageWord + QLatin1Char(' ') + QString::number(page);
    case ReportItem::Kind::CheckBox:
    case ReportItem::Kind::Line:
        return {};
    }
    return {};
}

void Report::drawItem(QPainter& painter, const Context& c, const ReportItem& item, double top,
                      int record, int page) const
{
    if (item.kind == ReportItem::Kind::Line) {
        QPen pen(item.colour);
        pen.setWidthF(item.weight / 72.0 * 25.4 * c.dotsPerMm); // points to device units
        pen.setCapStyle(Qt::FlatCap);
        painter.setPen(pen);
        const QRectF r = c.rect(item.x, top + item.y, item.width, item.height);
        if (item.vertical)
            painter.drawLine(QPointF(r.left(), r.top()),
                             QPointF(r.left(), r.top() + item.height * c.dotsPerMm));
        else
            painter.drawLine(QPointF(r.left(), r.top()),
                             QPointF(r.left() + item.width * c.dotsPerMm, r.top()));
        return;
    }
    if (item.kind == ReportItem::Kind::CheckBox) {
        bool ticked = false;
        if (!item.field.isEmpty()) {
            const ReportPipeline* source =
                pipeline(item.pipeline.isEmpty() ? m_layout.mainPipeline : item.pipeline);
            const int at = item.pipeline == m_layout.mainPipeline ? record : 0;
            if (at >= 0 && at < source->recordCount())
                ticked =
                    store::valueAsBoolean(source->value(at, item.field), store::FieldType::Boolean);
        }
        const double size =
            std::min(item.width > 0 ? item.width : 4.0, item.height > 0 ? item.height : 4.0);
        const QRectF box = c.rect(item.x, top + item.y, size, size);
        QPen pen(Qt::black);
        pen.setWidthF(0.25 * c.dotsPerMm);
        painter.setPen(pen);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(box);
        if (ticked) {
            pen.setWidthF(0.4 * c.dotsPerMm);
            painter.setPen(pen);
            const QRectF in = box.adjusted(box.width() * 0.2, box.height() * 0.2,
                                           -box.width() * 0.2, -box.height() * 0.2);
            painter.drawLine(in.topLeft(), in.bottomRight());
            painter.drawLine(in.topRight(), in.bottomLeft());
        }
        return;
    }

    const QString text = itemText(item, record, page);
    const QFont font = fontOf(item.font);
    painter.setFont(font);
    painter.setPen(item.colour);
    const QFontMetricsF metrics(font, painter.device());
    const double width =
        item.width > 0 ? item.width : metrics.horizontalAdvance(text) / c.dotsPerMm + 0.5;
    const double height = item.height > 0 ? item.height : metrics.height() / c.dotsPerMm;
    painter.drawText(c.rect(item.x, top + item.y, width, height),
                     static_cast<int>(item.alignment | Qt::AlignTop | Qt::TextSingleLine |
                                      (item.clip ? 0 : Qt::TextDontClip)),
                     text);
}

void Report::drawBand(QPainter& painter, const Context& c, const ReportBand& band, double top,
                      int record, int page) const
{
    for (const ReportItem& item : band.items)
        drawItem(painter, c, item, top, record, page);
}

void Report::preparePage(QPagedPaintDevice& device) const
{
    device.setPageLayout(QPageLayout(
        pageSizeOf(m_layout), m_layout.landscape ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(0, 0, 0, 0), QPageLayout::Millimeter));
}

int Report::render(QPagedPaintDevice& device) const
{
    QPainter painter;
    if (!painter.begin(&device))
        throw ReportError(
            QStringLiteral("Der Bericht %1 kann nicht gedruckt werden.").arg(m_path).toStdString());

    const QSizeF paper = device.pageLayout().fullRect(QPageLayout::Millimeter).size();
    Context c;
    c.dotsPerMm = device.logicalDpiX() / 25.4;
    c.left = m_layout.marginLeft;
    c.top = m_layout.marginTop;
    const double printable = paper.height() - m_layout.marginTop - m_layout.marginBottom;
    const double footerTop =
        printable - (m_layout.pageFooter.present ? m_layout.pageFooter.height : 0);
    const auto it = m_pipelines.constFind(m_layout.mainPipeline);
    c.records = it == m_pipelines.constEnd() ? 0 : it.value()->recordCount();

    int page = 1;
    double y = 0;
    bool pageEmpty = true; // a band taller than a page still gets one of its own
    const auto startPage = [&] {
        y = 0;
        pageEmpty = true;
        if (page == 1 && m_layout.title.present) {
            drawBand(painter, c, m_layout.title, y, -1, page);
            y += m_layout.title.height;
        }
        if (m_layout.pageHeader.present) {
            drawBand(painter, c, m_layout.pageHeader, y, -1, page);
            y += m_layout.pageHeader.height;
        }
    };
    const auto endPage = [&] {
        if (m_layout.pageFooter.present)
            drawBand(painter, c, m_layout.pageFooter, footerTop, -1, page);
    };
    const auto needRoom = [&](double height) {
        if (y + height <= footerTop + 1e-9 || pageEmpty)
            return;
        endPage();
        device.newPage();
        ++page;
        startPage();
    };

    try {
        startPage();
        if (m_layout.detail.present) {
            for (int record = 0; record < c.records; ++record) {
                needRoom(m_layout.detail.height);
                drawBand(painter, c, m_layout.detail, y, record, page);
                y += m_layout.detail.height;
                pageEmpty = false;
            }
        }
        if (m_layout.summary.present) {
            needRoom(m_layout.summary.height);
            drawBand(painter, c, m_layout.summary, y, -1, page);
            y += m_layout.summary.height;
        }
        endPage();
    } catch (...) {
        painter.end();
        throw;
    }
    painter.end();
    return page;
}

void Report::writePdf(const QString& path) const
{
    // QSaveFile writes beside the name and renames only a file whose every
    // write succeeded: a full disk or a failed printing leaves no cut PDF, and
    // an older file of that name stays as it was.
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        throw ReportError(QStringLiteral("Die Datei %1 kann nicht geschrieben werden: %2")
                              .arg(path, file.errorString())
                              .toStdString());
    {
        QPdfWriter writer(&file);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Tarvion"));
        preparePage(writer);
        try {
            render(writer);
        } catch (...) {
            file.cancelWriting();
            throw;
        }
    }
    if (!file.commit())
        throw ReportError(
            QStringLiteral("Die Datei %1 konnte nicht vollständig geschrieben werden: %2")
                .arg(path, file.errorString())
                .toStdString());
}

} // namespace filecreation
