#include "BuiltInSkins.h"

#include <QFile>

TsStoredSkins BuiltInSkins() {
    static const char* const names[] = {"DarkGlass", "LongHorn", "Neutral2", "NextAlpha", "BluePlastic"};
    TsStoredSkins skins;
    for (const char* name : names) {
        QFile package(QStringLiteral(":/morvane/skins/%1.ktz").arg(QLatin1String(name)));
        if (!package.open(QIODevice::ReadOnly))
            continue;
        TsStoredSkin skin;
        skin.Name = QLatin1String(name) + QStringLiteral(" (internal)");
        skin.Data = package.readAll();
        skins.push_back(std::move(skin));
    }
    return skins;
}
