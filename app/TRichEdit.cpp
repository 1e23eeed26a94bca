#include "TRichEdit.h"

#include "ReadableColors.h"

#include <QTextBlock>
#include <QTextCursor>

TRichEdit::TRichEdit(QWidget* parent) : QTextEdit(parent) {
    setAcceptRichText(false);
    setTabChangesFocus(true);
    document()->setDocumentMargin(2);
}

void TRichEdit::SetText(const QString& text) {
    setPlainText(text);
    ApplyIndent();
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
