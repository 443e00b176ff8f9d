#include "filecreation/ReportTemplate.h"

#include "filecreation/ReportError.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <cmath>

namespace filecreation {
namespace {

// Millimetres: no paper, margin or item of a report comes near ten metres.
constexpr double kLargestMeasure = 10000;
constexpr double kLargestFontSize = 1000; // points
// The delivered templates hold some kilobytes.
constexpr qint64 kLargestTemplate = 1024 * 1024;

class Reader
{
public:
    explicit Reader(QString fileName) : m_file(std::move(fileName)) {}

    [[noreturn]] void fail(const QString& fault) const
    {
        throw ReportError(QStringLiteral("Die Berichtsvorlage %1 ist fehlerhaft: %2")
                              .arg(m_file, fault)
                              .toStdString());
    }

    double number(const QJsonObject& o, const char* key, double fallback, const QString& where,
                  double largest = kLargestMeasure) const
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (v.isUndefined())
            return fallback;
        if (!v.isDouble())
            fail(QStringLiteral("%1: \"%2\" muss eine Zahl sein").arg(where, QLatin1String(key)));
        const double number = v.toDouble();
        // Far larger values are damage; they would overflow the device's coordinates.
        if (!std::isfinite(number) || std::fabs(number) > largest)
            fail(QStringLiteral("%1: \"%2\" muss zwischen -%3 und %3 liegen")
                     .arg(where, QLatin1String(key))
                     .arg(largest));
        return number;
    }

    QString text(const QJsonObject& o, const char* key, const QString& where) const
    {
        const QJsonValue v = o.value(QLatin1String(key));
        if (!v.isUndefined() && !v.isString())
            fail(QStringLiteral("%1: \"%2\" muss ein Text sein").arg(where, QLatin1String(key)));
        return v.toString();
    }

    FontSpec font(const QJsonValue& value, FontSpec base, const QString& where) const
    {
        if (value.isUndefined())
            return base;
        if (!value.isObject())
            fail(QStringLiteral("%1: \"font\" muss ein Objekt sein").arg(where));
        const QJsonObject o = value.toObject();
        if (o.contains(QStringLiteral("family")))
            base.family = text(o, "family", where);
        base.size = number(o, "size", base.size, where, kLargestFontSize);
        if (o.contains(QStringLiteral("bold")))
            base.bold = o.value(QStringLiteral("bold")).toBool();
        if (o.contains(QStringLiteral("italic")))
            base.italic = o.value(QStringLiteral("italic")).toBool();
        if (base.size <= 0)
            fail(QStringLiteral("%1: die Schriftgröße muss größer als 0 sein").arg(where));
        return base;
    }

    ReportItem item(const QJsonValue& value, const FontSpec& bandFont, const QString& where) const
    {
        if (!value.isObject())
            fail(QStringLiteral("%1: ein Element muss ein Objekt sein").arg(where));
        const QJsonObject o = value.toObject();
        static const struct
        {
            const char* name;
            ReportItem::Kind kind;
        } kinds[] = {
            {"label", ReportItem::Kind::Label},
            {"field", ReportItem::Kind::Field},
            {"checkbox", ReportItem::Kind::CheckBox},
            {"count", ReportItem::Kind::Count},
            {"sum", ReportItem::Kind::Sum},
            {"printDate", ReportItem::Kind::PrintDate},
            {"pageNumber", ReportItem::Kind::PageNumber},
            {"line", ReportItem::Kind::Line},
        };
        ReportItem item;
        const QString type = text(o, "type", where);
        bool known = false;
        for (const auto& k : kinds) {
            if (type == QLatin1String(k.name)) {
                item.kind = k.kind;
                known = true;
            }
        }
        if (!known)
            fail(QStringLiteral("%1: unbekannte Elementart \"%2\"").arg(where, type));
        item.name = text(o, "name", where);
        item.text = text(o, "text", where);
        item.pipeline = text(o, "pipeline", where);
        item.field = text(o, "field", where);
        item.format = text(o, "format", where);
        item.x = number(o, "x", 0, where);
        item.y = number(o, "y", 0, where);
        item.width = number(o, "width", 0, where);
        item.height = number(o, "height", 0, where);
        item.weight = number(o, "weight", 0.75, where);
        item.vertical = o.value(QStringLiteral("vertical")).toBool();
        item.clip = o.value(QStringLiteral("clip")).toBool(true);
        item.font = font(o.value(QStringLiteral("font")), bandFont, where);
        const QString align = text(o, "align", where);
        if (align == QLatin1String("right"))
            item.alignment = Qt::AlignRight;
        else if (align == QLatin1String("center"))
            item.alignment = Qt::AlignHCenter;
        else if (!align.isEmpty() && align != QLatin1String("left"))
            fail(QStringLiteral("%1: \"align\" ist left, right oder center").arg(where));
        if (o.contains(QStringLiteral("colour"))) {
            item.colour = QColor(text(o, "colour", where));
            if (!item.colour.isValid())
                fail(QStringLiteral("%1: unbekannte Farbe").arg(where));
        }
        const bool needsField =
            item.kind == ReportItem::Kind::Field || item.kind == ReportItem::Kind::Sum;
        if (needsField && item.field.isEmpty())
            fail(QStringLiteral("%1: \"field\" fehlt").arg(where));
        if (item.kind == ReportItem::Kind::Field && item.pipeline.isEmpty())
            fail(QStringLiteral("%1: \"pipeline\" fehlt").arg(where));
        return item;
    }

