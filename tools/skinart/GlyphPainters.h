#pragma once
// State columns of the small pictures drawn 1:1: check boxes, radio buttons, arrows, grips and
// title-bar buttons. Columns are normal, hot, pressed, disabled (title buttons: normal, hot,
// pressed).

#include "FramePainter.h"
#include "Shapes.h"

#include <QColor>
#include <array>

class QPainter;

struct BoxLook {
    qreal Radius = 2;
    std::array<QColor, 4> Rim;
    std::array<QColor, 4> FillTop;
    std::array<QColor, 4> FillBottom;
    std::array<QColor, 4> Mark;
    // A checked or partly checked box may look different (a filled accent box); invalid
    // colours keep the plain box.
    std::array<QColor, 4> MarkedRim;
    std::array<QColor, 4> MarkedFill;
    QColor Highlight; // one pixel inside the rim (with alpha); invalid: none
    QColor Shadow;    // a soft pixel under the box (with alpha); invalid: none
};

enum class BoxMark { None, Check, Partial };

void PaintCheckBox(QPainter& painter, const QRect& cell, const BoxLook& look, int column, BoxMark mark);
void PaintRadio(QPainter& painter, const QRect& cell, const BoxLook& look, int column, BoxMark mark);

// Arrow glyphs and grips: one colour per column.
struct GlyphLook {
    std::array<QColor, 4> Color;
    QColor Halo; // a soft outline (with alpha); invalid: none
    bool Chevron = false;
};

void PaintArrow(QPainter& painter, const QRect& cell, const GlyphLook& look, int column,
                ArrowDirection direction);
// Three short ridges across the slider: horizontal sliders get upright ridges.
void PaintGrip(QPainter& painter, const QRect& cell, const GlyphLook& look, int column,
               bool horizontalSlider);

enum class TitleIcon { Close, Maximise, Restore, Minimise, Help };

struct TitleButtonLook {
    std::array<FrameLook, 3> Face;      // normal, hot, pressed; a face with no rim and no fill is bare
    std::array<FrameLook, 3> CloseFace; // the close button's own faces
    std::array<QColor, 3> Icon;
    std::array<QColor, 3> CloseIcon;
    QColor IconHalo; // with alpha; invalid: none
    qreal IconSize = 8;
    qreal Stroke = 1.6; // cross and question mark
    bool Thin = false;  // one-pixel outlines for minimise, maximise and restore (modern look)
};

void PaintTitleButton(QPainter& painter, const QRect& cell, const TitleButtonLook& look, int column,
                      TitleIcon icon);
