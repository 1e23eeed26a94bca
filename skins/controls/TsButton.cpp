#include "TsButton.h"

#include <QKeyEvent>

TsButton::TsButton(QWidget* parent) : QPushButton(parent) {
    setAutoDefault(false);
}

void TsButton::keyPressEvent(QKeyEvent* event) {
    // Enter clicks the focused button, as Space does: what a keyboard user tries first. A key
    // held down clicks once, so a step is never started again and again.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}
