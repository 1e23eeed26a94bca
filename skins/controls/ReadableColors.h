#pragma once
// Text colours that keep their meaning and stay readable on whatever background a skin gives:
// a coloured log line keeps its hue and gets just light or dark enough for a 4.5:1 contrast.

#include <QColor>

class QObject;
class QTextDocument;

// WCAG contrast ratio of two colours (1 to 21).
double ContrastRatio(const QColor& a, const QColor& b);

// `wanted` when it already has 4.5:1 on `background`; otherwise the colour of the same hue moved
// in lightness toward white or black, whichever reaches 4.5:1 first (or the better of the two).
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
