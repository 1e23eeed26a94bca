#pragma once
// Rich-text box: a QTextEdit that takes coloured lines and indents the first line of every
// paragraph.

#include <QColor>
#include <QTextEdit>
#include <optional>

class TRichEdit : public QTextEdit {
    Q_OBJECT
public:
    explicit TRichEdit(QWidget* parent = nullptr);

    QString Text() const { return toPlainText(); }
    // Replaces the whole text (in the default colour).
    void SetText(const QString& text);

    // Appends a new last line in the given colour and repaints at once. Earlier lines keep
    // their colours.
    void AppendLine(const QString& text, const QColor& color);

    // First-line indent of every paragraph, in points (3 points = 60 twips).
    void SetFirstLineIndent(qreal points);
    qreal FirstLineIndent() const { return indentPoints_; }

    // Colour each line was written in, in order (under a skin it may be shown lighter or darker).
    QList<QColor> LineColors() const;

    // Whether a box of one unwrapped line shows all of its text. A box that does not shows the
    // end of its text, and the whole text as its tool tip while the mouse rests on it.
    bool ShowsWholeText() const;

protected:
    bool event(QEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    bool viewportEvent(QEvent* event) override;

private:
    bool ShowWholeTextTip(QEvent* event);
    void ShowTip(const QPoint& at);
    void ShowTheEnd();

    void ApplyIndent();

    static constexpr int FadeWidth = 24; // pixels over which a cut start fades out
    qreal indentPoints_ = 0;
    std::optional<QPoint> tipAt_; // where this box last showed its tool tip, and what
    QString tipText_;
};
