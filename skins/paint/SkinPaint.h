#pragma once
// Drawing from a loaded skin. Every function takes the tables, a rectangle and a state; none
// searches the tables by name (indexes come from the section records or from the caller's
// binding) and none touches widgets.

#include "SkinState.h"
#include "SkinTables.h"

#include <QRect>
#include <QString>

class QPainter;

// One mask in a state: border masks as nine parts over `rect`, textures tiled or stretched over
// it, glyphs 1:1 centred in it. Nothing for a mask without pixels.
void DrawMask(QPainter& painter, const TsMaskData& mask, const QRect& rect, TsState state);

// A glyph's column, 1:1, centred in `place`.
void DrawGlyph(QPainter& painter, const TsMaskData& mask, const QRect& place, TsState state);

// A texture mask over `rect`: stretch mode 0 tiles, 1 stretches, 2 stretches across and tiles
// down, 3 tiles across and stretches down, others tile.
void DrawTexture(QPainter& painter, const TsMaskData& mask, const QRect& rect);

// The glow region of a section: its mask stretched as a full nine-part (whatever its stretch
// mode) onto `rect`; the picture's alpha is where a glow may show.
void DrawRegion(QPainter& painter, const TsMaskData& mask, const QRect& rect);

struct SectionPaint {
    int Section = -1;
    QRect Rect;
    TsState State = TsState::Normal;
    bool WithBorder = true; // false leaves out the corner masks and BORDERSMASK
};

// A control's background: colour, gradient, texture or pattern, the corner masks and the border
// mask, in that order. Nothing when the section index is -1.
void DrawSectionBackground(QPainter& painter, const SkinTables& skin, const SectionPaint& paint);

// A border mask's column without its centre: a frame laid over what is drawn already.
void DrawMaskRim(QPainter& painter, const TsMaskData& mask, const QRect& rect, TsState state);

// The rim of a section's focused look alone (its border mask's focus column, the centre left
// out), laid over a control drawn in another state, so that focus still shows under the mouse.
// False when the section's border mask has no focus column.
bool DrawFocusRim(QPainter& painter, const SkinTables& skin, int section, const QRect& rect);

// The colour a section's background mostly shows, for text contrast and for what Qt paints
// itself (palettes).
QColor SectionColor(const TsGeneralData& section, TsState state);
QColor SectionTextColor(const TsGeneralData& section, TsState state);

struct CaptionPaint {
    QString Text;
    QRect Rect;
    int Flags = 0; // Qt::AlignmentFlag | Qt::TextFlag
    TsState State = TsState::Normal;
};

// Caption text with the section's outline steps (left, top, right, bottom, each one pixel, -1
// skips one) and the font colour last; disabled text once, no outline, in the 40/60 mix.
void DrawCaption(QPainter& painter, const TsGeneralData& section, const CaptionPaint& caption);
