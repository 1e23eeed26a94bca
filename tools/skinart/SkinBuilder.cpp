#include "SkinBuilder.h"

#include "Palette.h"
#include "PictureWriters.h"
#include "SkinElements.h"
#include "SkinOptions.h"

namespace {

// An 8-bit picture keeps magenta and the mask layers' grey levels exact.
std::vector<std::uint8_t> EncodeAtlas(const Atlas& atlas, int bits) {
    const QImage picture = atlas.Compose();
    if (bits != 8)
        return EncodeBitmap(picture, bits);
    std::vector<QRgb> reserved{Magenta};
    for (const int level : atlas.AlphaLevels())
        reserved.push_back(qRgb(level, level, level));
    return EncodeBitmap(ReduceColours(picture, reserved), 8);
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return std::vector<std::uint8_t>(text.begin(), text.end());
}

} // namespace

BuiltSkin BuildSkin(const SkinStyle& style) {
    const Atlas master = DrawMaster(style);
    const OptionsText options = BuildOptions(style, master);
    BuiltSkin skin;
    skin.Name = style.Name;
    skin.FileName = style.Name + ".ktz";
    skin.Entries = {{"Options.dat", Bytes(options.Text())},
                    {"ButtonHuge.bmp", EncodeAtlas(DrawHugeButton(style), 8)},
                    {"Master.bmp", EncodeAtlas(master, style.MasterBits)}};
    if (style.ExtraEntries)
        style.ExtraEntries(skin.Entries);
    skin.Package = WritePackage(skin.Entries);
    return skin;
}

std::vector<SkinStyle> BuiltInStyles() {
    return {DarkGlassStyle(), LongHornStyle(), Neutral2Style(), NextAlphaStyle(), BluePlasticStyle()};
}
