#include "FramePainter.h"

#include "Shapes.h"

#include <QPainter>

namespace {

// The shape's rectangle: open sides run past the cell so their rim and corners are cut off.
QRectF ShapeRect(const QRect& cell, const FrameLook& look) {
    QRectF r(cell);
    const qreal beyond = look.Radius + 3;
    if (look.Open & Qt::LeftEdge)
        r.setLeft(r.left() - beyond);
    if (look.Open & Qt::RightEdge)
        r.setRight(r.right() + beyond);
    if (look.Open & Qt::TopEdge)
        r.setTop(r.top() - beyond);
    if (look.Open & Qt::BottomEdge)
        r.setBottom(r.bottom() + beyond);
    return r;
}

QColor Or(const QColor& color, const QColor& fallback) {
    return color.isValid() ? color : fallback;
}

void StrokeInside(QPainter& p, const QRectF& shape, qreal inset, qreal radius, const QBrush& brush) {
    const QRectF r = shape.adjusted(inset + 0.5, inset + 0.5, -inset - 0.5, -inset - 0.5);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(brush, 1));
    p.drawPath(RoundedBox(r, std::max<qreal>(0, radius - inset)));
}

} // namespace

void PaintFrame(QPainter& p, const QRect& cell, const FrameLook& look) {
    p.save();
    p.setClipRect(cell);
    const QRectF shape = ShapeRect(cell, look);
    const QPainterPath outer = RoundedBox(shape, look.Radius);
    const bool rim = look.Rim.isValid();
    const QPainterPath inner =
        RoundedBox(shape.adjusted(rim, rim, -rim, -rim), std::max<qreal>(0, look.Radius - rim));

    if (look.Outside.isValid())
        p.fillRect(cell, look.Outside);
    if (rim) {
        p.setPen(Qt::NoPen);
        p.setBrush(MarginGradient(shape, look.Rim, look.Rim, Or(look.RimBottom, look.Rim), look.Margin));
        p.drawPath(outer);
    }
    // The inside is what the section's fill shows through.
    p.setCompositionMode(QPainter::CompositionMode_Clear);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::black);
    p.drawPath(rim ? inner : outer);
    p.setCompositionMode(QPainter::CompositionMode_SourceOver);

    if (look.Body.isValid() && look.BodyWidth > 0) {
        const qreal in = rim + look.BodyWidth;
        QPainterPath band = (rim ? inner : outer)
                                .subtracted(RoundedBox(shape.adjusted(in, in, -in, -in),
                                                       std::max<qreal>(0, look.Radius - in)));
        p.fillPath(band, look.Body);
        if (look.InnerRim.isValid())
            StrokeInside(p, shape, in, look.Radius, look.InnerRim);
    }
    if (look.Fill.isValid() && !look.RimOnly) {
        const QColor bottom = Or(look.FillBottom, look.Fill);
        const qreal middle = cell.top() + cell.height() / 2.0;
        p.save();
        p.setClipPath(rim ? inner : outer, Qt::IntersectClip);
        p.fillRect(QRectF(cell.left(), cell.top(), cell.width(), middle - cell.top()), look.Fill);
        p.fillRect(QRectF(cell.left(), middle, cell.width(), cell.bottom() + 1 - middle), bottom);
        p.restore();
    }
    if (look.HighlightTop.isValid() || look.Highlight.isValid()) {
        const QColor sides = Or(look.Highlight, Qt::transparent);
        StrokeInside(p, shape, rim, look.Radius,
                     MarginGradient(shape, Or(look.HighlightTop, sides), sides, sides, look.Margin));
    }
    if (look.RingOuter.isValid())
        StrokeInside(p, shape, rim + 1, look.Radius, look.RingOuter);
    if (look.Ring.isValid())
        StrokeInside(p, shape, rim + (look.RingOuter.isValid() ? 2 : 1), look.Radius, look.Ring);
    p.restore();
}

void PaintWindowFrame(QPainter& p, const QRect& cell, int border, const WindowFrameLook& look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const int w = cell.width(), h = cell.height(), x = cell.left(), y = cell.top();
    const QRect left(x, y, border, h), right(x + w - border, y, border, h),
        bottom(x, y + h - border, w, border);
    for (const QRect& band : {left, right, bottom})
        p.fillRect(band, look.Body);
    if (look.BodyHighlight.isValid() && border > 2) {
        p.fillRect(QRect(x + 1, y + 1, 1, h - 2), look.BodyHighlight);
        p.fillRect(QRect(x + w - 2, y + 1, 1, h - 2), look.BodyHighlight);
        p.fillRect(QRect(x + 2, y + h - 2, w - 4, 1), look.BodyHighlight);
    }
    if (look.InnerRim.isValid() && border > 1) {
        p.fillRect(QRect(x + border - 1, y + 1, 1, h - border), look.InnerRim);
        p.fillRect(QRect(x + w - border, y + 1, 1, h - border), look.InnerRim);
        p.fillRect(QRect(x + border - 1, y + h - border, w - 2 * border + 2, 1), look.InnerRim);
    }
    if (look.TopHighlight.isValid())
        p.fillRect(QRect(x + border, y + 1, w - 2 * border, 1), look.TopHighlight);
    p.setPen(look.Rim);
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRect(x, y, w - 1, h - 1));
    p.restore();
}

void PaintStrip(QPainter& p, const QRect& cell, const StripLook& look) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    if (look.Wash.isValid())
        p.fillRect(cell, look.Wash);
    if (look.Top.isValid())
        p.fillRect(QRect(cell.left(), cell.top(), cell.width(), 1), look.Top);
    if (look.Bottom.isValid())
        p.fillRect(QRect(cell.left(), cell.bottom(), cell.width(), 1), look.Bottom);
    p.restore();
}

void PaintEdgeLines(QPainter& p, const QRect& cell, Qt::Edges edges, const QColor& color,
                    const QColor& highlight) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    const QRect r = cell;
    const auto line = [&](Qt::Edge edge, const QColor& c, int inset) {
        if (!(edges & edge) || !c.isValid())
            return;
        switch (edge) {
        case Qt::TopEdge:
            p.fillRect(QRect(r.left(), r.top() + inset, r.width(), 1), c);
            break;
        case Qt::BottomEdge:
            p.fillRect(QRect(r.left(), r.bottom() - inset, r.width(), 1), c);
            break;
        case Qt::LeftEdge:
            p.fillRect(QRect(r.left() + inset, r.top(), 1, r.height()), c);
            break;
        case Qt::RightEdge:
            p.fillRect(QRect(r.right() - inset, r.top(), 1, r.height()), c);
            break;
        }
    };
    for (const Qt::Edge edge : {Qt::TopEdge, Qt::BottomEdge, Qt::LeftEdge, Qt::RightEdge}) {
        line(edge, color, 0);
        line(edge, highlight, 1);
    }
    p.restore();
}
