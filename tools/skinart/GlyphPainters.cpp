#include "GlyphPainters.h"

#include <QPainter>
#include <cmath>

namespace {

void PaintBoxShape(QPainter& p, const QRectF& box, const BoxLook& look, int column, qreal radius,
                   bool marked) {
    const bool filled = marked && look.MarkedFill[column].isValid();
    if (look.Shadow.isValid()) {
        p.setPen(Qt::NoPen);
        p.setBrush(look.Shadow);
        p.drawPath(RoundedBox(box.translated(0, 1), radius));
    }
    p.setPen(Qt::NoPen);
    p.setBrush(marked && look.MarkedRim[column].isValid() ? look.MarkedRim[column] : look.Rim[column]);
    p.drawPath(RoundedBox(box, radius));
    const QRectF inside = box.adjusted(1, 1, -1, -1);
    if (filled)
        p.setBrush(look.MarkedFill[column]);
    else
        p.setBrush(VerticalGradient(inside, look.FillTop[column], look.FillBottom[column]));
    p.drawPath(RoundedBox(inside, std::max<qreal>(0, radius - 1)));
    if (look.Highlight.isValid() && column != 3 && !filled) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(look.Highlight, 1));
        p.drawPath(RoundedBox(inside.adjusted(0.5, 0.5, -0.5, -0.5), std::max<qreal>(0, radius - 1.5)));
    }
}

QRectF BoxRect(const QRect& cell, const BoxLook& look) {
    // One row is kept free below for the shadow.
    const int shadow = look.Shadow.isValid() ? 1 : 0;
    return QRectF(cell.left(), cell.top(), cell.width(), cell.height() - shadow);
}

// Outlines one pixel wide on whole pixels: a bar across the middle, one window, two windows.
void PaintThinIcon(QPainter& p, const QRectF& box, const QColor& color, TitleIcon icon) {
    p.save();
    p.setRenderHint(QPainter::Antialiasing, false);
    p.setPen(QPen(color, 1));
    p.setBrush(Qt::NoBrush);
    const QRect r = box.toRect().adjusted(0, 0, -1, -1);
    if (icon == TitleIcon::Minimise) {
        p.drawLine(r.left(), r.center().y() + 1, r.right(), r.center().y() + 1);
    } else if (icon == TitleIcon::Maximise) {
        p.drawRect(r);
    } else {
        const int offset = std::max(2, r.width() / 4);
        const QRect front(r.left(), r.top() + offset, r.width() - offset, r.height() - offset);
        p.drawRect(front);
        p.drawPolyline(
            QPolygon({QPoint(r.left() + offset, front.top() - 1), QPoint(r.left() + offset, r.top()),
                      QPoint(r.right(), r.top()), QPoint(r.right(), front.bottom() - offset),
                      QPoint(front.right() + 1, front.bottom() - offset)}));
    }
    p.restore();
}

} // namespace

void PaintCheckBox(QPainter& p, const QRect& cell, const BoxLook& look, int column, BoxMark mark) {
    const QRectF box = BoxRect(cell, look);
    PaintBoxShape(p, box, look, column, look.Radius, mark != BoxMark::None);
    const qreal inset = std::round(box.width() * 0.25);
    const QRectF markBox = box.adjusted(inset, inset, -inset, -inset);
    if (mark == BoxMark::Check) {
        p.setBrush(Qt::NoBrush);
        p.setPen(QPen(look.Mark[column], std::max<qreal>(1.6, box.width() / 7.0), Qt::SolidLine, Qt::RoundCap,
                      Qt::RoundJoin));
        p.drawPath(CheckMarkPath(markBox.adjusted(-0.5, 0, 0.5, 0)));
    } else if (mark == BoxMark::Partial) {
        p.setPen(Qt::NoPen);
        p.setBrush(look.Mark[column]);
        p.drawRect(markBox.adjusted(0.5, 0.5, -0.5, -0.5));
    }
}

