#pragma once

#include <QComboBox>

namespace app {

// A drop-down that shows a text of its own in place of its current entry,
// so the shown text can follow the language while the list keeps its
// entries as they are.
class ShownTextComboBox : public QComboBox
{
    Q_OBJECT

public:
    using QComboBox::QComboBox;

    // An empty text shows the current entry again.
    void setShownText(const QString& text);
    QString shownText() const { return m_shownText.isEmpty() ? currentText() : m_shownText; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString m_shownText;
};

} // namespace app
