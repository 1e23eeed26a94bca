#include "SkinPaint.h"

#include "NinePart.h"
#include "SkinColor.h"
#include "SkinGradient.h"

#include <QPainter>

namespace {

QMargins MarginsOf(const TsMaskData& mask) {
    return QMargins(mask.WL, mask.WT, mask.WR, mask.WB);
}

void DrawBorderMask(QPainter& painter, const TsMaskData& mask, const QRect& rect, TsState state) {
    DrawNinePart(painter, NinePartSource{mask.Picture, mask.Column(StateColumn(state)), MarginsOf(mask)},
                 rect, BorderStyleOf(mask.StretchMode));
}

// Percent 0 means "fully" where the section names a picture at all.
qreal ImageOpacity(int percent) {
    return percent <= 0 || percent >= 100 ? 1.0 : percent / 100.0;
}

void DrawPattern(QPainter& painter, const TsPatternData& pattern, const QRect& rect) {
    TileImage(painter, rect, pattern.Image, pattern.Image.rect());
}

void DrawFill(QPainter& painter, const SkinTables& skin, const TsGeneralData& s, const SectionPaint& paint) {
    // The layers are see-through on top of whatever opacity the caller paints the whole section
    // with (a hovered row is a faint selection); they must not paint over it at full strength.
    const qreal opacity = painter.opacity();
    const bool hot = UsesHotKeys(paint.State);
    painter.fillRect(paint.Rect, SkinColor(hot ? s.HotColor : s.Color));

    const TsGradArray& gradient = hot && !s.HotGradient().empty() ? s.HotGradient() : s.Gradient();
    const int gradientPercent = hot && !s.HotGradient().empty() ? s.HotGradientPercent : s.GradientPercent;
    if (!gradient.empty() && gradientPercent > 0) {
        painter.setOpacity(opacity * std::min(gradientPercent, 100) / 100.0);
        DrawGradient(painter, gradient, paint.Rect);
        painter.setOpacity(opacity);
    }

    const int texture = s.Mask(hot ? SectionMask::HotTexture : SectionMask::Texture);
    const int pattern = s.Pattern(hot ? SectionPattern::HotPattern : SectionPattern::Pattern);
    const int imagePercent = hot ? s.HotImagePercent : s.ImagePercent;
    if (const TsMaskData* mask = skin.Mask(texture)) {
        painter.setOpacity(opacity * ImageOpacity(imagePercent));
        DrawTexture(painter, *mask, paint.Rect);
        painter.setOpacity(opacity);
    } else if (const TsPatternData* picture = skin.Pattern(pattern)) {
        painter.setOpacity(opacity * ImageOpacity(imagePercent));
        DrawPattern(painter, *picture, paint.Rect);
        painter.setOpacity(opacity);
    }
}

void DrawCorners(QPainter& painter, const SkinTables& skin, const TsGeneralData& s,
                 const SectionPaint& paint) {
    const QRect& r = paint.Rect;
    const struct {
        SectionMask Which;
        bool Right;
        bool Bottom;
    } corners[] = {{SectionMask::ImgTopLeft, false, false},
                   {SectionMask::ImgTopRight, true, false},
                   {SectionMask::ImgBtmLeft, false, true},
                   {SectionMask::ImgBtmRight, true, true}};
    for (const auto& corner : corners) {
        const TsMaskData* mask = skin.Mask(s.Mask(corner.Which));
        if (mask == nullptr || mask->Picture.isNull())
            continue;
        const QRect column = mask->Column(StateColumn(paint.State));
        if (column.isEmpty())
            continue; // more columns than pixels: an empty source would draw the whole picture
        const QPoint at(corner.Right ? r.right() + 1 - column.width() : r.left(),
                        corner.Bottom ? r.bottom() + 1 - column.height() : r.top());
        painter.drawImage(at, mask->Picture, column);
    }
}

} // namespace

void DrawGlyph(QPainter& painter, const TsMaskData& mask, const QRect& place, TsState state) {
    if (mask.Picture.isNull())
        return;
    const QRect column = mask.Column(StateColumn(state));
    if (column.isEmpty())
        return; // more columns than pixels: an empty source would draw the whole picture
    const QPoint at(place.left() + (place.width() - column.width()) / 2,
                    place.top() + (place.height() - column.height()) / 2);
    painter.drawImage(at, mask.Picture, column);
}

