#include "WindowPlacement.h"

#include "ScreenFit.h"

#include <QGuiApplication>
#include <QScreen>
#include <QTimer>
#include <QVariant>
#include <QWidget>
#include <QWindow>

namespace {

// Where the minimised and maximised positions live between a set and the next get.
constexpr const char* MinPositionProperty = "morvane_placement_min_position";
constexpr const char* MaxPositionProperty = "morvane_placement_max_position";
// Set by a placement that restores to maximised: the program's minimise after the show keeps it.
constexpr const char* RestoreToMaximizedProperty = "morvane_placement_restore_to_maximized";

constexpr Qt::WindowStates MinMaxStates = Qt::WindowMinimized | Qt::WindowMaximized | Qt::WindowFullScreen;

TPlacementPoint StoredPoint(const QWidget* window, const char* name) {
    const QVariant value = window->property(name);
    if (!value.isValid())
        return {-1, -1};
    const QPoint point = value.toPoint();
    return {point.x(), point.y()};
}

void StorePoint(QWidget* window, const char* name, TPlacementPoint point) {
    window->setProperty(name, QPoint(point.X, point.Y));
}

TPlacementRect ToPlacementRect(const QRect& rect) {
    return {rect.left(), rect.top(), rect.left() + rect.width(), rect.top() + rect.height()};
}

TBounds64 Bounds64(const TPlacementRect& rect) {
    return {rect.Left, rect.Top, rect.Right, rect.Bottom};
}

bool IsFrameless(const QWidget* window) {
    return (window->windowFlags() & Qt::FramelessWindowHint) != 0;
}

QMargins FrameMargins(const QWidget* window) {
    const QRect frame = WindowFrameRect(window);
    const QRect client = window->geometry();
    return {client.left() - frame.left(), client.top() - frame.top(), frame.right() - client.right(),
            frame.bottom() - client.bottom()};
}

QRect NormalFrameRect(const QWidget* window) {
    if (!(window->windowState() & MinMaxStates) || window->normalGeometry().isEmpty())
        return WindowFrameRect(window);
    return window->normalGeometry().marginsAdded(FrameMargins(window));
}

void MoveFrameTo(QWidget* window, const QRect& frame) {
    if (IsFrameless(window)) {
        // Placed by its own geometry: move() would still allow for the frame the platform
        // remembers.
        window->setGeometry(frame);
        return;
    }
    const QMargins margins = FrameMargins(window);
    window->move(frame.topLeft()); // a top-level window's position is that of its frame
    window->resize(std::max(0, frame.width() - margins.left() - margins.right()),
                   std::max(0, frame.height() - margins.top() - margins.bottom()));
}

// Qt keeps the normal geometry of a minimised or maximised window to itself, so the state is
// lifted while the window is placed.
void ApplyNormalRect(QWidget* window, const TPlacementRect& rect) {
    // Whatever the numbers, the window lands wholly on a screen at a size it can be seen at.
    const QRect frame = FitOnScreen(Bounds64(rect), SmallestFrameSize(window));
    if (NormalFrameRect(window) == frame)
        return;
    const Qt::WindowStates states = window->windowState();
    if (states & MinMaxStates)
        window->setWindowState(states & ~MinMaxStates);
    MoveFrameTo(window, frame);
    if (states & MinMaxStates)
        window->setWindowState(states);
}

void ShowInStates(QWidget* window, Qt::WindowStates states) {
    if (window->windowState() != states)
        window->setWindowState(states);
    if (!window->isVisible())
        window->show();
}

void ApplyShowCommand(QWidget* window, const TWindowPlacement& placement) {
    const Qt::WindowStates normal = window->windowState() & ~MinMaxStates;
    switch (placement.ShowCmd) {
    case ShowCmd::Hide:
        if (IsWindowVisible(window))
            window->hide();
        return;
    case ShowCmd::ShowMinimized:
    case ShowCmd::Minimize:
    case ShowCmd::ShowMinNoActive: {
        const bool toMaximized = (placement.Flags & PlacementFlags::RestoreToMaximized) != 0;
        ShowInStates(window,
                     normal | Qt::WindowMinimized | (toMaximized ? Qt::WindowMaximized : Qt::WindowNoState));
        return;
    }
    case ShowCmd::ShowMaximized:
        ShowInStates(window, normal | Qt::WindowMaximized);
        return;
    case ShowCmd::Show:
    case ShowCmd::ShowNA:
        ShowInStates(window, window->windowState());
        return;
    default:
        ShowInStates(window, normal);
        return;
    }
}

} // namespace

