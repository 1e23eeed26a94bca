#include "Shapes.h"

#include <QPainter>
#include <QPainterPathStroker>
#include <algorithm>

QPainterPath RoundedBox(const QRectF& rect, qreal radius) {
    QPainterPath path;
    if (radius <= 0)
        path.addRect(rect);
    else
        path.addRoundedRect(rect, radius, radius);
    return path;
}

QLinearGradient MarginGradient(const QRectF& rect, const QColor& top, const QColor& middle,
                               const QColor& bottom, qreal margin) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    const qreal share = std::clamp(margin / std::max<qreal>(rect.height(), 1), 0.0, 0.5);
    gradient.setColorAt(0, top);
    gradient.setColorAt(share, middle);
    gradient.setColorAt(1 - share, middle);
    gradient.setColorAt(1, bottom);
    return gradient;
}

QLinearGradient VerticalGradient(const QRectF& rect, const QColor& top, const QColor& bottom) {
    QLinearGradient gradient(rect.topLeft(), rect.bottomLeft());
    gradient.setColorAt(0, top);
    gradient.setColorAt(1, bottom);
    return gradient;
}

namespace {

// Points given for a right-pointing shape in a unit box, turned to `direction`.
QPointF Turn(QPointF p, ArrowDirection direction, const QRectF& box) {
    QPointF q = p;
    switch (direction) {
    case ArrowDirection::Right:
        break;
    case ArrowDirection::Left:
        q = QPointF(1 - p.x(), p.y());
        break;
    case ArrowDirection::Down:
        q = QPointF(p.y(), p.x());
        break;
    case ArrowDirection::Up:
        q = QPointF(p.y(), 1 - p.x());
        break;
    }
    return QPointF(box.left() + q.x() * box.width(), box.top() + q.y() * box.height());
}

} // namespace

QPainterPath ArrowPath(const QRectF& box, ArrowDirection direction) {
    QPainterPath path;
    path.moveTo(Turn({0.25, 0}, direction, box));
    path.lineTo(Turn({0.75, 0.5}, direction, box));
    path.lineTo(Turn({0.25, 1}, direction, box));
    path.closeSubpath();
    return path;
}

QPainterPath ChevronPath(const QRectF& box, ArrowDirection direction) {
    QPainterPath path;
    path.moveTo(Turn({0.25, 0}, direction, box));
    path.lineTo(Turn({0.75, 0.5}, direction, box));
    path.lineTo(Turn({0.25, 1}, direction, box));
    return path;
}

QPainterPath CheckMarkPath(const QRectF& box) {
    QPainterPath path;
    path.moveTo(box.left(), box.top() + box.height() * 0.55);
    path.lineTo(box.left() + box.width() * 0.38, box.bottom() - box.height() * 0.08);
    path.lineTo(box.right(), box.top() + box.height() * 0.05);
    return path;
}

QPainterPath CrossPath(const QRectF& box) {
    QPainterPath path;
    path.moveTo(box.topLeft());
    path.lineTo(box.bottomRight());
    path.moveTo(box.topRight());
    path.lineTo(box.bottomLeft());
    return path;
}

QPainterPath MinimisePath(const QRectF& box) {
    QPainterPath path;
    const qreal thick = std::max<qreal>(2, box.height() * 0.22);
    path.addRect(QRectF(box.left(), box.bottom() - thick, box.width(), thick));
    return path;
}

QPainterPath MaximisePath(const QRectF& box) {
    QPainterPath path;
    path.addRect(box);
    const qreal top = std::max<qreal>(2, box.height() * 0.25);
    path.addRect(box.adjusted(1, top, -1, -1));
    path.setFillRule(Qt::OddEvenFill);
    return path;
}

QPainterPath RestorePath(const QRectF& box) {
    // Whole pixels: two windows offset by a quarter of the box, the back one showing only its
    // top and right edges.
    const qreal side = std::round(box.width() * 0.75), offset = box.width() - side;
    const qreal top = std::max<qreal>(2, std::round(side * 0.28));
    const QRectF front(box.left(), box.top() + offset, side, side);
    const QRectF back(box.left() + offset, box.top(), side, side);
    QPainterPath frontPath;
    frontPath.addRect(front);
    QPainterPath frontHole;
    frontHole.addRect(front.adjusted(1, top, -1, -1));
    QPainterPath backPath;
    backPath.addRect(back);
    QPainterPath backHole;
    backHole.addRect(back.adjusted(1, top, -1, -1));
    const QPainterPath backOutline = backPath.subtracted(backHole).subtracted(frontPath);
    return frontPath.subtracted(frontHole).united(backOutline);
}

QPainterPath HelpPath(const QRectF& box) {
    // The hook: most of a small oval over the top, then down to the middle of the box.
    const qreal w = box.width(), h = box.height();
    const QRectF hook(box.left() + w * 0.18, box.top(), w * 0.64, h * 0.52);
    QPainterPath path;
    path.arcMoveTo(hook, 165);
    path.arcTo(hook, 165, -235);
    path.lineTo(box.left() + w * 0.5, box.top() + h * 0.66);
    return path;
}

QPainterPath HelpDotPath(const QRectF& box) {
    const qreal d = std::max<qreal>(2, std::round(box.width() * 0.22));
    QPainterPath path;
    path.addRect(QRectF(box.center().x() - d / 2, box.bottom() - d, d, d));
    return path;
}

void StrokeWithHalo(QPainter& painter, const QPainterPath& path, const QColor& color, qreal width,
                    const QColor& halo) {
    if (halo.isValid() && halo.alpha() > 0) {
        painter.strokePath(path, QPen(halo, width + 2, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    }
    painter.strokePath(path, QPen(color, width, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
}
