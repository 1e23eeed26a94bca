#pragma once
// Where the parts of a skinned window frame go: the client area inside the borders and the title
// strip, the icon, the caption and the title buttons. Pure geometry from the skin-wide values, so
// it is worked out once per size and skin and tested without a window.

#include <QMargins>
#include <QRect>
#include <QSize>
#include <array>

struct TsSkinData;

enum class TitleButton { Close, Maximize, Minimize, Help };
inline constexpr std::size_t TitleButtonCount = 4;

struct FrameRequest {
    QSize WindowSize;
    bool Maximized = false;
    // Which buttons the window has; each given as its glyph size (empty: the button is absent).
    std::array<QSize, TitleButtonCount> ButtonSizes;
};

struct FrameGeometry {
    QMargins Frame;   // the client area is the window's rectangle less these
    QRect TitleStrip; // full width, the height of the top margin
    QRect Icon;       // empty when the title is too small for it
    QRect Caption;
    std::array<QRect, TitleButtonCount> Buttons; // empty for an absent button

    QRect Client(const QSize& window) const { return QRect(QPoint(), window).marginsRemoved(Frame); }
};

// The frame margins alone: BORDERWIDTH at the sides and bottom, the title height at the top
// (MAXHEIGHT for a maximised window when it is set); negative values count as 0 and each is
// limited to a sane size, whatever the skin says.
QMargins FrameMarginsOf(const TsSkinData& skin, bool maximized);

FrameGeometry LayOutFrame(const TsSkinData& skin, const FrameRequest& request);
