// The lookups of the loaded tables. Masks and patterns fall back along the parent sections;
// the properties every section resolved at load are answered from its indexes, any other
// property walks the chain with one hash lookup per step (the chains were cut of loops at load).
#include "SkinResolve.h"
#include "SkinTables.h"

#include <algorithm>
#include <optional>

namespace {

enum class Table { Masks, Textures, Patterns };

// The section's resolved index for this table and property, if it has one.
std::optional<int> Resolved(const TsGeneralData& section, Table table, const std::string& property) {
    static const char* const maskProperties[] = {"BORDERSMASK", "IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT",
                                                 "IMGBTMRIGHT"};
    const bool pattern = property == "PATTERN";
    if (table == Table::Patterns && (pattern || property == "HOTPATTERN"))
        return section.Pattern(pattern ? SectionPattern::Pattern : SectionPattern::HotPattern);
    if (table == Table::Textures && (pattern || property == "HOTPATTERN"))
        return section.Mask(pattern ? SectionMask::Texture : SectionMask::HotTexture);
    if (table != Table::Masks)
        return std::nullopt;
    for (std::size_t m = 0; m < std::size(maskProperties); ++m)
        if (property == maskProperties[m])
            return section.Mask(static_cast<SectionMask>(m));
    if (property == "GLYPHMASK")
        return section.Mask(SectionMask::GlyphMask);
    if (property == "LRGN")
        return section.Mask(SectionMask::Lrgn);
    return std::nullopt;
}

int FindInChain(const SkinTables& tables, Table table, int sectionIndex, const std::string& sectionName,
                const std::string& propertyName) {
    const TsGeneralData* section = tables.Section(sectionIndex);
    if (section == nullptr || sectionName.empty())
        return -1;
    if (sectionName == section->SectionName)
        if (const std::optional<int> resolved = Resolved(*section, table, propertyName))
            return *resolved;
    const auto& index = table == Table::Masks      ? tables.Index.Masks
                        : table == Table::Textures ? tables.Index.Textures
                                                   : tables.Index.Patterns;
    // The first step searches under the name the caller gave; the parents under their own names.
    std::string key = MaskKey(sectionName, propertyName);
    for (;;) {
        if (const auto it = index.find(key); it != index.end())
            return it->second;
        section = tables.Section(section->ParentIndex);
        if (section == nullptr)
            return -1;
        key.assign(section->SectionName).push_back('\0');
        key.append(propertyName);
    }
}

const std::string& GradientText(const TsGradientPtr& gradient, const std::string& absent) {
    return gradient ? gradient->Data : absent;
}

const TsGradArray& GradientSteps(const TsGradientPtr& gradient) {
    static const TsGradArray none;
    return gradient ? gradient->Steps : none;
}

} // namespace

int SkinTables::FindSection(const std::string& name) const {
    const auto it = Index.Sections.find(name);
    return it == Index.Sections.end() ? -1 : it->second;
}

int SkinTables::FindMask(int sectionIndex, const std::string& sectionName,
                         const std::string& propertyName) const {
    return FindInChain(*this, Table::Masks, sectionIndex, sectionName, propertyName);
}

int SkinTables::FindTexture(int sectionIndex, const std::string& sectionName,
                            const std::string& propertyName) const {
    return FindInChain(*this, Table::Textures, sectionIndex, sectionName, propertyName);
}

int SkinTables::FindPattern(int sectionIndex, const std::string& sectionName,
                            const std::string& propertyName) const {
    return FindInChain(*this, Table::Patterns, sectionIndex, sectionName, propertyName);
}

const std::string& TsGeneralData::GradientData() const {
    static const std::string absent = " ";
    return GradientText(GradientValue, absent);
}

const std::string& TsGeneralData::HotGradientData() const {
    static const std::string absent;
    return GradientText(HotGradientValue, absent);
}

const TsGradArray& TsGeneralData::Gradient() const {
    return GradientSteps(GradientValue);
}

const TsGradArray& TsGeneralData::HotGradient() const {
    return GradientSteps(HotGradientValue);
}
