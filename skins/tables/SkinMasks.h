#pragma once
// Turns the image references of skin values into masks: "@" glyphs, "^" borders and "~"
// textures cut from the master image, "!" and plain bitmap names with their own pictures, and
// the "#" form. Numbers that are not integers raise EConvertError.

#include "SkinPictureSource.h"
#include "SkinTables.h"

#include <string>

struct MaskReference {
    const std::string& Section;
    const std::string& Key;
    const std::string& Value;
};

// Appends the mask the value stands for, if it is an image reference and its picture exists.
void AddMask(const MaskReference& reference, DecodedPictures& pictures, TsMaskArray& masks);

// Fills zero widths from the border width or, without one, from a third of a column and a
// third of a layer. An image count below 1 or a mask type below 0 cannot be divided by and
// raises a load error.
void DeriveBorderWidths(TsMaskData& mask, bool useBorderWidth);
