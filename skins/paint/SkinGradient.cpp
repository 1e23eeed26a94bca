#include "SkinGradient.h"

#include "SkinColor.h"

#include <QLinearGradient>
#include <QPainter>

void DrawGradient(QPainter& painter, const TsGradArray& steps, const QRect& rect) {
    if (steps.empty() || rect.isEmpty())
        return;
    const bool across = steps.front().Mode == 1;
    const int length = across ? rect.width() : rect.height();
    int start = 0;
    for (const TsGradPie& step : steps) {
        // The running sum keeps the bands' edges exact however the shares round.
        const int end = std::min(length, start + (length * step.Percent + 50) / 100);
        if (end <= start)
            continue;
        const QRect band = across ? QRect(rect.left() + start, rect.top(), end - start, rect.height())
                                  : QRect(rect.left(), rect.top() + start, rect.width(), end - start);
        QLinearGradient gradient(band.topLeft(), across ? QPointF(band.right() + 1, band.top())
                                                        : QPointF(band.left(), band.bottom() + 1));
        gradient.setColorAt(0, SkinColor(step.Color1));
        gradient.setColorAt(1, SkinColor(step.Color2));
        painter.fillRect(band, gradient);
        start = end;
    }
    if (start < length) {
        const QRect rest = across ? QRect(rect.left() + start, rect.top(), length - start, rect.height())
                                  : QRect(rect.left(), rect.top() + start, rect.width(), length - start);
        painter.fillRect(rest, SkinColor(steps.back().Color2));
    }
}
