#pragma once

#include <QRect>
#include <QString>
#include <optional>

class QWidget;

namespace app {

// A window's placement as kept in VIZUZAR.INI: seven whole numbers, the
// format mark 200, flags, the show state (1 normal, 2 minimised, 3
// maximised), then the left, top, right and bottom edges of the window's
// normal rectangle.
struct WindowPlacement
{
    int flags = 0;
    int showState = 1;
    QRect normal;

    static std::optional<WindowPlacement> parse(const QString& value);
    static WindowPlacement of(const QWidget& window);
    QString toString() const;

    // Whether the rectangle stays within one desktop's width (height) of the
    // desktop on every side; anything further lies beyond any screen.
    bool liesNear(const QRect& desktop) const;
    // Shrinks the rectangle to the desktop's size where it is larger, then
    // moves it left (up) so that it ends at the desktop's right (bottom) edge
    // when it reaches beyond it.
    void clampTo(const QRect& desktop);
    void applyTo(QWidget& window) const;
};

// Reads the placement under `key` in section "Common" and applies it, or
// leaves the window where its design puts it. True when one was applied.
bool restorePlacement(QWidget& window, const QString& iniPath, const QString& key);
void savePlacement(const QWidget& window, const QString& iniPath, const QString& key);

} // namespace app