void PaintRadio(QPainter& p, const QRect& cell, const BoxLook& look, int column, BoxMark mark) {
    const QRectF box = BoxRect(cell, look);
    PaintBoxShape(p, box, look, column, box.width() / 2, mark != BoxMark::None);
    if (mark == BoxMark::None)
        return;
    const qreal d = mark == BoxMark::Check ? box.width() * 0.42 : box.width() * 0.36;
    const QRectF dot(box.center().x() - d / 2, box.center().y() - d / 2, d, d);
    p.setPen(Qt::NoPen);
    QColor color = look.Mark[column];
    if (mark == BoxMark::Partial)
        color.setAlphaF(color.alphaF() * 0.55);
    p.setBrush(color);
    p.drawEllipse(dot);
}

void PaintArrow(QPainter& p, const QRect& cell, const GlyphLook& look, int column, ArrowDirection direction) {
    const QRectF box = QRectF(cell).adjusted(0.5, 0.5, -0.5, -0.5);
    const bool across = direction == ArrowDirection::Left || direction == ArrowDirection::Right;
    // A triangle twice as wide as deep.
    const qreal depth =
        std::min(across ? box.width() : box.height(), (across ? box.height() : box.width()) / 2);
    QRectF shape = across ? QRectF(0, 0, depth * 2, box.height()) : QRectF(0, 0, box.width(), depth * 2);
    shape.moveCenter(box.center());
    const QPainterPath path = look.Chevron ? ChevronPath(shape, direction) : ArrowPath(shape, direction);
    if (look.Chevron) {
        StrokeWithHalo(p, path, look.Color[column], 1.6, look.Halo);
        return;
    }
    if (look.Halo.isValid())
        p.strokePath(path, QPen(look.Halo, 2, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(path, look.Color[column]);
}

void PaintGrip(QPainter& p, const QRect& cell, const GlyphLook& look, int column, bool horizontalSlider) {
    p.setRenderHint(QPainter::Antialiasing, false);
    const QPoint c = cell.center();
    for (int i = -1; i <= 1; ++i) {
        const int offset = i * 2;
        const QRect ridge = horizontalSlider ? QRect(c.x() + offset, cell.top() + 1, 1, cell.height() - 2)
                                             : QRect(cell.left() + 1, c.y() + offset, cell.width() - 2, 1);
        if (look.Halo.isValid())
            p.fillRect(ridge.translated(1, 1), look.Halo);
        p.fillRect(ridge, look.Color[column]);
    }
}

void PaintTitleButton(QPainter& p, const QRect& cell, const TitleButtonLook& look, int column,
                      TitleIcon icon) {
    const bool close = icon == TitleIcon::Close;
    const FrameLook& face = close ? look.CloseFace[column] : look.Face[column];
    if (face.Rim.isValid() || face.Fill.isValid() || face.HighlightTop.isValid())
        PaintFrame(p, cell, face);
    const QColor color = close ? look.CloseIcon[column] : look.Icon[column];
    const qreal s = look.IconSize;
    // Whole pixels, so straight strokes stay sharp.
    const QRectF box(std::round(cell.center().x() + 1 - s / 2), std::round(cell.center().y() + 1 - s / 2), s,
                     s);
    switch (icon) {
    case TitleIcon::Close: {
        // An odd number of pixels across, so the strokes cross in the middle of one pixel: across
        // an even number they cross at a pixel corner, and the four pixels round it darken into a
        // blot under a thin stroke.
        const qreal across = std::fmod(s, 2.0) == 0 ? s - 1 : s;
        StrokeWithHalo(p, CrossPath(QRectF(box.topLeft(), QSizeF(across, across)).adjusted(0.5, 0.5, -0.5, -0.5)),
                       color, look.Stroke, look.IconHalo);
        break;
    }
    case TitleIcon::Help:
        StrokeWithHalo(p, HelpPath(box), color, look.Stroke, look.IconHalo);
        p.fillPath(HelpDotPath(box), color);
        break;
    default: {
        if (look.Thin) {
            PaintThinIcon(p, box, color, icon);
            break;
        }
        const QPainterPath path = icon == TitleIcon::Maximise  ? MaximisePath(box)
                                  : icon == TitleIcon::Restore ? RestorePath(box)
                                                               : MinimisePath(box);
        p.save();
        p.setRenderHint(QPainter::Antialiasing, false);
        if (look.IconHalo.isValid())
            p.strokePath(path, QPen(look.IconHalo, 2));
        p.fillPath(path, color);
        p.restore();
        break;
    }
    }
}
