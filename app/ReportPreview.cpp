#include "app/ReportPreview.h"

#include "filecreation/Report.h"

#include <QPrintPreviewDialog>
#include <QPrinter>
#include <exception>

namespace app {

void ReportPreview::show(const filecreation::Report& report, const QString& title)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setFullPage(true); // the report places everything within its own margins
    printer.setDocName(title);
    report.preparePage(printer);
    QPrintPreviewDialog preview(&printer, m_parent);
    preview.setWindowTitle(title);
    preview.resize(1000, 760);
    std::exception_ptr failure;
    QObject::connect(&preview, &QPrintPreviewDialog::paintRequested, &preview,
                     [&](QPrinter* target) {
                         try {
                             report.render(*target);
                         } catch (...) {
                             failure = std::current_exception();
                         }
                     });
    preview.exec();
    if (failure) // reported by the caller once the preview is gone
        std::rethrow_exception(failure);
}

} // namespace app
