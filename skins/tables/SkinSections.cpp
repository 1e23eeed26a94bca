#include "SkinSections.h"

#include "SectionInheritance.h"
#include "StrToInt.h"
#include "SystemColors.h"

#include <optional>

namespace {

using IntegerSetter = void (*)(TsGeneralData&, std::int32_t);
using BooleanSetter = void (*)(TsGeneralData&, bool);

struct IntegerKey {
    const char* Key;
    std::int32_t Default;
    IntegerSetter Set;
};

struct BooleanKey {
    const char* Key;
    BooleanSetter Set;
};

// clang-format off
const IntegerKey IntegerKeys[] = {
    {"COLOR", 0xFFFFFF, [](TsGeneralData& d, std::int32_t v) { d.Color = ColorToRGB(v); }},
    {"GLOW", 0, [](TsGeneralData& d, std::int32_t v) { d.GlowCount = v; }},
    {"GLOWMARGIN", 0, [](TsGeneralData& d, std::int32_t v) { d.GlowMargin = v; }},
    {"FONTCOLOR", 0, [](TsGeneralData& d, std::int32_t v) { d.FontColor.Color = v; }},
    {"TCLEFT", -1, [](TsGeneralData& d, std::int32_t v) { d.FontColor.Left = v; }},
    {"TCTOP", -1, [](TsGeneralData& d, std::int32_t v) { d.FontColor.Top = v; }},
    {"TCRIGHT", -1, [](TsGeneralData& d, std::int32_t v) { d.FontColor.Right = v; }},
    {"TCBOTTOM", -1, [](TsGeneralData& d, std::int32_t v) { d.FontColor.Bottom = v; }},
    {"HOTFONTCOLOR", 0, [](TsGeneralData& d, std::int32_t v) { d.HotFontColor.Color = v; }},
    {"HOTTCLEFT", -1, [](TsGeneralData& d, std::int32_t v) { d.HotFontColor.Left = v; }},
    {"HOTTCTOP", -1, [](TsGeneralData& d, std::int32_t v) { d.HotFontColor.Top = v; }},
    {"HOTTCRIGHT", -1, [](TsGeneralData& d, std::int32_t v) { d.HotFontColor.Right = v; }},
    {"HOTTCBOTTOM", -1, [](TsGeneralData& d, std::int32_t v) { d.HotFontColor.Bottom = v; }},
    {"TRANSPARENCY", 0, [](TsGeneralData& d, std::int32_t v) { d.Transparency = v; }},
    {"GRADIENTPERCENT", 0, [](TsGeneralData& d, std::int32_t v) { d.GradientPercent = v; }},
    {"IMAGEPERCENT", 0, [](TsGeneralData& d, std::int32_t v) { d.ImagePercent = v; }},
    {"FADINGITERATIONS", 5, [](TsGeneralData& d, std::int32_t v) { d.FadingIterations = v; }},
    {"HOTCOLOR", 0xFFFFFF, [](TsGeneralData& d, std::int32_t v) { d.HotColor = v; }},
    {"HOTTRANSPARENCY", 0, [](TsGeneralData& d, std::int32_t v) { d.HotTransparency = v; }},
    {"HOTGRADIENTPERCENT", 0, [](TsGeneralData& d, std::int32_t v) { d.HotGradientPercent = v; }},
    {"HOTIMAGEPERCENT", 0, [](TsGeneralData& d, std::int32_t v) { d.HotImagePercent = v; }},
    {"HGCOL", 0xFFFFFF, [](TsGeneralData& d, std::int32_t v) { d.HotGlowColor = ColorToRGB(v); }},
    {"HGSIZE", 0, [](TsGeneralData& d, std::int32_t v) { d.HotGlowSize = static_cast<std::uint8_t>(v); }},
    {"GCOL", 0xFFFFFF, [](TsGeneralData& d, std::int32_t v) { d.GlowColor = ColorToRGB(v); }},
    {"GSIZE", 0, [](TsGeneralData& d, std::int32_t v) { d.GlowSize = static_cast<std::uint8_t>(v); }},
};

const BooleanKey BooleanKeys[] = {
    {"RESERVEDBOOLEAN", [](TsGeneralData& d, bool v) { d.ReservedBoolean = v; }},
    {"GIVEOWNFONT", [](TsGeneralData& d, bool v) { d.GiveOwnFont = v; }},
    {"SHOWFOCUS", [](TsGeneralData& d, bool v) { d.ShowFocus = v; }},
    {"FADINGENABLED", [](TsGeneralData& d, bool v) { d.FadingEnabled = v; }},
};
// clang-format on

// An integer counts as missing when absent, not an integer, or -1.
std::optional<std::int32_t> PresentInteger(const std::string* text) {
    if (text == nullptr)
        return std::nullopt;
    const std::optional<std::int32_t> number = TryStrToInt(*text);
    return number && *number != -1 ? number : std::nullopt;
}

// A string or Boolean counts as missing when absent or "?".
bool PresentText(const std::string* text) {
    return text != nullptr && *text != "?";
}

class SectionReader {
public:
    SectionReader(const SkinIni& ini, TsGeneralDataArray& data)
        : Sections(ini.Sections()), Data(data), Chains(ValueParents(ini)) {}

