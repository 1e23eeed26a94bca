#pragma once
// The hue and saturation change a skin manager may ask for, applied to freshly loaded tables
// before they are handed out: the master image, the masks' own pictures and their resolved
// pictures, the section colours (caption colours and outlines included, gradients too) and the
// skin's shadow and border colours. Under a hue change the title-bar icons that "BIKEEPHUE"
// names keep their pictures. No change costs nothing.

#include "HslColor.h"
#include "SkinTables.h"

using SkinColorChange = HslChange;

void ChangeSkinColors(SkinTables& tables, const SkinColorChange& change);
