#pragma once

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QString>

// Small helpers that create the named elements of the windows: every text
// the language switching addresses is found by its element name.
namespace app {

inline QLabel* namedLabel(const char* name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(QLatin1String(name));
    return label;
}

inline QPushButton* namedButton(const char* name, const QString& text, const QString& hint,
                                QWidget* parent)
{
    auto* button = new QPushButton(text, parent);
    button->setObjectName(QLatin1String(name));
    button->setToolTip(hint);
    return button;
}

// The strip at the bottom of a dialog with its "Schliessen" button, which
// accepts the dialog.
inline QHBoxLayout* closeStrip(QDialog* dialog)
{
    auto* strip = new QHBoxLayout;
    strip->setContentsMargins(8, 0, 8, 0);
    strip->addStretch();
    QPushButton* close = namedButton("LMDSpeedButton1", QStringLiteral("Schliessen"), {}, dialog);
    QObject::connect(close, &QPushButton::clicked, dialog, &QDialog::accept);
    strip->addWidget(close);
    return strip;
}

// The white strip with a dialog's heading.
inline QLabel* whiteBanner(const char* name, const QString& text, QWidget* parent)
{
    QLabel* banner = namedLabel(name, text, parent);
    banner->setStyleSheet(QStringLiteral(
        "background: white; color: #1f4e79; font-size: 13pt; font-weight: bold; padding: 10px;"));
    return banner;
}

} // namespace app
