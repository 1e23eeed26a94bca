#pragma once
// Drawing helpers for the artwork: rounded shapes, gradients that nine-part stretching cannot
// spoil, and the glyph outlines (check marks, arrows, title-bar icons) drawn as paths, never
// with a font, so the pictures come out the same on every machine.

#include <QColor>
#include <QLinearGradient>
#include <QPainterPath>
#include <QRectF>

class QPainter;

QPainterPath RoundedBox(const QRectF& rect, qreal radius);

// A vertical gradient that changes only within `margin` pixels of the top and bottom of `rect`:
// the middle rows are all `middle`, so stretching them between fixed margins shows no steps.
QLinearGradient MarginGradient(const QRectF& rect, const QColor& top, const QColor& middle,
                               const QColor& bottom, qreal margin);
QLinearGradient VerticalGradient(const QRectF& rect, const QColor& top, const QColor& bottom);

enum class ArrowDirection { Up, Down, Left, Right };

// A filled triangle pointing in `direction`, centred in `box`.
QPainterPath ArrowPath(const QRectF& box, ArrowDirection direction);
// An open chevron (two strokes) pointing in `direction`.
QPainterPath ChevronPath(const QRectF& box, ArrowDirection direction);
QPainterPath CheckMarkPath(const QRectF& box);

// Title-bar icons, as outlines to stroke or fill (see each).
QPainterPath CrossPath(const QRectF& box);    // stroke
QPainterPath MinimisePath(const QRectF& box); // fill
QPainterPath MaximisePath(const QRectF& box); // fill (a window with a heavy top)
QPainterPath RestorePath(const QRectF& box);  // fill (two windows)
QPainterPath HelpPath(const QRectF& box);     // stroke (a question mark) plus its dot (fill)
QPainterPath HelpDotPath(const QRectF& box);

// Strokes `path` with a soft dark or light halo first, for icons on busy backgrounds.
void StrokeWithHalo(QPainter& painter, const QPainterPath& path, const QColor& color, qreal width,
                    const QColor& halo);
