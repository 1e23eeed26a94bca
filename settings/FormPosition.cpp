#include "FormPosition.h"

#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QVariant>
#include <QWidget>

namespace {

constexpr const char* PositionProperty = "morvane_form_position";

} // namespace

TPosition FormPosition(const QWidget* window) {
    const QVariant value = window->property(PositionProperty);
    return value.isValid() ? static_cast<TPosition>(value.toInt()) : TPosition::poDesigned;
}

void SetFormPosition(QWidget* window, TPosition position) {
    window->setProperty(PositionProperty, static_cast<int>(position));
}

void ApplyFormPosition(QWidget* window) {
    const QScreen* screen = QGuiApplication::primaryScreen();
    const TPosition position = FormPosition(window);
    if (screen == nullptr || position == TPosition::poDesigned)
        return;
    const QRect area = position == TPosition::poScreenCenter ? screen->geometry() : screen->virtualGeometry();
    const TPlacementRect bounds = GetWindowPlacement(window).NormalPosition;
    const int width = bounds.Right - bounds.Left;
    const int height = bounds.Bottom - bounds.Top;
    // Moving a maximised window through Qt would end its maximised state; only its normal
    // bounds are centred.
    MoveNormalBounds(window, area.left() + (area.width() - width) / 2,
                     area.top() + (area.height() - height) / 2);
}
