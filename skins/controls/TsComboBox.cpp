#include "TsComboBox.h"

#include <QStyleOptionComboBox>
#include <QStylePainter>

TsComboBox::TsComboBox(QWidget* parent) : QComboBox(parent) {
    setEditable(false);
}

void TsComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= count())
        index = -1;
    if (index != currentIndex())
        setCurrentIndex(index);
}

void TsComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.textAlignment = Qt::AlignCenter;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}
