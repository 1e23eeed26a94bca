#pragma once
// Keeping a window's outer bounds on the screen. Bounds come from settings files and may hold
// any 32-bit numbers, so they are handled in 64 bits until they have been made to fit.

#include <QList>
#include <QRect>
#include <QSize>
#include <cstdint>

struct TBounds64 {
    std::int64_t Left = 0;
    std::int64_t Top = 0;
    std::int64_t Right = 0; // one past the last column
    std::int64_t Bottom = 0;
};

// Neither empty nor inverted.
bool HasArea(const TBounds64& bounds);

// The smallest size bounds are given, so that a window can always be seen and grabbed: the
// size to which a user can shrink a sizeable window on Windows.
inline constexpr QSize SmallestWindowSize{136, 39};

// The bounds moved, and shrunk where they are larger, so that they lie wholly inside the area;
// never made smaller than the minimum unless the area itself is.
QRect FitInside(const TBounds64& bounds, const QRect& area, QSize minimum);

// Of the screens' available areas, the one that shows most of the bounds; the primary's
// (index 0) when none shows any.
QRect AreaShowingMost(const TBounds64& bounds, const QList<QRect>& areas);

class QWidget;

// The smallest a window's outer bounds are made: SmallestWindowSize, or the window's own
// minimum where that is larger.
QSize SmallestFrameSize(const QWidget* window);

// FitInside the available area of the application's screen that shows most of the bounds.
QRect FitOnScreen(const TBounds64& bounds, QSize minimum);
