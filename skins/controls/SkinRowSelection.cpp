#include "SkinRowSelection.h"

#include "SkinPaint.h"

#include <QImage>
#include <QPainter>
#include <QStyleOption>

namespace {

// The rectangle a cell of a view row draws the row's selection in: reaching past its inner
// edges, so that borders are drawn only at the ends of the row.
QRect RowPartRect(const QStyleOption* option) {
    constexpr int Reach = 64; // wider than any selection border
    QRect r = option->rect;
    if (const auto* item = qstyleoption_cast<const QStyleOptionViewItem*>(option)) {
        const bool mirrored = item->direction == Qt::RightToLeft;
        switch (item->viewItemPosition) {
        case QStyleOptionViewItem::Beginning:
            (mirrored ? r.setLeft(r.left() - Reach) : r.setRight(r.right() + Reach));
            break;
        case QStyleOptionViewItem::Middle:
            r.adjust(-Reach, 0, Reach, 0);
            break;
        case QStyleOptionViewItem::End:
            (mirrored ? r.setRight(r.right() + Reach) : r.setLeft(r.left() - Reach));
            break;
        default:
            break;
        }
    }
    return r;
}

} // namespace

// A row of several cells is one selection: each cell draws its part of the row's picture, so
// the selection's border frames the row, not every cell. A row under the mouse shows the same
// picture faintly; it is drawn whole first and then laid on at that strength, as its layers
// drawn see-through one by one would add up where they overlap (the colour under the
// gradient, the fill under the rim).
void DrawRowSelection(QPainter& painter, const SkinTables& skin, int selection, const QStyleOption* option) {
    const SectionPaint row{selection, RowPartRect(option), TsState::Normal};
    if (option->state & QStyle::State_Selected) {
        painter.save();
        painter.setClipRect(option->rect, Qt::IntersectClip);
        DrawSectionBackground(painter, skin, row);
        painter.restore();
        return;
    }
    const qreal ratio = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
    QImage picture(option->rect.size() * ratio, QImage::Format_ARGB32_Premultiplied);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    {
        QPainter on(&picture);
        on.translate(-option->rect.topLeft());
        DrawSectionBackground(on, skin, row);
    }
    painter.save();
    painter.setOpacity(painter.opacity() * HoverSelectionStrength);
    painter.drawImage(option->rect.topLeft(), picture);
    painter.restore();
}
