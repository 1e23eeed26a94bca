#include "SkinColorChange.h"

#include "SkinGlobalInfo.h"
#include "SkinText.h"

#include <map>

namespace {

constexpr QRgb Magenta = 0xFFFF00FFu;

// "BIKEEPHUE" = 1 keeps all title-bar icons, any other non-zero value only the close buttons.
bool KeepsHue(const TsMaskData& mask, std::int32_t keepHue) {
    static const char* const allIcons[] = {"BICONCLOSE", "SICONCLOSE", "BICONMAX", "BICONMIN", "BICONNORM",
                                           "BICONHELP",  "SICONMAX",   "SICONMIN", "SICONNORM"};
    if (keepHue == 0 || !SameText(mask.SectionName, GlobalInfoSection))
        return false;
    const std::size_t count = keepHue == 1 ? std::size(allIcons) : 2;
    for (std::size_t i = 0; i < count; ++i)
        if (SameText(mask.PropertyName, allIcons[i]))
            return true;
    return false;
}

void ChangeFontColors(TsFontColors& colors, const SkinColorChange& change) {
    for (std::int32_t* color : {&colors.Color, &colors.Left, &colors.Top, &colors.Right, &colors.Bottom})
        *color = ChangeColor(*color, change);
}

// Gradients are shared between sections: each one is changed once and stays shared.
class GradientChanger {
public:
    explicit GradientChanger(const SkinColorChange& change) : Change(change) {}
    void operator()(TsGradientPtr& gradient) {
        if (!gradient)
            return;
        auto [it, added] = Changed.try_emplace(gradient.get());
        if (added) {
            auto copy = std::make_shared<TsGradient>(*gradient);
            for (TsGradPie& step : copy->Steps) {
                step.Color1 = ChangeColor(step.Color1, Change);
                step.Color2 = ChangeColor(step.Color2, Change);
            }
            it->second = std::move(copy);
        }
        gradient = it->second;
    }

private:
    const SkinColorChange& Change;
    std::map<const TsGradient*, TsGradientPtr> Changed;
};

void ChangeSections(SkinTables& t, const SkinColorChange& change) {
    GradientChanger gradients(change);
    for (TsGeneralData& s : t.GeneralData) {
        for (std::int32_t* color : {&s.Color, &s.HotColor, &s.GlowColor, &s.HotGlowColor})
            *color = ChangeColor(*color, change);
        ChangeFontColors(s.FontColor, change);
        ChangeFontColors(s.HotFontColor, change);
        gradients(s.GradientValue);
        gradients(s.HotGradientValue);
    }
    t.SkinData.Shadow1Color = ChangeColor(t.SkinData.Shadow1Color, change);
    t.SkinData.BorderColor = ChangeColor(t.SkinData.BorderColor, change);
}

// Pictures shared by several masks are changed once and stay shared, so a change never
// multiplies them.
class SharedImageChanger {
public:
    SharedImageChanger(const SkinColorChange& change, std::optional<QRgb> keep)
        : Change(change), Keep(keep) {}
    void operator()(QImage& image) {
        if (image.isNull())
            return;
        auto [it, added] = Changed.try_emplace(image.cacheKey());
        if (added) {
            it->second = image;
            ChangeImage(it->second, Change, Keep);
        }
        image = it->second;
    }

private:
    const SkinColorChange& Change;
    std::optional<QRgb> Keep;
    std::map<qint64, QImage> Changed; // by the original's cache key
};

void ChangeMasks(SkinTables& t, const SkinColorChange& change) {
    const std::int32_t keepHue = change.HueOffset % 360 != 0 ? t.SkinData.BIKeepHue : 0;
    SharedImageChanger pictures(change, std::nullopt);
    SharedImageChanger images(change, Magenta);
    for (TsMaskData& mask : t.Masks) {
        if (KeepsHue(mask, keepHue))
            continue;
        pictures(mask.Picture);
        images(mask.Image);
    }
}

} // namespace

void ChangeSkinColors(SkinTables& tables, const SkinColorChange& change) {
    if (change.IsNone())
        return;
    ChangeImage(tables.MasterBitmap, change, Magenta);
    ChangeMasks(tables, change);
    ChangeSections(tables, change);
}
