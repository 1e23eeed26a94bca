#pragma once
// The five skins built into the program, in the order the window stores them: index 0 is the
// one an unknown skin name falls back to.

#include "SkinSettings.h"

TsStoredSkins BuiltInSkins();
