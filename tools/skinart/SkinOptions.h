#pragma once
// The Options.dat text of a skin: GLOBALINFO with the skin-wide values and the glyphs, then every
// section with its colours, gradients and image references into the master image.

#include "Atlas.h"
#include "OptionsText.h"
#include "SkinStyle.h"

OptionsText BuildOptions(const SkinStyle& style, const Atlas& master);

// Sections for translucent edits and combo boxes, which follow the plain ones.
void AddAlphaSections(OptionsText& text);
