#pragma once
// Helpers that load a skin from a package the test builds.

#include "Exceptions.h"
#include "SkinLoader.h"
#include "SkinTestPictures.h"

#include <string>
#include <vector>

struct LoadedSkin {
    SkinTables Tables;
    int Messages = 0;
};

inline LoadedSkin LoadTestSkin(const std::string& options, const std::vector<PackageEntry>& pictures = {}) {
    LoadedSkin loaded;
    const std::vector<std::uint8_t> package = TestPackage(options, pictures);
    loaded.Tables = *LoadSkinPackage(package, [&loaded](const std::string&) { ++loaded.Messages; });
    return loaded;
}

// The mask of the given section and key; fails the test when there is none.
inline const TsMaskData& MaskOf(const SkinTables& tables, const std::string& section,
                                const std::string& key) {
    for (const TsMaskData& mask : tables.Masks)
        if (mask.SectionName == section && mask.PropertyName == key)
            return mask;
    throw std::runtime_error("no mask " + section + "." + key);
}
