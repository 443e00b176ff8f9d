#pragma once

#include <QColor>
#include <QString>
#include <vector>

namespace filecreation {

struct FontSpec
{
    QString family = QStringLiteral("Arial");
    double size = 10; // points
    bool bold = false;
    bool italic = false;
};

// One item of a band; positions and sizes in millimetres within the band.
struct ReportItem
{
    enum class Kind
    {
        Label,      // `text`, found by `name`
        Field,      // `field` of `pipeline`, shown with `format`
        CheckBox,   // a box, ticked when the Boolean `field` is true
        Count,      // the number of records of the main pipeline
        Sum,        // the sum of `field` over the main pipeline
        PrintDate,  // date and time of printing
        PageNumber, // the word for "page" and the page's number
        Line,       // a horizontal (or `vertical`) line of `weight` points
    };

    Kind kind = Kind::Label;
    QString name;
    QString text;
    QString pipeline;
    QString field;
    QString format;
    double x = 0;
    double y = 0;
    double width = 0;  // 0: as wide as the text
    double height = 0; // 0: one line of the font
    Qt::Alignment alignment = Qt::AlignLeft;
    FontSpec font;
    QColor colour = Qt::black;
    double weight = 0.75;
    bool vertical = false;
    bool clip = true; // false: a text wider than the item runs on
};

struct ReportBand
{
    double height = 0; // millimetres
    std::vector<ReportItem> items;
    bool present = false;
};

// A report layout as stored in a template file (JSON; see docs/REPORTS.md).
struct ReportTemplate
{
    QString paper = QStringLiteral("A4"); // A4, A5, Letter, Legal, or "custom"
    double paperWidth = 0;                // millimetres, for "custom"
    double paperHeight = 0;
    bool landscape = false;
    double marginLeft = 10, marginTop = 10, marginRight = 10, marginBottom = 10;
    QString mainPipeline = QStringLiteral("ppDBPipeline1");

    ReportBand title;      // once, on the first page
    ReportBand pageHeader; // on every page
    ReportBand detail;     // once per record of the main pipeline
    ReportBand summary;    // once, after the last record
    ReportBand pageFooter; // on every page

    // Raises ReportError naming the file and the fault.
    static ReportTemplate load(const QString& path);
    static ReportTemplate parse(const QByteArray& json, const QString& fileName);
};

} // namespace filecreation
