#pragma once
// Indexes the painting engine wants at hand, computed when a skin has been loaded and again
// before every new-skin broadcast. Absent sections and masks are -1.

#include "SkinTables.h"

#include <array>

struct TsSectionIndexes {
    int Section = -1;
    int BordersMask = -1;
    int GlyphMask = -1;
    int Pattern = -1;    // texture of "PATTERN"
    int HotPattern = -1; // texture of "HOTPATTERN"
};

enum class TsCheckGlyph {
    BoxChecked,
    BoxUnchecked,
    BoxGrayed,
    RadioChecked,
    RadioUnchecked,
    RadioGrayed,
    SmallChecked,
    SmallUnchecked,
    SmallGrayed,
};

enum class TsScrollPart {
    BtnTop,
    BtnBottom,
    BtnLeft,
    BtnRight,
    SliderV,
    SliderH,
    Bar1H,
    Bar1V,
    Bar2H,
    Bar2V
};

enum class TsTabSide { Top, Bottom, Left, Right };

struct TsCacheIndexes {
    int GlobalInfo = -1;
    std::array<int, 9> CheckGlyphs = {-1, -1, -1, -1, -1, -1, -1, -1, -1}; // by TsCheckGlyph
    int ExBorder = -1;
    TsSectionIndexes ComboBtn;
    int ComboGlyph = -1; // "GLYPHMASK" of COMBOBOX
    std::array<TsSectionIndexes, 4> Tabs;
    std::array<TsSectionIndexes, 10> Scroll; // by TsScrollPart

    int CheckGlyph(TsCheckGlyph which) const { return CheckGlyphs[static_cast<std::size_t>(which)]; }
    const TsSectionIndexes& ScrollIndexes(TsScrollPart part) const {
        return Scroll[static_cast<std::size_t>(part)];
    }
    const TsSectionIndexes& Tab(TsTabSide side) const { return Tabs[static_cast<std::size_t>(side)]; }
};

// All -1 without a skin.
TsCacheIndexes ComputeCacheIndexes(const SkinTables* skin);
// The indexes of one section of a skin, all -1 when it has no such section.
TsSectionIndexes SectionIndexes(const SkinTables& skin, const char* name);
