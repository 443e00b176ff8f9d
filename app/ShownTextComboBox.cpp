#include "app/ShownTextComboBox.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace app {

void ShownTextComboBox::setShownText(const QString& text)
{
    m_shownText = text;
    update();
}

void ShownTextComboBox::paintEvent(QPaintEvent*)
{
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.currentText = shownText();
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

} // namespace app
