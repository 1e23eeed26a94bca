#pragma once
// The tables a skin is loaded into: a plain model, filled once by the loader and then only read.
// Section values are already inherited; masks and patterns are inherited by the lookups.

#include "Gradient.h"

#include <QImage>
#include <QRect>
#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

enum class TacImgType : std::int16_t {
    itisaBorder = 0,
    itisaTexture = 1,
    itisaGlyph = 2,
    itisaGlow = 3,
    itisaPngGlyph = 4,
};

// One image reference of the skin: a rectangle of the master image (Image is null) or an own
// picture. Bitmaps use magenta ($FF00FF) as their transparent colour; a 32-bit bitmap used as a
// texture may keep its own alpha.
struct TsMaskData {
    QImage Image;
    std::string SectionName;
    std::string PropertyName;
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;
    // Columns, one per control state, and layers - 1; at least 1 and 0 once the load is done.
    // The 16-bit fields hold numbers beyond their range clamped, never wrapped.
    std::int16_t ImageCount = 0;
    std::int16_t MaskType = 0;
    std::int16_t BorderWidth = 0;
    std::int16_t StretchMode = 0;
    TacImgType ImgType = TacImgType::itisaBorder;
    std::int16_t WL = 0;
    std::int16_t WT = 0;
    std::int16_t WR = 0;
    std::int16_t WB = 0;

    // Made once at load, so painters never key colours or combine layers: the mask's rectangle
    // cut from its picture, one layer high, premultiplied ARGB. Magenta pixels are transparent;
    // with a mask type of 1 or more the grey of the second layer is the alpha of the first
    // (white opaque, black transparent). ImageCount columns of equal width, one per state. Null
    // when the rectangle holds no pixels.
    QImage Picture;

    // Width of one state column of Picture.
    int ColumnWidth() const { return ImageCount > 0 ? Picture.width() / ImageCount : Picture.width(); }
    // The column of a state; a state beyond the last column uses the last column.
    QRect Column(int state) const;
    static constexpr int FocusedColumn = 4;
};
using TsMaskArray = std::vector<TsMaskData>;

// A JPEG large enough to be drawn as a pattern rather than kept as a texture mask.
struct TsPatternData {
    QImage Image;
    std::string PropertyName;
    std::string SectionName;
};
using TsPatternArray = std::vector<TsPatternData>;

// Caption text colours: the font colour and the four outline colours (-1: no outline step).
struct TsFontColors {
    std::int32_t Color = 0;
    std::int32_t Left = -1;
    std::int32_t Top = -1;
    std::int32_t Right = -1;
    std::int32_t Bottom = -1;
};

// Mask indexes resolved for each section at load, parent sections included, so painting never
// searches the tables by name. The first five are the border and corner masks; Texture and
// HotTexture are the texture masks of "PATTERN" and "HOTPATTERN"; Glyph is "GLYPHMASK", Glow
// the progress glow region "LRGN".
enum class SectionMask {
    BordersMask,
    ImgTopLeft,
    ImgTopRight,
    ImgBtmLeft,
    ImgBtmRight,
    Texture,
    HotTexture,
    GlyphMask,
    Lrgn,
};
inline constexpr std::size_t SectionMaskCount = 9;

// Pattern-table indexes ("PATTERN" and "HOTPATTERN" pictures too large for a texture).
enum class SectionPattern { Pattern, HotPattern };

struct TsGeneralData {
    std::string SectionName;
    std::string ParentClass;
    std::int32_t Color = 0xFFFFFF;
    bool ReservedBoolean = false;
    bool GiveOwnFont = false;
    std::int32_t GlowCount = 0;
    std::int32_t GlowMargin = 0;
    TsFontColors FontColor;
    TsFontColors HotFontColor;
    std::int32_t Transparency = 0;
    std::int32_t GradientPercent = 0;
    std::int32_t ImagePercent = 0;
    TsGradientPtr GradientValue; // shared with the sections that inherit the same value
    bool ShowFocus = false;
    bool FadingEnabled = false;
    std::int32_t FadingIterations = 5;
    std::int32_t HotColor = 0xFFFFFF;
    std::int32_t HotTransparency = 0;
    std::int32_t HotGradientPercent = 0;
    TsGradientPtr HotGradientValue;
    std::int32_t HotImagePercent = 0;
    std::int32_t HotGlowColor = 0xFFFFFF;
    std::uint8_t HotGlowSize = 0;
    std::int32_t GlowColor = 0xFFFFFF;
    std::uint8_t GlowSize = 0;
    // Index of the section named by ParentClass; -1 at the end of a chain (no parent, "?",
    // itself, not a section, or a loop through several sections).
    int ParentIndex = -1;
    std::array<int, SectionMaskCount> MaskIndex = {-1, -1, -1, -1, -1, -1, -1, -1, -1}; // by SectionMask
    std::array<int, 2> PatternIndex = {-1, -1};                                         // by SectionPattern

