#include "app/WindowTexts.h"

#include "app/CursorModel.h"
#include "app/TransferGrid.h"

#include <QAbstractButton>
#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QWidget>
#include <algorithm>

namespace app {
namespace {

const std::string kCaption = "Caption";
const std::string kHint = "Hint";
const std::string kFieldName = "DataBinding.FieldName";

std::optional<QString> read(QObject* o, const std::string& property)
{
    if (property == kCaption) {
        if (auto* label = qobject_cast<QLabel*>(o))
            return label->text();
        if (auto* button = qobject_cast<QAbstractButton*>(o))
            return button->text();
        if (auto* group = qobject_cast<QGroupBox*>(o))
            return group->title();
        if (auto* menu = qobject_cast<QMenu*>(o))
            return menu->title();
        if (auto* action = qobject_cast<QAction*>(o))
            return action->text();
        if (auto* column = qobject_cast<GridColumn*>(o))
            return column->caption();
        if (auto* widget = qobject_cast<QWidget*>(o); widget && widget->isWindow())
            return widget->windowTitle();
        return std::nullopt;
    }
    if (property == kHint) {
        if (auto* action = qobject_cast<QAction*>(o))
            return action->toolTip();
        if (auto* widget = qobject_cast<QWidget*>(o))
            return widget->toolTip();
        return std::nullopt;
    }
    if (property == kFieldName) {
        if (auto* column = qobject_cast<GridColumn*>(o))
            return column->fieldName();
    }
    return std::nullopt;
}

void write(QObject* o, const std::string& property, const QString& value)
{
    if (property == kCaption) {
        if (auto* label = qobject_cast<QLabel*>(o))
            label->setText(value);
        else if (auto* button = qobject_cast<QAbstractButton*>(o))
            button->setText(value);
        else if (auto* group = qobject_cast<QGroupBox*>(o))
            group->setTitle(value);
        else if (auto* menu = qobject_cast<QMenu*>(o))
            menu->setTitle(value);
        else if (auto* action = qobject_cast<QAction*>(o))
            action->setText(value);
        else if (auto* column = qobject_cast<GridColumn*>(o))
            column->setCaption(value);
        else if (auto* widget = qobject_cast<QWidget*>(o))
            widget->setWindowTitle(value);
    } else if (property == kHint) {
        if (auto* action = qobject_cast<QAction*>(o)) {
            action->setToolTip(value);
            action->setStatusTip(value);
        } else if (auto* widget = qobject_cast<QWidget*>(o)) {
            widget->setToolTip(value);
        }
    } else if (property == kFieldName) {
        if (auto* column = qobject_cast<GridColumn*>(o))
            column->setFieldName(value);
    }
}

} // namespace

WindowTexts::WindowTexts(QWidget& window, std::set<std::string> excluded)
    : m_window(window), m_excluded(std::move(excluded))
{}

std::string WindowTexts::windowName() const
{
    return m_window.objectName().toStdString();
}

std::vector<QObject*> WindowTexts::elements() const
{
    std::vector<QObject*> found;
    for (QObject* o : m_window.findChildren<QObject*>()) {
        const std::string name = o->objectName().toStdString();
        // Qt's own parts (calendar buttons, viewports) are not the program's texts.
        if (name.empty() || m_excluded.count(name) || name.rfind("qt_", 0) == 0)
            continue;
        // A submenu's own action carries the menu's name; the menu speaks for both.
        if (auto* action = qobject_cast<QAction*>(o); action && action->menu())
            continue;
        // Elements of another window (a dialog owned by this one) are its own;
        // the window's menus are popups of their own but belong to it.
        QObject* holder = o;
        while (holder && !holder->isWidgetType())
            holder = holder->parent();
        if (auto* widget = qobject_cast<QWidget*>(holder);
            widget && widget->window() != &m_window && !qobject_cast<QMenu*>(widget->window()))
            continue;
        found.push_back(o);
    }
    return found;
}

QObject* WindowTexts::element(const std::string& name) const
{
    if (name.empty())
        return &m_window;
    // A language change sets every text by name: walking the window for each
    // one made start-up and switching quadratic in the number of elements.
    const auto cached = [&]() -> QObject* {
        const auto found = m_elements.find(name);
        if (found == m_elements.end() || !found->second ||
            found->second->objectName().toStdString() != name)
            return nullptr;
        return found->second;
    };
    if (QObject* o = cached())
        return o;
    m_elements.clear();
    for (QObject* o : elements())
        m_elements.emplace(o->objectName().toStdString(), o); // the first of a name wins
    return cached();
}

std::vector<std::pair<language::TextKey, std::string>> WindowTexts::texts() const
{
    std::vector<std::pair<language::TextKey, std::string>> all;
    const auto add = [&](QObject* o, const std::string& name) {
        for (const std::string& property : {kCaption, kHint, kFieldName}) {
            if (const auto value = read(o, property))
                all.push_back({{name, property}, value->toStdString()});
        }
    };
    add(&m_window, {});
    for (QObject* o : elements())
        add(o, o->objectName().toStdString());
    return all;
}

std::optional<std::string> WindowTexts::text(const language::TextKey& key) const
{
    QObject* o = element(key.element);
    if (!o)
        return std::nullopt;
    const auto value = read(o, key.property);
    return value ? std::optional<std::string>(value->toStdString()) : std::nullopt;
}

void WindowTexts::setText(const language::TextKey& key, const std::string& value)
{
    if (QObject* o = element(key.element))
        write(o, key.property, QString::fromStdString(value));
}

void WindowTexts::setRightToLeft(bool rightToLeft)
{
    m_window.setLayoutDirection(rightToLeft ? Qt::RightToLeft : Qt::LeftToRight);
}

std::vector<std::pair<language::TextKey, std::string>>
WindowTexts::snapshot(const std::vector<std::string>& keys) const
{
    std::vector<std::pair<language::TextKey, std::string>> result;
    for (auto& [key, text] : texts()) {
        const bool wanted =
            keys.empty() || std::find(keys.begin(), keys.end(), key.text()) != keys.end();
        const bool blank = text.find_first_not_of(" \t") == std::string::npos;
        if (wanted && !blank)
            result.push_back({key, text});
    }
    return result;
}

} // namespace app
