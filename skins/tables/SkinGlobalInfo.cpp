#include "SkinGlobalInfo.h"

#include "StrToInt.h"

#include <charconv>
#include <cmath>

namespace {

class GlobalReader {
public:
    explicit GlobalReader(const SkinIni& ini) : Ini(ini) {}
    std::int32_t Integer(const char* key, std::int32_t defaultValue) const {
        const std::string* value = Ini.Find(GlobalInfoSection, key);
        return value != nullptr ? StrToIntDef(*value, defaultValue) : defaultValue;
    }
    // A value that is not an integer fails the whole load.
    std::int32_t Strict(const char* key, const char* defaultText) const {
        return StrToInt(Ini.ReadString(GlobalInfoSection, key, defaultText));
    }
    std::string Text(const char* key) const { return Ini.ReadString(GlobalInfoSection, key, ""); }

private:
    const SkinIni& Ini;
};

} // namespace

double ParseSkinVersion(const std::string& text) {
    double version = 0;
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, version);
    // "inf" and "nan" parse, but are no version.
    return error == std::errc() && stop == end && std::isfinite(version) ? version : 0;
}

TsSkinData LoadSkinData(const SkinIni& ini) {
    const GlobalReader read(ini);
    TsSkinData data;
    data.VersionText = read.Text("VERSION");
    data.Version = ParseSkinVersion(data.VersionText);
    data.Author = read.Text("AUTHOR");
    data.Description = read.Text("DESCRIPTION");
    data.MasterBitmap = read.Text("MASTERBITMAP");
    data.BorderWidth = read.Integer("BORDERWIDTH", 4);
    data.TitleHeight = read.Integer("TITLEHEIGHT", 30);
    data.MaxHeight = read.Integer("MAXHEIGHT", 0);
    data.FormOffset = read.Integer("FORMOFFSET", 8);
    data.CenterOffset = read.Integer("CENTEROFFSET", 0);
    data.BorderMode = read.Integer("BORDERMODE", 0);
    data.Shadow1Color = read.Integer("SHADOW1COLOR", 0);
    data.Shadow1Offset = read.Strict("SHADOW1OFFSET", "0");
    data.Shadow1Blur = read.Strict("SHADOW1BLUR", "-1");
    data.Shadow1Transparency = read.Strict("SHADOW1TRANSPARENCY", "0");
    data.BISpace = read.Integer("BISPACE", 0);
    data.BIVAlign = read.Integer("BIVALIGN", 0);
    data.BIRight = read.Integer("BIRIGHT", 0);
    data.BILeft = read.Integer("BILEFT", 0);
    data.BITop = read.Integer("BITOP", 0);
    data.BorderColor = read.Integer("BORDERCOLOR", 0);
    data.BIKeepHue = read.Integer("BIKEEPHUE", 0);
    data.BICloseGlow = read.Strict("BICONCLOSEGLOW", "0");
    data.BICloseGlowMargin = read.Strict("BICONCLOSEGLOWMARGIN", "0");
    data.BIMaxGlow = read.Strict("BICONMAXGLOW", "0");
    data.BIMaxGlowMargin = read.Strict("BICONMAXGLOWMARGIN", "0");
    data.BIMinGlow = read.Strict("BICONMINGLOW", "0");
    data.BIMinGlowMargin = read.Strict("BICONMINGLOWMARGIN", "0");
    return data;
}
