#pragma once
// Section gradients: each step fills its share of the rectangle in turn, from colour 1 to
// colour 2; mode 0 stacks the steps downward with vertical gradients, mode 1 side by side with
// horizontal ones (the first step's mode decides). What the shares leave over takes the last
// colour.

#include "Gradient.h"

#include <QRect>

class QPainter;

void DrawGradient(QPainter& painter, const TsGradArray& steps, const QRect& rect);
