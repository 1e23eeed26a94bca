#include "ScreenMetrics.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <cmath>

namespace {

TFrameMetrics& CurrentFrameMetrics() {
    static TFrameMetrics metrics;
    return metrics;
}

} // namespace

TScreenSize PrimaryScreenSize() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    if (screen == nullptr)
        return {};
    return {screen->size().width(), screen->size().height()};
}

int ScreenPixelsPerInch() {
    const QScreen* screen = QGuiApplication::primaryScreen();
    return screen == nullptr ? 96 : static_cast<int>(std::lround(screen->logicalDotsPerInch()));
}

TBorderStyle FormBorderStyle(const QWidget* window) {
    const bool sizeable = window->minimumSize() != window->maximumSize();
    const Qt::WindowType type = window->windowType();
    if (type == Qt::Tool)
        return sizeable ? TBorderStyle::bsSizeToolWin : TBorderStyle::bsToolWindow;
    if (window->windowFlags().testFlag(Qt::FramelessWindowHint))
        return sizeable ? TBorderStyle::bsSizeable : TBorderStyle::bsNone;
    if (!sizeable)
        return type == Qt::Dialog ? TBorderStyle::bsDialog : TBorderStyle::bsSingle;
    return TBorderStyle::bsSizeable;
}

TFrameMetrics FrameMetrics() {
    return CurrentFrameMetrics();
}

void SetFrameMetrics(const TFrameMetrics& metrics) {
    CurrentFrameMetrics() = metrics;
}

TPlacementPoint FrameSizeOf(TBorderStyle style) {
    const TFrameMetrics metrics = CurrentFrameMetrics();
    switch (style) {
    case TBorderStyle::bsSingle:
    case TBorderStyle::bsToolWindow:
        return metrics.Border;
    case TBorderStyle::bsSizeable:
    case TBorderStyle::bsSizeToolWin:
        return metrics.Frame;
    case TBorderStyle::bsDialog:
        return metrics.DialogFrame;
    case TBorderStyle::bsNone:
        break;
    }
    return {0, 0};
}
