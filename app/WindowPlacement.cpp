#include "app/WindowPlacement.h"

#include "language/IniFile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>
#include <climits>

namespace app {

std::optional<WindowPlacement> WindowPlacement::parse(const QString& value)
{
    const QStringList parts = value.split(QLatin1Char(','));
    if (parts.size() != 7)
        return std::nullopt;
    int numbers[7];
    for (int i = 0; i < 7; ++i) {
        bool ok = false;
        numbers[i] = parts[i].trimmed().toInt(&ok);
        if (!ok)
            return std::nullopt;
    }
    const qint64 width = qint64(numbers[5]) - numbers[3];
    const qint64 height = qint64(numbers[6]) - numbers[4];
    // A size that an int cannot hold would overflow in every rectangle operation.
    if (numbers[0] != 200 || width <= 0 || height <= 0 || width > INT_MAX || height > INT_MAX)
        return std::nullopt;
    WindowPlacement p;
    p.flags = numbers[1];
    p.showState = numbers[2];
    p.normal = QRect(QPoint(numbers[3], numbers[4]), QPoint(numbers[5] - 1, numbers[6] - 1));
    return p;
}

WindowPlacement WindowPlacement::of(const QWidget& window)
{
    WindowPlacement p;
    p.showState = window.isMaximized() ? 3 : window.isMinimized() ? 2 : 1;
    p.normal = window.normalGeometry().isValid() ? window.normalGeometry() : window.geometry();
    return p;
}

QString WindowPlacement::toString() const
{
    return QStringLiteral("200,%1,%2,%3,%4,%5,%6")
        .arg(flags)
        .arg(showState)
        .arg(normal.left())
        .arg(normal.top())
        .arg(normal.right() + 1)
        .arg(normal.bottom() + 1);
}

bool WindowPlacement::liesNear(const QRect& desktop) const
{
    // 64 bits: the edges of a damaged value may lie near the ends of int.
    const qint64 reachX = desktop.width();
    const qint64 reachY = desktop.height();
    return normal.left() >= desktop.left() - reachX && normal.right() <= desktop.right() + reachX &&
           normal.top() >= desktop.top() - reachY && normal.bottom() <= desktop.bottom() + reachY;
}

void WindowPlacement::clampTo(const QRect& desktop)
{
    if (normal.width() > desktop.width())
        normal.setWidth(desktop.width());
    if (normal.height() > desktop.height())
        normal.setHeight(desktop.height());
    if (normal.right() > desktop.right())
        normal.moveRight(desktop.right());
    if (normal.bottom() > desktop.bottom())
        normal.moveBottom(desktop.bottom());
}

void WindowPlacement::applyTo(QWidget& window) const
{
    window.setGeometry(normal);
    if (showState == 3)
        window.setWindowState(window.windowState() | Qt::WindowMaximized);
    else if (showState == 2)
        window.setWindowState(window.windowState() | Qt::WindowMinimized);
}

bool restorePlacement(QWidget& window, const QString& iniPath, const QString& key)
{
    language::IniFile ini;
    ini.load(iniPath.toStdString());
    const auto value = ini.value("Common", key.toStdString());
    if (!value)
        return false;
    auto placement = WindowPlacement::parse(QString::fromStdString(*value));
    if (!placement)
        return false;
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (!screen)
        return false;
    const QRect desktop = screen->virtualGeometry();
    if (!placement->liesNear(desktop))
        return false; // damaged, or from a far larger desktop: the design placement
    placement->clampTo(desktop);
    placement->applyTo(window);
    return true;
}

void savePlacement(const QWidget& window, const QString& iniPath, const QString& key)
{
    language::IniFile ini;
    ini.load(iniPath.toStdString());
    ini.setValue("Common", key.toStdString(), WindowPlacement::of(window).toString().toStdString());
    ini.save(iniPath.toStdString());
}

} // namespace app
