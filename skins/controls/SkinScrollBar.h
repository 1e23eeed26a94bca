#pragma once
// Where the parts of a skinned scroll bar go: two square arrow buttons at the ends, the track
// between them, and the slider sized by the page step.

#include <QRect>
#include <QStyle>

class QStyleOptionSlider;

QRect ScrollBarPart(const QStyleOptionSlider& option, QStyle::SubControl part, int minimumSlider);
