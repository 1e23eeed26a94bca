#pragma once
// One state column of a framed control (button, edit frame, scroll-bar part, tab, menu item...).
// The section's own colour and gradient fill the control first; this picture goes over it, so it
// holds only what sits on top: the colour around the rounded corners (the colour the control
// stands on, blended into the rim so no corner looks square), the rim, a one-pixel highlight
// inside it, a focus ring and overlays that darken or wash the inside. Everything that changes
// from top to bottom changes only inside the fixed margins, or in two equal bands, so the
// nine-part stretch keeps it smooth at any size.

#include <QColor>
#include <QRect>

class QPainter;

struct FrameLook {
    qreal Radius = 3;
    int Margin = 4;      // the nine-part margin the picture is cut with
    QColor Outside;      // opaque around the shape; invalid leaves it transparent
    QColor Rim;          // one pixel; invalid: none
    QColor RimBottom;    // lower part of the rim when it differs
    QColor HighlightTop; // one pixel inside the rim, top and upper sides
    QColor Highlight;    // the same line on the sides and the bottom
    QColor Fill;         // over the inside; invalid: none
    QColor FillBottom;   // the lower half when it differs (two bands)
    QColor Ring;         // focus: one pixel inside the highlight
    QColor RingOuter;    // a soft second pixel around the ring
    QColor Body;         // a band inside the rim (window frames); invalid: none
    int BodyWidth = 0;
    QColor InnerRim;      // one pixel inside the band
    Qt::Edges Open;       // sides that continue past the cell (tabs joining their page)
    bool RimOnly = false; // a frame whose inside is left alone (Fill unused)
};

void PaintFrame(QPainter& painter, const QRect& cell, const FrameLook& look);

// The window frame, drawn over the whole window after the title strip: square and opaque at its
// outer edge (windows are rectangles), a band `border` wide at the left, right and bottom, and
// along the top only the rim and a highlight, so the title strip shows below them.
struct WindowFrameLook {
    QColor Rim;           // the outermost pixel all round
    QColor Body;          // the band at the left, right and bottom
    QColor BodyHighlight; // one pixel inside the rim in the band (with alpha); invalid: none
    QColor InnerRim;      // one pixel between the band and the client area; invalid: none
    QColor TopHighlight;  // one pixel under the rim along the top (with alpha); invalid: none
};
void PaintWindowFrame(QPainter& painter, const QRect& cell, int border, const WindowFrameLook& look);

// The title strip's picture: a line along its top, one along its bottom and an overlay (the
// inactive title's wash).
struct StripLook {
    QColor Top;
    QColor Bottom;
    QColor Wash;
};
void PaintStrip(QPainter& painter, const QRect& cell, const StripLook& look);

// A rim of the given look that runs along `edges` only (headers, status bars, menu lines).
void PaintEdgeLines(QPainter& painter, const QRect& cell, Qt::Edges edges, const QColor& color,
                    const QColor& highlight);
