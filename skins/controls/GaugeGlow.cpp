#include "GaugeGlow.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

namespace {

// The soft highlight itself: white, brightest in the middle of its length, fading to nothing at
// both ends with a smooth bell, a little stronger toward the top edge like light on a tube.
QImage Highlight() {
    constexpr int height = 32;
    QImage image(GlowLength, height, QImage::Format_ARGB32_Premultiplied);
    for (int y = 0; y < height; ++y) {
        const double v = (y + 0.5) / height;                            // 0 top .. 1 bottom
        const double across = 0.55 + 0.45 * std::cos((v - 0.35) * 2.6); // top-weighted band
        auto* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < GlowLength; ++x) {
            const double u = (x + 0.5) / GlowLength * 2.0 - 1.0; // -1 .. 1 along the glow
            const double along = std::exp(-u * u * 4.5) * (1.0 - u * u);
            const int alpha = std::clamp(
                static_cast<int>(std::lround(255 * 0.75 * along * std::clamp(across, 0.0, 1.0))), 0, 255);
            row[x] = qRgba(alpha, alpha, alpha, alpha);
        }
    }
    return image;
}

} // namespace

int GlowStep(int length) {
    return std::max(15, static_cast<int>(std::lround(length * 44.0 / 2222.0)));
}

std::optional<int> GlowTick(GaugeGlowState& state, int length) {
    if (state.Counter > 2222) {
        state.Position = -GlowLength;
        state.Counter = 0;
    }
    state.Counter += GlowTickMilliseconds;
    if (state.Position >= length)
        return std::nullopt;
    const int drawAt = state.Position;
    state.Position += GlowStep(length);
    return drawAt;
}

QImage GlowPicture(int thickness) {
    static const QImage highlight = Highlight();
    if (thickness <= 0)
        return {};
    return highlight.scaled(GlowLength, thickness, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
}