    void Integer(const IntegerKey& key) const {
        const std::vector<int> from = Chains.Providers(
            [&](std::size_t i) { return PresentInteger(Sections[i].Find(key.Key)).has_value(); });
        for (std::size_t i = 0; i < Data.size(); ++i)
            key.Set(Data[i], from[i] < 0 ? key.Default : *PresentInteger(Sections[from[i]].Find(key.Key)));
    }

    void Boolean(const BooleanKey& key) const {
        const std::vector<int> from = Providers(key.Key);
        for (std::size_t i = 0; i < Data.size(); ++i)
            key.Set(Data[i], from[i] >= 0 && SameText(*Sections[from[i]].Find(key.Key), "TRUE"));
    }

    // Sections that inherit one value share one parsed gradient.
    void Gradient(const char* key, const std::string& defaultValue,
                  TsGradientPtr TsGeneralData::*field) const {
        const std::vector<int> from = Providers(key);
        const auto absent =
            std::make_shared<const TsGradient>(TsGradient{defaultValue, ParseSteps(defaultValue)});
        std::vector<TsGradientPtr> parsed(Data.size());
        for (std::size_t i = 0; i < Data.size(); ++i) {
            if (from[i] < 0) {
                Data[i].*field = absent;
                continue;
            }
            TsGradientPtr& shared = parsed[static_cast<std::size_t>(from[i])];
            if (!shared) {
                const std::string& value = *Sections[from[i]].Find(key);
                shared = std::make_shared<const TsGradient>(TsGradient{value, ParseSteps(value)});
            }
            Data[i].*field = shared;
        }
    }

private:
    std::vector<int> Providers(const char* key) const {
        return Chains.Providers([&](std::size_t i) { return PresentText(Sections[i].Find(key)); });
    }
    // " " stands for no gradient.
    static TsGradArray ParseSteps(const std::string& value) {
        return value == " " ? TsGradArray{} : ParseGradient(value);
    }

    const std::vector<SkinIniSection>& Sections;
    TsGeneralDataArray& Data;
    SectionInheritance Chains;
};

} // namespace

TsGeneralDataArray LoadSections(const SkinIni& ini) {
    TsGeneralDataArray sections(ini.Sections().size());
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const SkinIniSection& section = ini.Sections()[i];
        sections[i].SectionName = section.Name;
        const std::string* parent = section.Find("PARENTCLASS");
        sections[i].ParentClass = parent != nullptr ? *parent : std::string();
    }
    const SectionReader read(ini, sections);
    for (const IntegerKey& key : IntegerKeys)
        read.Integer(key);
    for (const BooleanKey& key : BooleanKeys)
        read.Boolean(key);
    read.Gradient("GRADIENTDATA", " ", &TsGeneralData::GradientValue);
    read.Gradient("HOTGRADIENTDATA", "", &TsGeneralData::HotGradientValue);
    return sections;
}
