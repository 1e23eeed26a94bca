#pragma once
// The pictures of a skin's master image: which elements there are, the cell each one has and
// how each is drawn from the style.

#include "Atlas.h"
#include "SkinStyle.h"

#include <string>
#include <vector>

struct ElementCell {
    std::string Name;
    AtlasCell Cell;
};

// Every element the style's master image must hold, with its cell.
std::vector<ElementCell> MasterElements(const SkinStyle& style);

// Places the elements at the style's layout and draws them.
Atlas DrawMaster(const SkinStyle& style);

// The nine-part options of a border element.
BorderOptions BorderOf(const SkinStyle& style, const std::string& element);

// The 288 x 192 picture of BUTTON_HUGE: three columns over their mask layer.
Atlas DrawHugeButton(const SkinStyle& style);
