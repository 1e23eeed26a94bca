#include "NinePart.h"

#include <QPainter>
#include <algorithm>

namespace {

// Shrinks a pair of margins that do not fit into `length`, keeping their proportion.
void FitMargins(int& first, int& second, int length) {
    const int sum = first + second;
    if (sum <= length || sum <= 0)
        return;
    first = length * first / sum;
    second = length - first;
}

void FillPart(QPainter& painter, const QRect& target, const QImage& picture, const QRect& source,
              PartFill fill) {
    if (target.isEmpty() || source.isEmpty() || fill == PartFill::None)
        return;
    if (fill == PartFill::Stretch || source.size() == target.size())
        painter.drawImage(target, picture, source);
    else
        TileImage(painter, target, picture, source);
}

// Corners are never scaled: where the margins had to shrink, the corner keeps its outer edge
// and loses its inner part.
void DrawCorner(QPainter& painter, const QImage& picture, const QRect& from, const QRect& to, QPoint cell) {
    if (to.isEmpty() || from.isEmpty())
        return;
    const int x = cell.x() == 2 ? from.right() + 1 - to.width() : from.left();
    const int y = cell.y() == 2 ? from.bottom() + 1 - to.height() : from.top();
    painter.drawImage(to.topLeft(), picture, QRect(QPoint(x, y), to.size()).intersected(from));
}

} // namespace

NinePartStyle BorderStyleOf(int stretchMode) {
    switch (stretchMode) {
    case 0:
        return {PartFill::Tile, PartFill::Tile};
    case 2:
        return {PartFill::Tile, PartFill::Stretch};
    case 3:
        return {PartFill::Stretch, PartFill::Tile};
    case 5:
        return {PartFill::Stretch, PartFill::None};
    default:
        return {PartFill::Stretch, PartFill::Stretch};
    }
}

void TileImage(QPainter& painter, const QRect& target, const QImage& picture, const QRect& source) {
    if (target.isEmpty() || source.isEmpty())
        return;
    QBrush brush(picture.copy(source));
    brush.setTransform(QTransform::fromTranslate(target.left(), target.top()));
    painter.fillRect(target, brush);
}

void DrawNinePart(QPainter& painter, const NinePartSource& source, const QRect& target, NinePartStyle style) {
    if (target.isEmpty() || source.Rect.isEmpty())
        return;
    const QRect& s = source.Rect;
    // Source margins may not exceed the source either.
    int sl = source.Margins.left(), sr = source.Margins.right(), st = source.Margins.top(),
        sb = source.Margins.bottom();
    FitMargins(sl, sr, s.width());
    FitMargins(st, sb, s.height());
    int tl = sl, tr = sr, tt = st, tb = sb;
    FitMargins(tl, tr, target.width());
    FitMargins(tt, tb, target.height());

    const int sx[4] = {s.left(), s.left() + sl, s.right() + 1 - sr, s.right() + 1};
    const int sy[4] = {s.top(), s.top() + st, s.bottom() + 1 - sb, s.bottom() + 1};
    const int tx[4] = {target.left(), target.left() + tl, target.right() + 1 - tr, target.right() + 1};
    const int ty[4] = {target.top(), target.top() + tt, target.bottom() + 1 - tb, target.bottom() + 1};
    for (int row = 0; row < 3; ++row) {
        for (int column = 0; column < 3; ++column) {
            const QRect from(QPoint(sx[column], sy[row]), QPoint(sx[column + 1] - 1, sy[row + 1] - 1));
            const QRect to(QPoint(tx[column], ty[row]), QPoint(tx[column + 1] - 1, ty[row + 1] - 1));
            const bool corner = row != 1 && column != 1;
            const bool centre = row == 1 && column == 1;
            if (corner)
                DrawCorner(painter, source.Picture, from, to, QPoint(column, row));
            else
                FillPart(painter, to, source.Picture, from, centre ? style.Centre : style.Edges);
        }
    }
}
