#pragma once
// Readies freshly loaded tables for painting, once per load: the name indexes behind the
// lookups, each section's parent index and mask indexes, and each mask's picture (cut out,
// magenta made transparent, the mask layer applied as alpha, premultiplied). After this a
// painter needs no check beyond an index being -1.

#include "SkinBudget.h"
#include "SkinTables.h"

// The pictures cut for the masks count against the budget the decoded pictures used.
void ResolveSkinTables(SkinTables& tables, PixelBudget& budget);

// The lookup key of a section and property name.
std::string MaskKey(const std::string& sectionName, const std::string& propertyName);
