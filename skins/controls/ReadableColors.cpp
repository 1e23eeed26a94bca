#include "ReadableColors.h"

#include <QScopeGuard>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <cmath>
#include <vector>

namespace {

// A colour with this contrast is kept as it was written.
constexpr double Wanted = 4.5;
// A colour that must change goes further than that. Small text is drawn in strokes a pixel or
// less wide, whose edges blend into the background: a colour at just 4.5:1 shows its strokes at
// 3:1 or less, and looks faded beside the skin's own text.
constexpr double MovedTo = 7.0;

double Channel(double value) {
    value /= 255.0;
    return value <= 0.03928 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

double Luminance(const QColor& c) {
    return 0.2126 * Channel(c.red()) + 0.7152 * Channel(c.green()) + 0.0722 * Channel(c.blue());
}

// The first lightness from the colour's own toward `target` (0 or 1) that reaches the wanted
// contrast; the end point when none does.
QColor Toward(const QColor& wanted, const QColor& background, double target) {
    const float hue = wanted.hslHueF(), saturation = wanted.hslSaturationF();
    const float start = wanted.lightnessF();
    QColor best = wanted;
    for (int step = 1; step <= 50; ++step) {
        const double lightness = start + (target - start) * step / 50.0;
        best = QColor::fromHslF(hue, saturation, static_cast<float>(lightness));
        if (ContrastRatio(best, background) >= MovedTo)
            return best;
    }
    return best;
}

} // namespace

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

QColor ReadableOn(const QColor& wanted, const QColor& background) {
    if (ContrastRatio(wanted, background) >= Wanted)
        return wanted;
    const QColor lighter = Toward(wanted, background, 1.0);
    const QColor darker = Toward(wanted, background, 0.0);
    const bool lightReaches = ContrastRatio(lighter, background) >= MovedTo;
    const bool darkReaches = ContrastRatio(darker, background) >= MovedTo;
    if (lightReaches != darkReaches)
        return lightReaches ? lighter : darker;
    if (lightReaches) // both: the smaller change
        return std::abs(lighter.lightnessF() - wanted.lightnessF()) <=
                       std::abs(darker.lightnessF() - wanted.lightnessF())
                   ? lighter
                   : darker;
    return ContrastRatio(lighter, background) >= ContrastRatio(darker, background) ? lighter : darker;
}

void ShowWrittenColors(QTextDocument& document, const QColor& background, const QColor& textColor) {
    struct Change {
        int Position;
        int Length;
        QColor Shown;
    };
    // Collected first: changing a format can merge fragments under a running iterator.
    std::vector<Change> changes;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        for (auto it = block.begin(); !it.atEnd(); ++it) {
            const QTextFragment fragment = it.fragment();
            const QVariant written = fragment.charFormat().property(WrittenColorProperty);
            if (!written.isValid())
                continue;
            QColor shown = written.value<QColor>();
            if (background.isValid())
                shown = shown == QColor(Qt::black) ? textColor : ReadableOn(shown, background);
            if (fragment.charFormat().foreground().color() != shown)
                changes.push_back({fragment.position(), fragment.length(), shown});
        }
    }
    if (changes.empty())
        return;
    // Showing the text in other colours is no edit of it: the document stays as modified as it
    // was, and nothing is added to an empty undo history. (Qt cannot keep a change out of a
    // history that already holds edits.)
    const bool modified = document.isModified();
    const bool noHistory = document.isUndoRedoEnabled() && !document.isUndoAvailable() && !document.isRedoAvailable();
    if (noHistory)
        document.setUndoRedoEnabled(false);
    const auto restore = qScopeGuard([&] {
        if (noHistory)
            document.setUndoRedoEnabled(true);
        document.setModified(modified);
    });
    QTextCursor cursor(&document);
    cursor.beginEditBlock();
    for (const Change& change : changes) {
        QTextCharFormat format;
        format.setForeground(change.Shown);
        cursor.setPosition(change.Position);
        cursor.setPosition(change.Position + change.Length, QTextCursor::KeepAnchor);
        cursor.mergeCharFormat(format);
    }
    cursor.endEditBlock();
}

namespace {
const char* const BackgroundProperty = "morvaneWrittenBackground";
const char* const TextProperty = "morvaneWrittenText";
} // namespace

void SetWrittenColorBackground(QObject* edit, const QColor& background, const QColor& textColor) {
    edit->setProperty(BackgroundProperty, background.isValid() ? QVariant(background) : QVariant());
    edit->setProperty(TextProperty, textColor.isValid() ? QVariant(textColor) : QVariant());
}

QColor ShownWrittenColor(const QObject* edit, const QColor& written) {
    const QVariant background = edit->property(BackgroundProperty);
    if (!background.isValid())
        return written;
    if (written == QColor(Qt::black))
        return edit->property(TextProperty).value<QColor>();
    return ReadableOn(written, background.value<QColor>());
}
