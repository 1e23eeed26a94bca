#include "TRichEdit.h"

#include "ReadableColors.h"

#include <QHelpEvent>
#include <QLinearGradient>
#include <QPainter>
#include <QScrollBar>
#include <QScreen>
#include <QTextBlock>
#include <QTextCursor>
#include <QToolTip>
#include <algorithm>

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setTabChangesFocus(true);
    document()->setDocumentMargin(2);
}

void TRichEdit::SetText(const QString& text) {
    setPlainText(text);
    ApplyIndent();
    ShowTheEnd();
    // A tool tip on show follows the text (the progress of a job moves on under it).
    if (tipAt_ && QToolTip::isVisible() && QToolTip::text() == tipText_) {
        if (ShowsWholeText() || Text().isEmpty())
            QToolTip::hideText();
        else
            ShowTip(*tipAt_);
    }
}

// A box of one line that cannot show all of its text shows its end: the file name of a path,
// and the news at the end of a status message (what is being done, how far, what to do).
void TRichEdit::ShowTheEnd() {
    if (lineWrapMode() != QTextEdit::NoWrap)
        return;
    document()->adjustSize();
    horizontalScrollBar()->setValue(ShowsWholeText() ? 0 : horizontalScrollBar()->maximum());
}

void TRichEdit::paintEvent(QPaintEvent* event) {
    QTextEdit::paintEvent(event);
    // Where the start of the text is out of sight, it fades into the box instead of ending in
    // half a letter.
    if (lineWrapMode() != QTextEdit::NoWrap || horizontalScrollBar()->value() == 0)
        return;
    const QColor base = palette().color(QPalette::Base);
    QColor clear = base;
    clear.setAlpha(0);
    const int width = std::min(FadeWidth, viewport()->width() / 4);
    QLinearGradient fade(0, 0, width, 0);
    fade.setColorAt(0, base);
    fade.setColorAt(1, clear);
    QPainter painter(viewport());
    painter.fillRect(QRect(0, 0, width, viewport()->height()), fade);
}

void TRichEdit::resizeEvent(QResizeEvent* event) {
    QTextEdit::resizeEvent(event);
    ShowTheEnd();
}

void TRichEdit::AppendLine(const QString& text, const QColor& color) {
    QTextCursor cursor(document());
    cursor.movePosition(QTextCursor::End);
    // The line keeps the colour it was written in; a skin may show it lighter or darker so it
    // stays readable on the skin's background.
    QTextCharFormat format;
    format.setProperty(WrittenColorProperty, color);
    format.setForeground(ShownWrittenColor(this, color));
    if (!document()->isEmpty())
        cursor.insertBlock();
    cursor.insertText(text, format);
    ApplyIndent();
    setTextCursor(cursor);
    ensureCursorVisible();
    repaint();
}

void TRichEdit::SetFirstLineIndent(qreal points) {
    indentPoints_ = points;
    ApplyIndent();
}

void TRichEdit::ApplyIndent() {
    // Points to pixels at the screen's logical density (3 pt = 4 px at 96 ppi).
    const qreal pixels = indentPoints_ * logicalDpiX() / 72.0;
    QTextCursor cursor(document());
    cursor.select(QTextCursor::Document);
    QTextBlockFormat block;
    block.setTextIndent(pixels);
    cursor.mergeBlockFormat(block);
}

QList<QColor> TRichEdit::LineColors() const {
    QList<QColor> colors;
    for (QTextBlock block = document()->begin(); block.isValid(); block = block.next()) {
        if (block.text().isEmpty() && !block.next().isValid() && colors.isEmpty())
            break;
        const auto it = block.begin();
        if (it.atEnd()) {
            colors.append(QColor());
            continue;
        }
        const QTextCharFormat format = it.fragment().charFormat();
        const QVariant written = format.property(WrittenColorProperty);
        colors.append(written.isValid() ? written.value<QColor>() : format.foreground().color());
    }
    return colors;
}

bool TRichEdit::ShowsWholeText() const {
    if (lineWrapMode() != QTextEdit::NoWrap)
        return true;
    return document()->idealWidth() <= contentsRect().width();
}

// The path and status boxes are one line high and disabled: a long path or message is cut at
// the box's edge, and its tool tip is the one way left to read it whole.
bool TRichEdit::ShowWholeTextTip(QEvent* event) {
    if (event->type() != QEvent::ToolTip || ShowsWholeText() || Text().isEmpty())
        return false;
    ShowTip(static_cast<QHelpEvent*>(event)->globalPos());
    return true;
}

void TRichEdit::ShowTip(const QPoint& at) {
    // A path stays on one line while the screen has room for it; a long message wraps.
    const QRect room = screen() != nullptr ? screen()->availableGeometry() : QRect(0, 0, 1024, 768);
    const bool oneLine = fontMetrics().horizontalAdvance(Text()) < room.width() * 4 / 5;
    tipText_ = QStringLiteral("<p style=\"white-space:%1\">%2</p>")
                   .arg(oneLine ? QStringLiteral("pre") : QStringLiteral("normal"), Text().toHtmlEscaped());
    tipAt_ = at;
    QToolTip::showText(at, tipText_, this);
}

bool TRichEdit::event(QEvent* event) {
    return ShowWholeTextTip(event) || QTextEdit::event(event);
}

bool TRichEdit::viewportEvent(QEvent* event) {
    return ShowWholeTextTip(event) || QTextEdit::viewportEvent(event);
}
