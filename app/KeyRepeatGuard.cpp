#include "KeyRepeatGuard.h"

#include <QAbstractButton>
#include <QApplication>
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
        connect(gui, &QGuiApplication::focusWindowChanged, this, [this] { enter_.Held = space_.Held = false; });
}

bool TKeyRepeatGuard::eventFilter(QObject* /*watched*/, QEvent* event) {
    if (event->type() != QEvent::KeyPress && event->type() != QEvent::KeyRelease)
        return false;
    const auto* key = static_cast<const QKeyEvent*>(event);
    TKeyState* state = nullptr;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter)
        state = &enter_;
    else if (key->key() == Qt::Key_Space && qobject_cast<QAbstractButton*>(QApplication::focusWidget()))
        state = &space_;
    else
        return false;
    if (event == judged_ && event->type() == judgedType_ && key->timestamp() == judgedTime_)
        return dropped_;
    judged_ = event;
    judgedType_ = event->type();
    judgedTime_ = key->timestamp();
    if (event->type() == QEvent::KeyRelease) {
        dropped_ = false;
        if (!key->isAutoRepeat()) {
            state->Held = false;
            state->ReleasedAt = key->timestamp();
        }
        return false;
    }
    // A release can go astray: a press long after the last one is a new press, whatever was
    // missed in between.
    const bool soonAfter =
        state->Held && key->timestamp() >= state->PressedAt && key->timestamp() - state->PressedAt <= RepeatWindow;
    dropped_ = key->isAutoRepeat() || soonAfter || (state->ReleasedAt && *state->ReleasedAt == key->timestamp());
    state->Held = true;
    state->PressedAt = key->timestamp();
    state->ReleasedAt.reset();
    return dropped_;
}
