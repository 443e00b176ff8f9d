#include "app/WindowPlacement.h"

#include "language/IniFile.h"

#include <QGuiApplication>
#include <QScreen>
#include <QStringList>
#include <QWidget>

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
    if (numbers[0] != 200 || numbers[5] <= numbers[3] || numbers[6] <= numbers[4])
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

void WindowPlacement::clampTo(const QRect& desktop)
{
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
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        placement->clampTo(screen->virtualGeometry());
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
