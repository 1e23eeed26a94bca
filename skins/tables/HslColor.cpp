#include "HslColor.h"

#include <algorithm>
#include <cmath>

namespace {

struct Hsl {
    double H = 0; // degrees, 0..360
    double S = 0; // 0..1
    double L = 0; // 0..1
};

Hsl ToHsl(int red, int green, int blue) {
    const double r = red / 255.0, g = green / 255.0, b = blue / 255.0;
    const double high = std::max({r, g, b}), low = std::min({r, g, b});
    Hsl hsl;
    hsl.L = (high + low) / 2;
    const double d = high - low;
    if (d <= 0)
        return hsl;
    hsl.S = hsl.L > 0.5 ? d / (2 - high - low) : d / (high + low);
    if (high == r)
        hsl.H = 60 * std::fmod((g - b) / d + 6, 6.0);
    else if (high == g)
        hsl.H = 60 * ((b - r) / d + 2);
    else
        hsl.H = 60 * ((r - g) / d + 4);
    return hsl;
}

int Channel(double p, double q, double h) {
    h = std::fmod(h + 360, 360.0);
    double v = p;
    if (h < 60)
        v = p + (q - p) * h / 60;
    else if (h < 180)
        v = q;
    else if (h < 240)
        v = p + (q - p) * (240 - h) / 60;
    return std::clamp(static_cast<int>(std::lround(v * 255)), 0, 255);
}

QRgb FromHsl(const Hsl& hsl, int alpha) {
    const double q = hsl.L < 0.5 ? hsl.L * (1 + hsl.S) : hsl.L + hsl.S - hsl.L * hsl.S;
    const double p = 2 * hsl.L - q;
    return qRgba(Channel(p, q, hsl.H + 120), Channel(p, q, hsl.H), Channel(p, q, hsl.H - 120), alpha);
}

QRgb ChangeRgb(int red, int green, int blue, int alpha, const HslChange& change) {
    Hsl hsl = ToHsl(red, green, blue);
    hsl.H = std::fmod(hsl.H + change.HueOffset % 360 + 360, 360.0);
    const int saturation = std::clamp(change.Saturation, -100, 100);
    hsl.S = std::clamp(hsl.S * (100 + saturation) / 100, 0.0, 1.0);
    return FromHsl(hsl, alpha);
}

} // namespace

QRgb ChangePixel(QRgb pixel, const HslChange& change) {
    return ChangeRgb(qRed(pixel), qGreen(pixel), qBlue(pixel), qAlpha(pixel), change);
}

std::int32_t ChangeColor(std::int32_t color, const HslChange& change) {
    if (color < 0)
        return color;
    const QRgb changed = ChangeRgb(color & 0xFF, (color >> 8) & 0xFF, (color >> 16) & 0xFF, 255, change);
    return static_cast<std::int32_t>(
        (static_cast<std::uint32_t>(color) & 0xFF000000u) | static_cast<std::uint32_t>(qBlue(changed)) << 16 |
        static_cast<std::uint32_t>(qGreen(changed)) << 8 | static_cast<std::uint32_t>(qRed(changed)));
}

void ChangeImage(QImage& image, const HslChange& change, std::optional<QRgb> keep) {
    if (image.isNull())
        return;
    const bool premultiplied = image.format() == QImage::Format_ARGB32_Premultiplied;
    if (!premultiplied && image.format() != QImage::Format_ARGB32 && image.format() != QImage::Format_RGB32)
        image = image.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            if (keep && row[x] == *keep)
                continue;
            if (!premultiplied)
                row[x] = ChangePixel(row[x], change);
            else if (qAlpha(row[x]) != 0)
                row[x] = qPremultiply(ChangePixel(qUnpremultiply(row[x]), change));
        }
    }
}
