#include "BuiltInSkinPackages.h"

#include <QFile>

namespace {

constexpr BuiltInSkinPackage Skins[] = {
    {"DarkGlass (internal)", ":/morvane/skins/DarkGlass.ktz"},
    {"LongHorn (internal)", ":/morvane/skins/LongHorn.ktz"},
    {"Neutral2 (internal)", ":/morvane/skins/Neutral2.ktz"},
    {"NextAlpha (internal)", ":/morvane/skins/NextAlpha.ktz"},
    {"BluePlastic (internal)", ":/morvane/skins/BluePlastic.ktz"},
};

} // namespace

std::span<const BuiltInSkinPackage> BuiltInSkinPackages() {
    return Skins;
}

QByteArray BuiltInSkinPackageData(const BuiltInSkinPackage& skin) {
    QFile file(QString::fromLatin1(skin.ResourcePath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
