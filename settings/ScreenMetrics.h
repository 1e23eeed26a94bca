#pragma once
// Screen size, pixel density and frame sizes, as the placement file records and uses them.

#include "WindowPlacement.h"

class QWidget;

struct TScreenSize {
    int Width = 0;
    int Height = 0;
};

// Size in pixels of the primary screen.
TScreenSize PrimaryScreenSize();

// The primary screen's logical pixels per inch, rounded; 96 without a screen.
int ScreenPixelsPerInch();

enum class TBorderStyle { bsNone, bsSingle, bsSizeable, bsDialog, bsToolWindow, bsSizeToolWin };

// From the window's type, flags and size limits: a window whose minimum and maximum sizes are
// equal cannot be resized. A frameless window that can be resized counts as sizeable: the skin
// draws its sizing frame inside the window's bounds.
TBorderStyle FormBorderStyle(const QWidget* window);

// Widths (X) and heights (Y) of the three kinds of window frame.
struct TFrameMetrics {
    TPlacementPoint Border{1, 1};
    TPlacementPoint Frame{4, 4};
    TPlacementPoint DialogFrame{3, 3};
};

TFrameMetrics FrameMetrics();
// For a skin that draws frames of other sizes.
void SetFrameMetrics(const TFrameMetrics& metrics);

// The frame size of a border style; none for bsNone.
TPlacementPoint FrameSizeOf(TBorderStyle style);
