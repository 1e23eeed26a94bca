#include "BuiltInSkins.h"

#include "BuiltInSkinPackages.h"

TsStoredSkins BuiltInSkins() {
    TsStoredSkins skins;
    for (const BuiltInSkinPackage& package : BuiltInSkinPackages()) {
        TsStoredSkin skin;
        skin.Name = QString::fromLatin1(package.Name);
        skin.Data = BuiltInSkinPackageData(package);
        if (!skin.Data.isEmpty())
            skins.push_back(std::move(skin));
    }
    return skins;
}
