#pragma once
// Hue and saturation changes in the HSL model, for pixels and for colours of the 00BBGGRR
// layout skins write.

#include <QImage>
#include <cstdint>
#include <optional>

struct HslChange {
    int HueOffset = 0;  // degrees, any value (taken modulo 360)
    int Saturation = 0; // percent, clamped to -100..100: saturation times (100 + value) / 100

    bool IsNone() const { return HueOffset % 360 == 0 && Saturation == 0; }
};

// A pixel's colour changed, alpha kept (not premultiplied).
QRgb ChangePixel(QRgb pixel, const HslChange& change);

// A colour in 00BBGGRR; negative values (system colours, -1 for "none") are kept as they are.
std::int32_t ChangeColor(std::int32_t color, const HslChange& change);

// Every pixel of the image changed in place. Premultiplied images are changed through their
// straight colours; pixels equal to `keep` (magenta, the transparent colour of bitmaps, when
// given) stay as they are.
void ChangeImage(QImage& image, const HslChange& change, std::optional<QRgb> keep = std::nullopt);
