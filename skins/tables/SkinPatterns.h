#pragma once
// JPEG references: large pictures become patterns, small ones texture masks.

#include "SkinMasks.h"

// Above this many pixels a JPEG is a pattern; up to it, a texture mask.
inline constexpr long long MaxTexturePixels = 89999;

struct SkinPatternTables {
    TsMaskArray& Masks;
    TsPatternArray& Patterns;
};

void AddPattern(const MaskReference& reference, DecodedPictures& pictures, const SkinPatternTables& tables);
