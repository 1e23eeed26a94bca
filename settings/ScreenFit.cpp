#include "ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <limits>

namespace {

std::int64_t Clamp(std::int64_t value, std::int64_t low, std::int64_t high) {
    return std::max(low, std::min(value, high));
}

// One axis: a start and a length that fit the area's start and length.
struct TSpan {
    std::int64_t Start;
    std::int64_t Length;
};

TSpan FitSpan(std::int64_t start, std::int64_t end, std::int64_t areaStart, std::int64_t areaLength,
              std::int64_t minimum) {
    const std::int64_t length = Clamp(end - start, std::min(minimum, areaLength), areaLength);
    return {Clamp(start, areaStart, areaStart + areaLength - length), length};
}

std::int64_t Overlap(std::int64_t start, std::int64_t end, std::int64_t areaStart, std::int64_t areaEnd) {
    return std::max<std::int64_t>(0, std::min(end, areaEnd) - std::max(start, areaStart));
}

// Stands in for the screen while there is none: the largest window X11 can map.
const QRect NoScreenArea(0, 0, 32767, 32767);

// Fitted values lie inside an area given as a QRect, so they always fit.
int ToInt(std::int64_t value) {
    return static_cast<int>(Clamp(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

} // namespace

bool HasArea(const TBounds64& bounds) {
    return bounds.Right > bounds.Left && bounds.Bottom > bounds.Top;
}

QRect FitInside(const TBounds64& bounds, const QRect& area, QSize minimum) {
    const TSpan x = FitSpan(bounds.Left, bounds.Right, area.left(), area.width(), minimum.width());
    const TSpan y = FitSpan(bounds.Top, bounds.Bottom, area.top(), area.height(), minimum.height());
    return QRect(ToInt(x.Start), ToInt(y.Start), ToInt(x.Length), ToInt(y.Length));
}

QRect AreaShowingMost(const TBounds64& bounds, const QList<QRect>& areas) {
    if (areas.isEmpty())
        return {};
    QRect best = areas.front();
    std::int64_t bestShown = 0;
    for (const QRect& area : areas) {
        const std::int64_t shown =
            Overlap(bounds.Left, bounds.Right, area.left(), std::int64_t{area.left()} + area.width()) *
            Overlap(bounds.Top, bounds.Bottom, area.top(), std::int64_t{area.top()} + area.height());
        if (shown > bestShown) {
            best = area;
            bestShown = shown;
        }
    }
    return best;
}

QSize SmallestFrameSize(const QWidget* window) {
    return SmallestWindowSize.expandedTo(window->minimumSize());
}

QRect FitOnScreen(const TBounds64& bounds, QSize minimum) {
    QList<QRect> areas; // the primary screen's first
    if (const QScreen* primary = QGuiApplication::primaryScreen())
        areas << primary->availableGeometry();
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen != QGuiApplication::primaryScreen())
            areas << screen->availableGeometry();
    if (areas.isEmpty())
        areas << NoScreenArea;
    return FitInside(bounds, AreaShowingMost(bounds, areas), minimum);
}