    // The gradients as written (" " and "" when absent) and their parsed steps; painters read
    // them only through these.
    const std::string& GradientData() const;
    const std::string& HotGradientData() const;
    const TsGradArray& Gradient() const;
    const TsGradArray& HotGradient() const;

    int Mask(SectionMask which) const { return MaskIndex[static_cast<std::size_t>(which)]; }
    int Pattern(SectionPattern which) const { return PatternIndex[static_cast<std::size_t>(which)]; }
};
using TsGeneralDataArray = std::vector<TsGeneralData>;

// Skin-wide values of GLOBALINFO.
struct TsSkinData {
    double Version = 0;      // 0 when the text is not a number
    std::string VersionText; // "VERSION" as written, for display
    std::string Author;
    std::string Description;
    std::string MasterBitmap;
    std::int32_t BorderWidth = 4;
    std::int32_t TitleHeight = 30;
    std::int32_t MaxHeight = 0; // title height of a maximised window; 0 means TitleHeight
    std::int32_t FormOffset = 8;
    std::int32_t CenterOffset = 0;
    std::int32_t BorderMode = 0;
    std::int32_t Shadow1Color = 0;
    std::int32_t Shadow1Offset = 0;
    std::int32_t Shadow1Blur = -1;
    std::int32_t Shadow1Transparency = 0;
    std::int32_t BISpace = 0;
    std::int32_t BIVAlign = 0;
    std::int32_t BIRight = 0;
    std::int32_t BILeft = 0;
    std::int32_t BITop = 0;
    std::int32_t BorderColor = 0;
    std::int32_t BIKeepHue = 0;
    std::int32_t BICloseGlow = 0;
    std::int32_t BICloseGlowMargin = 0;
    std::int32_t BIMaxGlow = 0;
    std::int32_t BIMaxGlowMargin = 0;
    std::int32_t BIMinGlow = 0;
    std::int32_t BIMinGlowMargin = 0;
};

struct SkinTables {
    // The master image as decoded (magenta still in it); masks carry their resolved pictures.
    QImage MasterBitmap; // null when the skin names none or it was not found
    TsGeneralDataArray GeneralData;
    TsMaskArray Masks;
    TsPatternArray Patterns;
    TsSkinData SkinData;
    std::string SkinPath; // folder prefix of loose image files; empty for packages

    // Index of the first section named exactly `name`; -1 when none.
    int FindSection(const std::string& name) const;
    // First mask (texture, pattern) of the section with that property, else the same search in
    // the parent sections; -1 when none.
    int FindMask(int sectionIndex, const std::string& sectionName, const std::string& propertyName) const;
    int FindTexture(int sectionIndex, const std::string& sectionName, const std::string& propertyName) const;
    int FindPattern(int sectionIndex, const std::string& sectionName, const std::string& propertyName) const;

    // Null when the index is out of range.
    const TsGeneralData* Section(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < GeneralData.size() ? &GeneralData[index]
                                                                                  : nullptr;
    }
    const TsMaskData* Mask(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < Masks.size() ? &Masks[index] : nullptr;
    }
    const TsPatternData* Pattern(int index) const {
        return index >= 0 && static_cast<std::size_t>(index) < Patterns.size() ? &Patterns[index] : nullptr;
    }

    // First index of each (section name, property name) as written, filled by ResolveSkinTables;
    // the key is the two names joined by a zero byte.
    struct NameIndex {
        std::unordered_map<std::string, int> Masks;
        std::unordered_map<std::string, int> Textures;
        std::unordered_map<std::string, int> Patterns;
        std::unordered_map<std::string, int> Sections;
    } Index;
};

// A loaded skin is handed out whole and never changed: a new skin is built on the side and
// replaces the pointer.
using SkinTablesPtr = std::shared_ptr<const SkinTables>;
