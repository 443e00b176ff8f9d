#pragma once

#include "language/Localisation.h"

#include <QPointer>
#include <QString>
#include <set>
#include <string>
#include <unordered_map>
#include <vector>

class QObject;
class QWidget;

namespace app {

// A Qt window's texts addressed by element names: "Caption" is a label's,
// button's or menu item's text, a group box's or menu's title, a grid
// column's caption and the window's title; "Hint" is the tool tip;
// "DataBinding.FieldName" is a grid column's field. Elements whose text the
// program sets itself (result lines, the remark line) are left out.
class WindowTexts final : public language::LocalizedWindow
{
public:
    WindowTexts(QWidget& window, std::set<std::string> excluded = {});

    std::string windowName() const override;
    std::vector<std::pair<language::TextKey, std::string>> texts() const override;
    std::optional<std::string> text(const language::TextKey& key) const override;
    void setText(const language::TextKey& key, const std::string& value) override;
    void setRightToLeft(bool rightToLeft) override;

    // The texts of the given keys as the window shows them now: originals
    // stored with a window's definition.
    std::vector<std::pair<language::TextKey, std::string>>
    snapshot(const std::vector<std::string>& keys = {}) const;

private:
    QObject* element(const std::string& name) const;
    std::vector<QObject*> elements() const;

    QWidget& m_window;
    std::set<std::string> m_excluded;
    // The elements by name as last found; looked for again when a name is
    // missing or its element is gone or renamed.
    mutable std::unordered_map<std::string, QPointer<QObject>> m_elements;
};

} // namespace app
