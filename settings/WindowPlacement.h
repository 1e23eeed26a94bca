#pragma once
// The placement record of a top-level window and the window-system facts that the placement
// file needs, provided on top of Qt.
//
// The normal rectangle is the window's outer bounds on the screen while it is neither
// minimised nor maximised (a frameless window's own bounds); right and bottom lie one past the
// last pixel. Qt has no minimised or maximised position of its own, so those two points are
// kept with the window and handed back unchanged.

#include <cstdint>

class QRect;
class QWidget;

struct TPlacementPoint {
    std::int32_t X = 0;
    std::int32_t Y = 0;
    bool operator==(const TPlacementPoint&) const = default;
};

struct TPlacementRect {
    std::int32_t Left = 0;
    std::int32_t Top = 0;
    std::int32_t Right = 0;
    std::int32_t Bottom = 0;
    bool operator==(const TPlacementRect&) const = default;
};

// Show commands, numbered as in the settings files.
namespace ShowCmd {
constexpr std::int32_t Hide = 0;
constexpr std::int32_t ShowNormal = 1;
constexpr std::int32_t ShowMinimized = 2;
constexpr std::int32_t ShowMaximized = 3;
constexpr std::int32_t ShowNoActivate = 4;
constexpr std::int32_t Show = 5;
constexpr std::int32_t Minimize = 6;
constexpr std::int32_t ShowMinNoActive = 7;
constexpr std::int32_t ShowNA = 8;
constexpr std::int32_t Restore = 9;
} // namespace ShowCmd

namespace PlacementFlags {
constexpr std::int32_t SetMinPosition = 1;
constexpr std::int32_t RestoreToMaximized = 2;
} // namespace PlacementFlags

struct TWindowPlacement {
    std::int32_t Flags = 0;
    std::int32_t ShowCmd = ShowCmd::ShowNormal;
    TPlacementPoint MinPosition{-1, -1};
    TPlacementPoint MaxPosition{-1, -1};
    TPlacementRect NormalPosition;
};

enum class TWindowState { wsNormal, wsMinimized, wsMaximized };

TWindowPlacement GetWindowPlacement(const QWidget* window);

// The window's outer rectangle, frame included. A frameless window (the skin draws its own frame)
// is its own frame, whatever frame the platform still reports from before it turned frameless.
QRect WindowFrameRect(const QWidget* window);

// Moves and sizes the window to the normal rectangle, made to fit wholly on the screen that
// shows most of it (moved, shrunk to the screen's available area, never below a size that can
// be seen), and puts it in the state the show command names; Hide only hides a window that is
// on the screen, so a window still being shown is placed without being shown.
void SetWindowPlacement(QWidget* window, const TWindowPlacement& placement);

// Moves the normal bounds, size unchanged unless the screen is smaller, keeping them on the
// screen; a minimised or maximised window keeps its state and returns to the new bounds.
void MoveNormalBounds(QWidget* window, std::int32_t left, std::int32_t top);

// On the screen: mapped, not merely about to be. False during the window's first show event.
bool IsWindowVisible(const QWidget* window);

// The program's main window: a top-level window with no parent.
bool IsMainWindow(const QWidget* window);

bool IsProgramMinimized(const QWidget* mainWindow);

// Minimises the program once its event loop runs.
void PostProgramMinimize(QWidget* mainWindow);

// Sets the state; a window on the screen shows it at once.
void SetFormWindowState(QWidget* window, TWindowState state);

// Clears a minimised or maximised state of a window that is not yet on the screen.
void ResetStoredWindowState(QWidget* window);