QRect WindowFrameRect(const QWidget* window) {
    // Placed by the frame the platform remembers from before, the window would come back larger,
    // or smaller and further down, at every start.
    return IsFrameless(window) ? window->geometry() : window->frameGeometry();
}

TWindowPlacement GetWindowPlacement(const QWidget* window) {
    TWindowPlacement placement;
    const Qt::WindowStates states = window->windowState();
    if (states & Qt::WindowMinimized)
        placement.ShowCmd = ShowCmd::ShowMinimized;
    else if (states & Qt::WindowMaximized)
        placement.ShowCmd = ShowCmd::ShowMaximized;
    // Minimised from maximised; or, until the window is on the screen, told by a placement to
    // restore to maximised once the program has minimised it.
    if (((states & Qt::WindowMinimized) && (states & Qt::WindowMaximized)) ||
        (!IsWindowVisible(window) && window->property(RestoreToMaximizedProperty).toBool()))
        placement.Flags |= PlacementFlags::RestoreToMaximized;
    placement.MinPosition = StoredPoint(window, MinPositionProperty);
    placement.MaxPosition = StoredPoint(window, MaxPositionProperty);
    placement.NormalPosition = ToPlacementRect(NormalFrameRect(window));
    return placement;
}

void SetWindowPlacement(QWidget* window, const TWindowPlacement& placement) {
    StorePoint(window, MinPositionProperty, placement.MinPosition);
    StorePoint(window, MaxPositionProperty, placement.MaxPosition);
    window->setProperty(RestoreToMaximizedProperty,
                        (placement.Flags & PlacementFlags::RestoreToMaximized) != 0);
    ApplyNormalRect(window, placement.NormalPosition);
    ApplyShowCommand(window, placement);
}

void MoveNormalBounds(QWidget* window, std::int32_t left, std::int32_t top) {
    const QRect bounds = NormalFrameRect(window);
    const TBounds64 moved{left, top, std::int64_t{left} + bounds.width(),
                          std::int64_t{top} + bounds.height()};
    const QRect frame = FitOnScreen(moved, SmallestFrameSize(window));
    ApplyNormalRect(window,
                    {frame.left(), frame.top(), frame.left() + frame.width(), frame.top() + frame.height()});
}

bool IsWindowVisible(const QWidget* window) {
    return window->isVisible() && window->windowHandle() != nullptr && window->windowHandle()->isVisible();
}

bool IsMainWindow(const QWidget* window) {
    return window->isWindow() && window->parentWidget() == nullptr;
}

bool IsProgramMinimized(const QWidget* mainWindow) {
    return mainWindow->isMinimized();
}

void PostProgramMinimize(QWidget* mainWindow) {
    QTimer::singleShot(0, mainWindow, [mainWindow] {
        // A window that was maximised when it was minimised comes back maximised when restored.
        const Qt::WindowStates restoreTo = mainWindow->property(RestoreToMaximizedProperty).toBool()
                                               ? Qt::WindowMaximized
                                               : Qt::WindowNoState;
        mainWindow->setProperty(RestoreToMaximizedProperty, false);
        mainWindow->setWindowState((mainWindow->windowState() & ~Qt::WindowActive) | Qt::WindowMinimized |
                                   restoreTo);
    });
}

void SetFormWindowState(QWidget* window, TWindowState state) {
    Qt::WindowStates states = window->windowState() & ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == TWindowState::wsMinimized)
        states |= Qt::WindowMinimized;
    else if (state == TWindowState::wsMaximized)
        states |= Qt::WindowMaximized;
    if (states != window->windowState())
        window->setWindowState(states);
}

void ResetStoredWindowState(QWidget* window) {
    if (!IsWindowVisible(window))
        SetFormWindowState(window, TWindowState::wsNormal);
}
