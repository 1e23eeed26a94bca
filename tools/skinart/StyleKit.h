#pragma once
// Shared helpers for the five styles: gradients, backdrops for pictures without a mask layer,
// and the large glossy button.

#include "ArtColor.h"
#include "FramePainter.h"

#include <QImage>
#include <array>
#include <vector>

// Two steps: `a` to `b` over the upper `split` percent, `c` to `d` below (a two-band gloss).
std::vector<GradientStep> TwoBands(const QColor& a, const QColor& b, const QColor& c, const QColor& d,
                                   int split = 50);
std::vector<GradientStep> OneBand(const QColor& from, const QColor& to);

// Four state columns from normal, hot and pressed looks: the disabled one is the normal look
// washed with `wash`.
// A frame with no fill: just its rim, three pixels of margin, on `outside`.
FrameLook Simple(const QColor& rim, const QColor& outside, qreal radius = 2);
// A flat, square patch of `background`.
FrameLook FlatOn(const QColor& background);

std::array<FrameLook, 4> WithDisabled(const FrameLook& normal, const FrameLook& hot, const FrameLook& pressed,
                                      const QColor& wash);

// The colour for a section whose gradient hides it, chosen for the disabled caption: the painter
// draws that caption in 40 % of `text` and 60 % of the section's colour, so this is the colour,
// on the way from `face` to `text`, that first gives the caption `ratio` against `face`, the
// colour a disabled control shows behind its caption.
QColor DisabledCaptionBase(const QColor& text, const QColor& face, double ratio);
// What the built-in skins give a disabled caption's colour. The caption should read at 3:1 on
// screen, but the thin strokes of an 11-pixel font are anti-aliased and never quite reach the
// pen's colour (on light faces they show some 15 levels lighter), so the pen aims higher.
inline constexpr double DisabledCaptionRatio = 4.0;

// A cell-sized picture of one colour.
QImage SolidBackdrop(const QColor& color, QSize cell);
// Rows `top`.. of a section gradient drawn `height` high, as the painter draws it, cell-wide.
QImage GradientBackdrop(const std::vector<GradientStep>& steps, int height, int top, QSize cell);

QColor Alpha(const QColor& color, double alpha);
QColor White(double alpha);
QColor Black(double alpha);

// The large button: a rounded shape whose shading changes only in its 32-pixel margins, so it
// stretches to any size.
struct HugeLook {
    QColor Outside;
    QColor Rim;
    qreal Radius = 10;
    QColor Top;       // at the top edge
    QColor Upper;     // where the top margin ends
    QColor Lower;     // where the bottom margin starts
    QColor Bottom;    // at the bottom edge
    QColor Gloss;     // a highlight over the upper part of the top margin (with alpha)
    QColor Highlight; // one pixel inside the rim (with alpha)
};
void PaintHugeButton(QPainter& painter, const QRect& cell, const HugeLook& look);
