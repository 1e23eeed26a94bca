#pragma once
// Text colours that keep their meaning and stay readable on whatever background a skin gives:
// a coloured log line keeps its hue, and one that lacks 4.5:1 is made light or dark enough to read
// as drawn.

#include <QColor>

class QObject;
class QTextDocument;

// WCAG contrast ratio of two colours (1 to 21).
double ContrastRatio(const QColor& a, const QColor& b);

// `wanted` when it already has 4.5:1 on `background`; otherwise the colour of the same hue moved
// in lightness toward white or black, whichever reaches 7:1 first (or the better of the two), so
// that its thin strokes, as drawn, still stand out at 4.5:1.
QColor ReadableOn(const QColor& wanted, const QColor& background);

// A character format property holding the colour a text was written in, before any skin chose
// how to show it. Text without it is shown in the edit's own text colour.
inline constexpr int WrittenColorProperty = 0x100000 + 1; // QTextFormat::UserProperty + 1

// Shows every fragment that has a written colour in the readable form of that colour on
// `background`; black, the colour plain text is written in, takes `textColor`. Without a
// background (an invalid colour) the written colours are shown as they are.
void ShowWrittenColors(QTextDocument& document, const QColor& background, const QColor& textColor);

// Where an edit shows written colours on a skin background, the adapter leaves the background
// and text colour on the widget, so text added later is shown the same way.
void SetWrittenColorBackground(QObject* edit, const QColor& background, const QColor& textColor);
// The colour to show text written in `written` in that edit now.
QColor ShownWrittenColor(const QObject* edit, const QColor& written);
