#include "SkinScrollBar.h"

#include <QStyleOption>
#include <algorithm>

QRect ScrollBarPart(const QStyleOptionSlider& option, QStyle::SubControl part, int minimumSlider) {
    const bool horizontal = option.orientation == Qt::Horizontal;
    const QRect r = option.rect;
    const int length = horizontal ? r.width() : r.height();
    const int thickness = horizontal ? r.height() : r.width();
    // Buttons are square while the bar is long enough; a short bar shares its length.
    const int button = std::clamp(std::min(thickness, length / 2), 0, length);
    const int grooveStart = button;
    const int grooveLength = std::max(0, length - 2 * button);

    const qint64 range = static_cast<qint64>(option.maximum) - option.minimum;
    int sliderLength = grooveLength;
    if (range > 0) {
        const qint64 proportional =
            grooveLength * static_cast<qint64>(option.pageStep) / (range + option.pageStep);
        sliderLength = static_cast<int>(
            std::clamp<qint64>(proportional, std::min(minimumSlider, grooveLength), grooveLength));
    }
    const int sliderStart =
        grooveStart + QStyle::sliderPositionFromValue(option.minimum, option.maximum, option.sliderPosition,
                                                      grooveLength - sliderLength, option.upsideDown);

    const auto along = [&](int start, int size) {
        return horizontal ? QRect(r.left() + start, r.top(), size, thickness)
                          : QRect(r.left(), r.top() + start, thickness, size);
    };
    switch (part) {
    case QStyle::SC_ScrollBarSubLine:
        return along(0, button);
    case QStyle::SC_ScrollBarAddLine:
        return along(length - button, button);
    case QStyle::SC_ScrollBarGroove:
        return along(grooveStart, grooveLength);
    case QStyle::SC_ScrollBarSlider:
        return range > 0 ? along(sliderStart, sliderLength) : QRect();
    case QStyle::SC_ScrollBarSubPage:
        return along(grooveStart, (range > 0 ? sliderStart : grooveStart + grooveLength) - grooveStart);
    case QStyle::SC_ScrollBarAddPage: {
        const int from = range > 0 ? sliderStart + sliderLength : grooveStart + grooveLength;
        return along(from, grooveStart + grooveLength - from);
    }
    default:
        return QRect();
    }
}
