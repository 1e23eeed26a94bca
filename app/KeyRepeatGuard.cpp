#include "KeyRepeatGuard.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QWindow>

TKeyRepeatGuard::TKeyRepeatGuard(QObject* parent) : QObject(parent) {
    QCoreApplication::instance()->installEventFilter(this);
    // A press that closes or opens a window often sends its release to no window at all: after
    // the focus has moved, a missing release says nothing. (Repeats still carry their mark or
    // their twin release's time.)
    if (auto* gui = qobject_cast<QGuiApplication*>(QCoreApplication::instance()))
        connect(gui, &QGuiApplication::focusWindowChanged, this, [this] { held_ = false; });
}

bool TKeyRepeatGuard::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    if (key->key() != Qt::Key_Return && key->key() != Qt::Key_Enter)
        return false;
    if (event == judged_ && event->type() == judgedType_ && key->timestamp() == judgedTime_)
        return dropped_;
    judged_ = event;
    judgedType_ = event->type();
    judgedTime_ = key->timestamp();
    if (event->type() == QEvent::KeyRelease) {
        dropped_ = false;
        if (!key->isAutoRepeat()) {
            held_ = false;
            releasedAt_ = key->timestamp();
        }
        return false;
    }
    // A release can go astray: a press long after the last one is a new press, whatever was
    // missed in between.
    const bool soonAfter = held_ && key->timestamp() >= pressedAt_ && key->timestamp() - pressedAt_ <= RepeatWindow;
    dropped_ = key->isAutoRepeat() || soonAfter || (releasedAt_ && *releasedAt_ == key->timestamp());
    held_ = true;
    pressedAt_ = key->timestamp();
    releasedAt_.reset();
    return dropped_;
}
