// The lookups of the loaded tables. Masks and patterns fall back along the parent sections.
#include "SkinTables.h"

namespace {

template <typename Table, typename Accept>
int FindInChain(const SkinTables& tables, const Table& table, int sectionIndex, std::string sectionName,
                const std::string& propertyName, Accept accept) {
    // A loop of parents (A names B, B names A) must end: no chain is longer than the table.
    for (std::size_t step = 0; step <= tables.GeneralData.size(); ++step) {
        if (sectionIndex < 0 || sectionName.empty() ||
            static_cast<std::size_t>(sectionIndex) >= tables.GeneralData.size())
            return -1;
        for (std::size_t i = 0; i < table.size(); ++i)
            if (table[i].SectionName == sectionName && table[i].PropertyName == propertyName &&
                accept(table[i]))
                return static_cast<int>(i);
        const std::string& parent = tables.GeneralData[static_cast<std::size_t>(sectionIndex)].ParentClass;
        if (parent == sectionName)
            return -1;
        sectionIndex = tables.FindSection(parent);
        sectionName = parent;
    }
    return -1;
}

} // namespace

int SkinTables::FindSection(const std::string& name) const {
    for (std::size_t i = 0; i < GeneralData.size(); ++i)
        if (GeneralData[i].SectionName == name)
            return static_cast<int>(i);
    return -1;
}

int SkinTables::FindMask(int sectionIndex, const std::string& sectionName,
                         const std::string& propertyName) const {
    return FindInChain(*this, Masks, sectionIndex, sectionName, propertyName,
                       [](const TsMaskData&) { return true; });
}

int SkinTables::FindTexture(int sectionIndex, const std::string& sectionName,
                            const std::string& propertyName) const {
    return FindInChain(*this, Masks, sectionIndex, sectionName, propertyName,
                       [](const TsMaskData& mask) { return mask.ImgType == TacImgType::itisaTexture; });
}

int SkinTables::FindPattern(int sectionIndex, const std::string& sectionName,
                            const std::string& propertyName) const {
    return FindInChain(*this, Patterns, sectionIndex, sectionName, propertyName,
                       [](const TsPatternData&) { return true; });
}
