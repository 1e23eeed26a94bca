#pragma once
// DarkGlass's background: a fine, seamlessly tiling grey grain around #3D3D3D, 256 x 256.

#include <QImage>

QImage DarkGlassGrain();
