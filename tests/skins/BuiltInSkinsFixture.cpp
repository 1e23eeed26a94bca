#include "BuiltInSkinsFixture.h"

#include <map>
#include <stdexcept>

namespace {

std::vector<ExpectedEntry> Common(int masterWidth, int masterHeight, int masterBits,
                                  std::uint32_t masterBytes) {
    return {{"Options.dat", PictureFormat::Text},
            {"ButtonHuge.bmp", PictureFormat::Bitmap, 288, 192, 8, 56374},
            {"Master.bmp", PictureFormat::Bitmap, masterWidth, masterHeight, masterBits, masterBytes}};
}

std::vector<ExpectedEntry> With(std::vector<ExpectedEntry> entries, const std::vector<ExpectedEntry>& more) {
    entries.insert(entries.end(), more.begin(), more.end());
    return entries;
}

} // namespace

const std::vector<ExpectedSkin>& ExpectedSkins() {
    static const std::vector<ExpectedSkin> skins = {
        {"DarkGlass", "DarkGlass.ktz", "6.4", 63,
         With(Common(192, 256, 8, 50230), {{"Bkgnd.jpg", PictureFormat::Jpeg, 256, 256, 8}}), false},
        {"LongHorn", "LongHorn.ktz", "6.4", 63, Common(249, 196, 8, 50470), true},
        {"Neutral2", "Neutral2.ktz", "6.5", 61, Common(189, 312, 8, 60982), true},
        {"NextAlpha", "NextAlpha.ktz", "6.5", 63,
         With(Common(210, 300, 24, 189654), {{"GlowBlue.png", PictureFormat::Png, 36, 34, 8},
                                             {"GlowRed.png", PictureFormat::Png, 36, 34, 8},
                                             {"GlowYellow.png", PictureFormat::Png, 36, 34, 8}}),
         true},
        {"BluePlastic", "BluePlastic.ktz", "6.5", 65, Common(192, 298, 8, 58294), false},
    };
    return skins;
}

const LoadedBuiltInSkin& LoadBuiltInSkin(const ExpectedSkin& expected) {
    static std::map<std::string, LoadedBuiltInSkin> loaded;
    const auto found = loaded.find(expected.Name);
    if (found != loaded.end())
        return found->second;
    LoadedBuiltInSkin skin;
    for (const BuiltInSkinPackage& item : BuiltInSkinPackages())
        if (std::string(item.Name) == std::string(expected.Name) + " (internal)") {
            const QByteArray data = BuiltInSkinPackageData(item);
            skin.Bytes.assign(data.begin(), data.end());
        }
    if (skin.Bytes.empty())
        throw std::runtime_error(std::string("no built-in skin ") + expected.Name);
    skin.Package.ReadPackage(skin.Bytes);
    skin.Ini = SkinIni(skin.Package.Options);
    skin.Tables = LoadSkinPackage(skin.Bytes, nullptr);
    return loaded.emplace(expected.Name, std::move(skin)).first->second;
}
