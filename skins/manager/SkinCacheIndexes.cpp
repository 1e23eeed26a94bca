#include "SkinCacheIndexes.h"

TsSectionIndexes SectionIndexes(const SkinTables& skin, const char* name) {
    TsSectionIndexes indexes;
    indexes.Section = skin.FindSection(name);
    if (const TsGeneralData* section = skin.Section(indexes.Section)) {
        indexes.BordersMask = section->Mask(SectionMask::BordersMask);
        indexes.GlyphMask = section->Mask(SectionMask::GlyphMask);
        indexes.Pattern = section->Mask(SectionMask::Texture);
        indexes.HotPattern = section->Mask(SectionMask::HotTexture);
    }
    return indexes;
}

TsCacheIndexes ComputeCacheIndexes(const SkinTables* skin) {
    TsCacheIndexes cache;
    if (skin == nullptr)
        return cache;
    cache.GlobalInfo = skin->FindSection("GLOBALINFO");
    if (cache.GlobalInfo < 0)
        return cache;
    static const char* const checks[] = {"BOXCHECKED",   "BOXUNCHECKED",   "BOXGRAYED",
                                         "RADIOCHECKED", "RADIOUNCHECKED", "RADIOGRAYED",
                                         "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED"};
    for (std::size_t i = 0; i < cache.CheckGlyphs.size(); ++i)
        cache.CheckGlyphs[i] = skin->FindMask(cache.GlobalInfo, "GLOBALINFO", checks[i]);
    cache.ExBorder = skin->FindSection("EXBORDER");
    cache.ComboBtn = SectionIndexes(*skin, "COMBOBTN");
    cache.ComboGlyph = SectionIndexes(*skin, "COMBOBOX").GlyphMask;
    static const char* const tabs[] = {"TABTOP", "TABBOTTOM", "TABLEFT", "TABRIGHT"};
    for (std::size_t i = 0; i < cache.Tabs.size(); ++i)
        cache.Tabs[i] = SectionIndexes(*skin, tabs[i]);
    static const char* const scroll[] = {
        "SCROLLBTNTOP",  "SCROLLBTNBOTTOM", "SCROLLBTNLEFT", "SCROLLBTNRIGHT", "SCROLLSLIDERV",
        "SCROLLSLIDERH", "SCROLLBAR1H",     "SCROLLBAR1V",   "SCROLLBAR2H",    "SCROLLBAR2V"};
    for (std::size_t i = 0; i < cache.Scroll.size(); ++i)
        cache.Scroll[i] = SectionIndexes(*skin, scroll[i]);
    return cache;
}
