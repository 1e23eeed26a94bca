#include "SkinSections.h"

#include "SkinPackage.h"
#include "StrToInt.h"
#include "SystemColors.h"

#include <algorithm>
#include <optional>
#include <vector>

namespace {

// Looks a key up in a section and then in its parents. A chain ends at a section without a
// parent, at a parent of "?" or empty, at a parent that is not a section, at a section naming
// itself, and at a section already visited (a loop through several sections).
class InheritedReader {
public:
    InheritedReader(const SkinIni& ini, const std::string& section) {
        const SkinIniSection* current = ini.FindSection(section);
        // Sections are unique by name in any letter case, so a visited section is a visited name.
        while (current != nullptr && std::find(Chain.begin(), Chain.end(), current) == Chain.end()) {
            Chain.push_back(current);
            const std::string* parent = Lookup(*current, "PARENTCLASS");
            if (parent == nullptr || parent->empty() || *parent == "?")
                break;
            current = ini.FindSection(*parent);
        }
    }

    // Missing: absent, not an integer, or -1.
    std::int32_t Integer(const char* key, std::int32_t defaultValue) const {
        for (const SkinIniSection* section : Chain)
            if (const std::string* text = Lookup(*section, key))
                if (const std::optional<std::int32_t> number = TryStrToInt(*text); number && *number != -1)
                    return *number;
        return defaultValue;
    }
    // Missing: absent or "?".
    std::string Text(const char* key, const std::string& defaultValue) const {
        for (const SkinIniSection* section : Chain)
            if (const std::string* text = Lookup(*section, key); text != nullptr && *text != "?")
                return *text;
        return defaultValue;
    }
    bool Boolean(const char* key) const {
        for (const SkinIniSection* section : Chain)
            if (const std::string* text = Lookup(*section, key); text != nullptr && *text != "?")
                return SameText(*text, "TRUE");
        return false;
    }

private:
    static const std::string* Lookup(const SkinIniSection& section, const char* key) {
        return section.Find(key);
    }

    std::vector<const SkinIniSection*> Chain;
};

TsFontColors ReadFontColors(const InheritedReader& read, const char* const (&keys)[5]) {
    return TsFontColors{read.Integer(keys[0], 0), read.Integer(keys[1], -1), read.Integer(keys[2], -1),
                        read.Integer(keys[3], -1), read.Integer(keys[4], -1)};
}

TsGradArray GradientSteps(const std::string& value) {
    return value == " " ? TsGradArray{} : ParseGradient(value);
}

TsGeneralData LoadSection(const SkinIni& ini, const std::string& name) {
    static const char* const fontKeys[5] = {"FONTCOLOR", "TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"};
    static const char* const hotFontKeys[5] = {"HOTFONTCOLOR", "HOTTCLEFT", "HOTTCTOP", "HOTTCRIGHT",
                                               "HOTTCBOTTOM"};
    const InheritedReader read(ini, name);
    TsGeneralData data;
    data.SectionName = name;
    data.ParentClass = ini.ReadString(name, "PARENTCLASS", "");
    data.Color = ColorToRGB(read.Integer("COLOR", 0xFFFFFF));
    data.ReservedBoolean = read.Boolean("RESERVEDBOOLEAN");
    data.GiveOwnFont = read.Boolean("GIVEOWNFONT");
    data.GlowCount = read.Integer("GLOW", 0);
    data.GlowMargin = read.Integer("GLOWMARGIN", 0);
    data.FontColor = ReadFontColors(read, fontKeys);
    data.HotFontColor = ReadFontColors(read, hotFontKeys);
    data.Transparency = read.Integer("TRANSPARENCY", 0);
    data.GradientPercent = read.Integer("GRADIENTPERCENT", 0);
    data.ImagePercent = read.Integer("IMAGEPERCENT", 0);
    data.GradientData = read.Text("GRADIENTDATA", " ");
    data.GradientArray = GradientSteps(data.GradientData);
    data.ShowFocus = read.Boolean("SHOWFOCUS");
    data.FadingEnabled = read.Boolean("FADINGENABLED");
    data.FadingIterations = read.Integer("FADINGITERATIONS", 5);
    data.HotColor = read.Integer("HOTCOLOR", 0xFFFFFF);
    data.HotTransparency = read.Integer("HOTTRANSPARENCY", 0);
    data.HotGradientPercent = read.Integer("HOTGRADIENTPERCENT", 0);
    data.HotGradientData = read.Text("HOTGRADIENTDATA", "");
    data.HotGradientArray = GradientSteps(data.HotGradientData);
    data.HotImagePercent = read.Integer("HOTIMAGEPERCENT", 0);
    data.HotGlowColor = ColorToRGB(read.Integer("HGCOL", 0xFFFFFF));
    data.HotGlowSize = static_cast<std::uint8_t>(read.Integer("HGSIZE", 0));
    data.GlowColor = ColorToRGB(read.Integer("GCOL", 0xFFFFFF));
    data.GlowSize = static_cast<std::uint8_t>(read.Integer("GSIZE", 0));
    return data;
}

} // namespace

TsGeneralDataArray LoadSections(const SkinIni& ini) {
    TsGeneralDataArray sections;
    sections.reserve(ini.Sections().size());
    for (const SkinIniSection& section : ini.Sections())
        sections.push_back(LoadSection(ini, section.Name));
    return sections;
}
