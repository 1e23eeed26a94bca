#pragma once
// The tool tip a widget shows for a point: any tip already up is let go first (a tip goes after
// a short fade), then the widget is asked as the pointer resting there asks it. Empty when it
// shows none. For the tests of widgets; include only where Qt Widgets is linked.

#include <QApplication>
#include <QElapsedTimer>
#include <QHelpEvent>
#include <QToolTip>
#include <QWidget>

inline QString ShownToolTip(QWidget* widget, QPoint at) {
    QToolTip::hideText();
    QElapsedTimer fade;
    fade.start();
    while (QToolTip::isVisible() && fade.elapsed() < 2000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QHelpEvent help(QEvent::ToolTip, at, widget->mapToGlobal(at));
    QApplication::sendEvent(widget, &help);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}
