#include "BuiltInSkins.h"

#include <QFile>

namespace {

constexpr BuiltInSkin Skins[] = {
    {"DarkGlass (internal)", ":/morvane/skins/DarkGlass.ktz"},
    {"LongHorn (internal)", ":/morvane/skins/LongHorn.ktz"},
    {"Neutral2 (internal)", ":/morvane/skins/Neutral2.ktz"},
    {"NextAlpha (internal)", ":/morvane/skins/NextAlpha.ktz"},
    {"BluePlastic (internal)", ":/morvane/skins/BluePlastic.ktz"},
};

} // namespace

std::span<const BuiltInSkin> BuiltInSkins() {
    return Skins;
}

QByteArray BuiltInSkinData(const BuiltInSkin& skin) {
    QFile file(QString::fromLatin1(skin.ResourcePath));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    return file.readAll();
}
