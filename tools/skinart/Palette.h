#pragma once
// Colour reduction for 8-bit bitmaps. The reserved colours (magenta and the grey levels of the
// mask layers) stay exact; the remaining entries are chosen by median cut over the picture's
// colours and refined by a few k-means rounds, so smooth gradients keep fine steps. Every pixel
// takes its nearest entry, without dithering, so mask layers and flat areas stay clean.

#include <QImage>
#include <vector>

// The picture (opaque) with at most `entries` colours; pixels of a reserved colour keep it and
// no other pixel ever becomes magenta.
QImage ReduceColours(const QImage& picture, const std::vector<QRgb>& reserved, int entries = 256);
