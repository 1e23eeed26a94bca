#include "SkinColor.h"

#include "SystemColors.h"

#include <cmath>

QColor SkinColor(std::int32_t color) {
    const std::int32_t rgb = color < 0 ? ColorToRGB(color) : color;
    return QColor(rgb & 0xFF, (rgb >> 8) & 0xFF, (rgb >> 16) & 0xFF);
}

QColor DisabledTextColor(std::int32_t fontColor, std::int32_t sectionColor) {
    const QColor font = SkinColor(fontColor);
    const QColor back = SkinColor(sectionColor);
    const auto mix = [](int f, int b) {
        return static_cast<int>(std::lround(f * 0.4 + b * 0.6));
    };
    return QColor(mix(font.red(), back.red()), mix(font.green(), back.green()),
                  mix(font.blue(), back.blue()));
}
