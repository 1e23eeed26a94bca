#pragma once
// Moving or resizing a window from the keyboard, for the Move and Size items of the window's
// menu (Alt+Space): each arrow key moves the window, or the edge being dragged, by 8 pixels (1
// with Ctrl held). For a resize, the first arrow picks the edge: left or right, top or bottom;
// an arrow across it adds the other edge of that corner. Enter or a click leaves the window
// where it is; Esc puts it back as it was. While it lasts, the keyboard goes to nothing else.

#include <QObject>
#include <QPoint>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>

class KeyboardWindowDrag : public QObject {
public:
    // Where the window goes when the edges (none: the whole window) have travelled by `delta`
    // from `start`; the window's smallest size is for the caller to keep.
    using Dragged = std::function<QRect(const QRect& start, Qt::Edges edges, const QPoint& delta)>;
    enum class Kind { Move, Size };

    static constexpr int Step = 8;

    // Starts on `window`, and ends by itself; a drag already under way on the window ends first.
    static void Start(QWidget* window, Kind kind, Dragged dragged);
    // The drag under way on `window`, or null.
    static KeyboardWindowDrag* Of(const QWidget* window);

    ~KeyboardWindowDrag() override;

    // Ends the drag, with the window where it is now or back where it was.
    void End(bool keep);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    KeyboardWindowDrag(QWidget* window, Kind kind, Dragged dragged);
    bool Key(int key, Qt::KeyboardModifiers modifiers);
    void ChooseEdge(int key);
    void ShowCursor();
    void HideCursor();

    QPointer<QWidget> window_;
    Kind kind_;
    Dragged dragged_;
    QRect start_;
    Qt::Edges edges_;
    QPoint delta_;
    bool cursorShown_ = false;
};