    ReportBand band(const QJsonObject& bands, const char* key, const FontSpec& reportFont) const
    {
        ReportBand band;
        const QJsonValue value = bands.value(QLatin1String(key));
        if (value.isUndefined())
            return band;
        const QString where = QStringLiteral("Band \"%1\"").arg(QLatin1String(key));
        if (!value.isObject())
            fail(QStringLiteral("%1 muss ein Objekt sein").arg(where));
        const QJsonObject o = value.toObject();
        band.present = true;
        band.height = number(o, "height", 0, where);
        if (band.height <= 0)
            fail(QStringLiteral("%1: \"height\" muss größer als 0 sein").arg(where));
        const FontSpec bandFont = font(o.value(QStringLiteral("font")), reportFont, where);
        const QJsonArray items = o.value(QStringLiteral("items")).toArray();
        for (int i = 0; i < items.size(); ++i)
            band.items.push_back(
                item(items[i], bandFont, QStringLiteral("%1, Element %2").arg(where).arg(i + 1)));
        return band;
    }

private:
    QString m_file;
};

} // namespace

ReportTemplate ReportTemplate::load(const QString& path)
{
    QFile file(path);
    const QString name = QFileInfo(path).fileName();
    if (!file.exists())
        throw ReportError(QStringLiteral("Die Berichtsvorlage %1 fehlt.").arg(path).toStdString());
    if (!file.open(QIODevice::ReadOnly))
        throw ReportError(QStringLiteral("Die Berichtsvorlage %1 kann nicht gelesen werden: %2")
                              .arg(path, file.errorString())
                              .toStdString());
    const QByteArray json = file.read(kLargestTemplate + 1);
    if (json.size() > kLargestTemplate)
        throw ReportError(
            QStringLiteral("Die Berichtsvorlage %1 ist fehlerhaft: sie ist größer als 1 MB.")
                .arg(path)
                .toStdString());
    return parse(json, path);
}

ReportTemplate ReportTemplate::parse(const QByteArray& json, const QString& fileName)
{
    const Reader reader(fileName);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    if (error.error != QJsonParseError::NoError)
        reader.fail(QStringLiteral("%1 bei Zeichen %2").arg(error.errorString()).arg(error.offset));
    if (!document.isObject())
        reader.fail(QStringLiteral("die Vorlage muss ein JSON-Objekt sein"));
    const QJsonObject root = document.object();

    ReportTemplate t;
    const QJsonObject page = root.value(QStringLiteral("page")).toObject();
    t.paper = page.value(QStringLiteral("paper")).toString(t.paper);
    t.paperWidth = reader.number(page, "width", 0, QStringLiteral("Seite"));
    t.paperHeight = reader.number(page, "height", 0, QStringLiteral("Seite"));
    const QString orientation =
        page.value(QStringLiteral("orientation")).toString(QStringLiteral("portrait"));
    if (orientation != QLatin1String("portrait") && orientation != QLatin1String("landscape"))
        reader.fail(QStringLiteral("Seite: \"orientation\" ist portrait oder landscape"));
    t.landscape = orientation == QLatin1String("landscape");
    const QJsonObject margins = page.value(QStringLiteral("margins")).toObject();
    t.marginLeft = reader.number(margins, "left", t.marginLeft, QStringLiteral("Ränder"));
    t.marginTop = reader.number(margins, "top", t.marginTop, QStringLiteral("Ränder"));
    t.marginRight = reader.number(margins, "right", t.marginRight, QStringLiteral("Ränder"));
    t.marginBottom = reader.number(margins, "bottom", t.marginBottom, QStringLiteral("Ränder"));
    static const QStringList papers{QStringLiteral("A4"), QStringLiteral("A5"),
                                    QStringLiteral("Letter"), QStringLiteral("Legal"),
                                    QStringLiteral("custom")};
    if (!papers.contains(t.paper))
        reader.fail(QStringLiteral("Seite: unbekanntes Papierformat \"%1\"").arg(t.paper));
    if (t.paper == QLatin1String("custom") && (t.paperWidth <= 0 || t.paperHeight <= 0))
        reader.fail(QStringLiteral("Seite: ein eigenes Format braucht \"width\" und \"height\""));
    if (root.contains(QStringLiteral("mainPipeline")))
        t.mainPipeline = root.value(QStringLiteral("mainPipeline")).toString();

    FontSpec reportFont =
        reader.font(root.value(QStringLiteral("font")), FontSpec{}, QStringLiteral("Bericht"));
    const QJsonObject bands = root.value(QStringLiteral("bands")).toObject();
    t.title = reader.band(bands, "title", reportFont);
    t.pageHeader = reader.band(bands, "pageHeader", reportFont);
    t.detail = reader.band(bands, "detail", reportFont);
    t.summary = reader.band(bands, "summary", reportFont);
    t.pageFooter = reader.band(bands, "pageFooter", reportFont);
    return t;
}

} // namespace filecreation
