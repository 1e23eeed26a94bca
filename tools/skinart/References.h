#pragma once
// The fixed-width image references of skin texts, on rectangles of the master image.

#include "Atlas.h"

#include <QMargins>
#include <string>

// "@left@top@right@bottom@count@masktype"
std::string GlyphReference(const AtlasSlot& slot);

struct BorderOptions {
    QMargins Margins;    // left, top, right and bottom widths of the fixed border
    int StretchMode = 1; // 0 tiles, 1 stretches, 5 leaves the centre out (see skins/README.md)
    int BorderWidth = 0;
};

// "^left^top^right^bottom^wl^wt^wr^wb^count^masktype^stretch^borderwidth"
std::string BorderReference(const AtlasSlot& slot, const BorderOptions& options);

// "~left~top~right~bottom~stretch~masktype"
std::string TextureReference(const AtlasSlot& slot, int stretchMode);