void DrawTexture(QPainter& painter, const TsMaskData& mask, const QRect& rect) {
    if (mask.Picture.isNull() || rect.isEmpty())
        return;
    const QRect source = mask.Column(0);
    if (source.isEmpty())
        return;
    switch (mask.StretchMode) {
    case 1:
        painter.drawImage(rect, mask.Picture, source);
        return;
    case 2: { // stretched across, tiled down
        const QImage row = mask.Picture.copy(source).scaled(rect.width(), source.height());
        TileImage(painter, rect, row, row.rect());
        return;
    }
    case 3: { // tiled across, stretched down
        const QImage column = mask.Picture.copy(source).scaled(source.width(), rect.height());
        TileImage(painter, rect, column, column.rect());
        return;
    }
    default:
        TileImage(painter, rect, mask.Picture, source);
        return;
    }
}

void DrawRegion(QPainter& painter, const TsMaskData& mask, const QRect& rect) {
    DrawNinePart(painter, NinePartSource{mask.Picture, mask.Column(0), MarginsOf(mask)}, rect,
                 NinePartStyle{PartFill::Stretch, PartFill::Stretch});
}

void DrawMask(QPainter& painter, const TsMaskData& mask, const QRect& rect, TsState state) {
    if (mask.Picture.isNull())
        return;
    switch (mask.ImgType) {
    case TacImgType::itisaTexture:
        DrawTexture(painter, mask, rect);
        return;
    case TacImgType::itisaGlyph:
    case TacImgType::itisaPngGlyph:
    case TacImgType::itisaGlow:
        DrawGlyph(painter, mask, rect, state);
        return;
    case TacImgType::itisaBorder:
        DrawBorderMask(painter, mask, rect, state);
        return;
    }
}

void DrawSectionBackground(QPainter& painter, const SkinTables& skin, const SectionPaint& paint) {
    const TsGeneralData* section = skin.Section(paint.Section);
    if (section == nullptr || paint.Rect.isEmpty())
        return;
    painter.save();
    painter.setClipRect(paint.Rect, Qt::IntersectClip);
    DrawFill(painter, skin, *section, paint);
    if (paint.WithBorder) {
        DrawCorners(painter, skin, *section, paint);
        if (const TsMaskData* border = skin.Mask(section->Mask(SectionMask::BordersMask)))
            DrawMask(painter, *border, paint.Rect, paint.State);
    }
    painter.restore();
}

void DrawMaskRim(QPainter& painter, const TsMaskData& mask, const QRect& rect, TsState state) {
    if (mask.Picture.isNull() || mask.ImgType != TacImgType::itisaBorder || rect.isEmpty())
        return;
    NinePartStyle style = BorderStyleOf(mask.StretchMode);
    style.Centre = PartFill::None;
    DrawNinePart(painter, NinePartSource{mask.Picture, mask.Column(StateColumn(state)), MarginsOf(mask)}, rect,
                 style);
}

bool DrawFocusRim(QPainter& painter, const SkinTables& skin, int section, const QRect& rect) {
    const TsGeneralData* data = skin.Section(section);
    const TsMaskData* border = data ? skin.Mask(data->Mask(SectionMask::BordersMask)) : nullptr;
    if (border == nullptr || border->ImageCount <= TsMaskData::FocusedColumn)
        return false;
    DrawMaskRim(painter, *border, rect, TsState::Focused);
    return true;
}

QColor SectionColor(const TsGeneralData& section, TsState state) {
    return SkinColor(UsesHotKeys(state) ? section.HotColor : section.Color);
}

QColor SectionTextColor(const TsGeneralData& section, TsState state) {
    if (state == TsState::Disabled)
        return DisabledTextColor(section.FontColor.Color, section.Color);
    return SkinColor(UsesHotKeys(state) ? section.HotFontColor.Color : section.FontColor.Color);
}

void DrawCaption(QPainter& painter, const TsGeneralData& section, const CaptionPaint& caption) {
    if (caption.Text.isEmpty())
        return;
    painter.save();
    if (caption.State == TsState::Disabled) {
        painter.setPen(DisabledTextColor(section.FontColor.Color, section.Color));
        painter.drawText(caption.Rect, caption.Flags, caption.Text);
        painter.restore();
        return;
    }
    const TsFontColors& colors = UsesHotKeys(caption.State) ? section.HotFontColor : section.FontColor;
    const struct {
        std::int32_t Color;
        QPoint Shift;
    } outline[] = {
        {colors.Left, {-1, 0}}, {colors.Top, {0, -1}}, {colors.Right, {1, 0}}, {colors.Bottom, {0, 1}}};
    for (const auto& step : outline) {
        if (step.Color == -1)
            continue;
        painter.setPen(SkinColor(step.Color));
        painter.drawText(caption.Rect.translated(step.Shift), caption.Flags, caption.Text);
    }
    painter.setPen(SkinColor(colors.Color));
    painter.drawText(caption.Rect, caption.Flags, caption.Text);
    painter.restore();
}
