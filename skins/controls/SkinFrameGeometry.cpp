#include "SkinFrameGeometry.h"

#include "SkinTables.h"

#include <algorithm>

namespace {

// A hostile skin must not make a window all frame.
constexpr int MaxBorder = 32;
constexpr int MaxTitle = 96;
constexpr int IconSize = 16;
constexpr int CaptionGap = 6;

} // namespace

QMargins FrameMarginsOf(const TsSkinData& skin, bool maximized) {
    const int border = std::clamp(skin.BorderWidth, 0, MaxBorder);
    const int title =
        std::clamp(maximized && skin.MaxHeight > 0 ? skin.MaxHeight : skin.TitleHeight, 0, MaxTitle);
    return QMargins(border, std::max(title, border), border, border);
}

FrameGeometry LayOutFrame(const TsSkinData& skin, const FrameRequest& request) {
    FrameGeometry g;
    g.Frame = FrameMarginsOf(skin, request.Maximized);
    const int width = request.WindowSize.width();
    g.TitleStrip = QRect(0, 0, width, g.Frame.top());
    // The part of the strip below the top border (as thick as the side borders), where icon,
    // caption and buttons sit.
    const int topBorder = std::min(g.Frame.left(), g.Frame.top());
    const QRect band(g.Frame.left(), topBorder, width - g.Frame.left() - g.Frame.right(),
                     g.Frame.top() - topBorder);

    int right = width - std::clamp(skin.BIRight, 0, width / 2) - g.Frame.right();
    const int space = std::clamp(skin.BISpace, 0, 32);
    for (std::size_t i = 0; i < TitleButtonCount; ++i) {
        const QSize size = request.ButtonSizes[i];
        if (size.isEmpty())
            continue;
        const int top = skin.BITop > 0 ? std::min(skin.BITop, std::max(0, g.Frame.top() - size.height()))
                                       : band.top() + (band.height() - size.height()) / 2;
        g.Buttons[i] = QRect(right - size.width(), top, size.width(), size.height());
        right = g.Buttons[i].left() - space;
    }

    int left = band.left() + 4;
    if (band.height() >= IconSize) {
        g.Icon = QRect(left, band.top() + (band.height() - IconSize) / 2, IconSize, IconSize);
        left = g.Icon.right() + 1 + CaptionGap;
    }
    g.Caption = QRect(left, band.top(), std::max(0, right - CaptionGap - left), band.height());
    return g;
}
