// The lookups of the loaded tables. Masks and patterns fall back along the parent sections;
// each step is one hash lookup, and the parent chains were cut of loops at load.
#include "SkinResolve.h"
#include "SkinTables.h"

namespace {

int FindInChain(const SkinTables& tables, const std::unordered_map<std::string, int>& index, int sectionIndex,
                const std::string& sectionName, const std::string& propertyName) {
    const TsGeneralData* section = tables.Section(sectionIndex);
    if (section == nullptr || sectionName.empty())
        return -1;
    // The first step searches under the name the caller gave; the parents under their own names.
    if (const auto it = index.find(MaskKey(sectionName, propertyName)); it != index.end())
        return it->second;
    for (section = tables.Section(section->ParentIndex); section != nullptr;
         section = tables.Section(section->ParentIndex))
        if (const auto it = index.find(MaskKey(section->SectionName, propertyName)); it != index.end())
            return it->second;
    return -1;
}

} // namespace

int SkinTables::FindSection(const std::string& name) const {
    const auto it = Index.Sections.find(name);
    return it == Index.Sections.end() ? -1 : it->second;
}

int SkinTables::FindMask(int sectionIndex, const std::string& sectionName,
                         const std::string& propertyName) const {
    return FindInChain(*this, Index.Masks, sectionIndex, sectionName, propertyName);
}

int SkinTables::FindTexture(int sectionIndex, const std::string& sectionName,
                            const std::string& propertyName) const {
    return FindInChain(*this, Index.Textures, sectionIndex, sectionName, propertyName);
}

int SkinTables::FindPattern(int sectionIndex, const std::string& sectionName,
                            const std::string& propertyName) const {
    return FindInChain(*this, Index.Patterns, sectionIndex, sectionName, propertyName);
}
