#pragma once

#include "filecreation/Reports.h"

class QWidget;

namespace app {

// Shows a report in Qt's modal print preview, from which the user prints or
// saves a PDF; returns when the preview is closed.
class ReportPreview final : public filecreation::ReportOutput
{
public:
    explicit ReportPreview(QWidget* parent) : m_parent(parent) {}
    void show(const filecreation::Report& report, const QString& title) override;

private:
    QWidget* m_parent;
};

} // namespace app
