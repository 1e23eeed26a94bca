#pragma once
// The selection of an item view's row (the file dialog's lists and trees) drawn from the skin's
// SELECTION section, and the same row under the mouse shown as a faint tint of it.

#include "SkinTables.h"

class QPainter;
class QStyleOption;

// How strongly a row under the mouse shows the selection: enough to follow the pointer, well
// short of the selected row, so the one is never taken for the other.
inline constexpr double HoverSelectionStrength = 0.25;

// Draws the part of the row's selection that lies under one cell (`option->rect`): the whole
// selection when the option is selected, the hover tint when it is only under the mouse.
void DrawRowSelection(QPainter& painter, const SkinTables& skin, int selection, const QStyleOption* option);
