#pragma once

#include "filecreation/ReportTemplate.h"

#include <QHash>
#include <QString>

class QPagedPaintDevice;
class QPainter;

namespace filecreation {

class ReportPipeline;

// A report printed from a template: the layout is loaded anew before each
// printing, labels are found by their names, data items read from named
// pipelines. Pages never cut a detail band, repeat the page header and
// footer, and keep the summary together.
class Report
{
public:
    // Replaces the whole layout; raises ReportError naming the file and the fault.
    void load(const QString& templatePath);
    const ReportTemplate& layout() const { return m_layout; }
    const QString& templatePath() const { return m_path; }

    // Sets the text of every label of that name; a name the layout lacks is ignored.
    void setCaption(const QString& labelName, const QString& text);
    QString caption(const QString& labelName) const;

    void setPipeline(const QString& name, const ReportPipeline* pipeline);
    // The word before the page number: "Seite" or "Page".
    void setPageWord(const QString& word) { m_pageWord = word; }

    // Lays the report out on the device's pages; returns the number of pages.
    int render(QPagedPaintDevice& device) const;
    // Prepares the device's page layout (size, orientation, no margins: the
    // report places everything itself).
    void preparePage(QPagedPaintDevice& device) const;
    void writePdf(const QString& path) const;

private:
    struct Context;
    void drawBand(QPainter& painter, const Context& context, const ReportBand& band, double top,
                  int record, int page) const;
    void drawItem(QPainter& painter, const Context& context, const ReportItem& item, double top,
                  int record, int page) const;
    QString itemText(const ReportItem& item, int record, int page) const;
    const ReportPipeline* pipeline(const QString& name) const;

    ReportTemplate m_layout;
    QString m_path;
    QHash<QString, const ReportPipeline*> m_pipelines;
    QString m_pageWord = QStringLiteral("Seite");
};

} // namespace filecreation
