#pragma once
// The nine-part border: four corners copied 1:1, four edges and the centre tiled or stretched.
// When the target is smaller than the margins, the margins shrink in proportion so the corners
// never overlap.

#include <QImage>
#include <QMargins>
#include <QRect>

class QPainter;

enum class PartFill { Stretch, Tile, None };

struct NinePartStyle {
    PartFill Edges = PartFill::Stretch;
    PartFill Centre = PartFill::Stretch;
};

// How a border mask's stretch mode fills its edges and centre.
NinePartStyle BorderStyleOf(int stretchMode);

struct NinePartSource {
    const QImage& Picture;
    QRect Rect;       // the part of Picture to draw (one state column)
    QMargins Margins; // left, top, right, bottom widths of the fixed border
};

void DrawNinePart(QPainter& painter, const NinePartSource& source, const QRect& target, NinePartStyle style);

// Fills `target` with `source` of `picture`, tiled from the target's top-left corner.
void TileImage(QPainter& painter, const QRect& target, const QImage& picture, const QRect& source);
