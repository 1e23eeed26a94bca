#include "KeyboardWindowDrag.h"

#include "AttachedObject.h"

#include <QApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QVariant>
#include <utility>

namespace {

constexpr char DragProperty[] = "KeyboardWindowDrag";

Qt::CursorShape CursorFor(Qt::Edges edges) {
    const bool horizontal = edges & (Qt::LeftEdge | Qt::RightEdge);
    const bool vertical = edges & (Qt::TopEdge | Qt::BottomEdge);
    if (horizontal && vertical) {
        const bool falling =
            (edges & Qt::LeftEdge) ? bool(edges & Qt::TopEdge) : bool(edges & Qt::BottomEdge);
        return falling ? Qt::SizeFDiagCursor : Qt::SizeBDiagCursor;
    }
    if (horizontal)
        return Qt::SizeHorCursor;
    if (vertical)
        return Qt::SizeVerCursor;
    return Qt::SizeAllCursor;
}

bool IsArrow(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right || key == Qt::Key_Up || key == Qt::Key_Down;
}

bool Horizontal(int key) {
    return key == Qt::Key_Left || key == Qt::Key_Right;
}

// The edge an arrow key points at.
Qt::Edge EdgeOf(int key) {
    switch (key) {
    case Qt::Key_Left:
        return Qt::LeftEdge;
    case Qt::Key_Right:
        return Qt::RightEdge;
    case Qt::Key_Up:
        return Qt::TopEdge;
    default:
        return Qt::BottomEdge;
    }
}

} // namespace

void KeyboardWindowDrag::Start(QWidget* window, Kind kind, Dragged dragged) {
    if (KeyboardWindowDrag* running = Of(window))
        running->End(true);
    new KeyboardWindowDrag(window, kind, std::move(dragged));
}

KeyboardWindowDrag* KeyboardWindowDrag::Of(const QWidget* window) {
    return window ? static_cast<KeyboardWindowDrag*>(window->property(DragProperty).value<QObject*>())
                  : nullptr;
}

KeyboardWindowDrag::KeyboardWindowDrag(QWidget* window, Kind kind, Dragged dragged)
    : window_(window), kind_(kind), dragged_(std::move(dragged)), start_(window->geometry()) {
    DeleteWith(window, this, window_);
    window->setProperty(DragProperty, QVariant::fromValue(static_cast<QObject*>(this)));
    qApp->installEventFilter(this);
    ShowCursor();
}

KeyboardWindowDrag::~KeyboardWindowDrag() {
    qApp->removeEventFilter(this);
    HideCursor();
}

void KeyboardWindowDrag::HideCursor() {
    if (std::exchange(cursorShown_, false))
        QGuiApplication::restoreOverrideCursor();
}

void KeyboardWindowDrag::ShowCursor() {
    const QCursor cursor(CursorFor(edges_));
    if (cursorShown_) {
        QGuiApplication::changeOverrideCursor(cursor);
    } else {
        QGuiApplication::setOverrideCursor(cursor);
        cursorShown_ = true;
    }
}

bool KeyboardWindowDrag::eventFilter(QObject* watched, QEvent* event) {
    if (window_ == nullptr)
        return false;
    switch (event->type()) {
    case QEvent::ShortcutOverride:
        // Taken, so that no shortcut fires: the key comes as a press, and that is taken too.
        event->accept();
        return true;
    case QEvent::KeyPress: {
        const auto* key = static_cast<QKeyEvent*>(event);
        return Key(key->key(), key->modifiers());
    }
    case QEvent::KeyRelease:
        return true;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick:
    case QEvent::NonClientAreaMouseButtonPress:
        // The click ends the drag and does nothing else.
        End(true);
        return true;
    case QEvent::WindowDeactivate:
    case QEvent::Hide:
    case QEvent::Close:
        if (watched == window_)
            End(true);
        return false;
    default:
        return false;
    }
}

bool KeyboardWindowDrag::Key(int key, Qt::KeyboardModifiers modifiers) {
    switch (key) {
    case Qt::Key_Escape:
        End(false);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        End(true);
        return true;
    default:
        break;
    }
    if (!IsArrow(key))
        return true;
    const bool horizontal = Horizontal(key);
    if (kind_ == Kind::Size) {
        const Qt::Edges across = horizontal ? Qt::LeftEdge | Qt::RightEdge : Qt::TopEdge | Qt::BottomEdge;
        if (!(edges_ & across)) {
            ChooseEdge(key);
            return true;
        }
    }
    const int step = (modifiers & Qt::ControlModifier) ? 1 : Step;
    const int sign = (key == Qt::Key_Left || key == Qt::Key_Up) ? -1 : 1;
    (horizontal ? delta_.rx() : delta_.ry()) += sign * step;
    const QRect placed = dragged_(start_, edges_, delta_);
    // An edge held at the smallest size goes no further, and comes back at the next press the
    // other way.
    if (kind_ == Kind::Size) {
        if (edges_ & Qt::LeftEdge)
            delta_.setX(placed.left() - start_.left());
        if (edges_ & Qt::RightEdge)
            delta_.setX(placed.right() - start_.right());
        if (edges_ & Qt::TopEdge)
            delta_.setY(placed.top() - start_.top());
        if (edges_ & Qt::BottomEdge)
            delta_.setY(placed.bottom() - start_.bottom());
    }
    window_->setGeometry(placed);
    return true;
}

void KeyboardWindowDrag::ChooseEdge(int key) {
    edges_ |= EdgeOf(key);
    ShowCursor();
}

void KeyboardWindowDrag::End(bool keep) {
    QWidget* window = window_;
    if (window == nullptr || Of(window) != this)
        return;
    window->setProperty(DragProperty, QVariant());
    qApp->removeEventFilter(this);
    HideCursor();
    if (!keep)
        window->setGeometry(start_);
    deleteLater();
}
