#include "ArtColor.h"

#include <algorithm>
#include <cmath>

std::int32_t SkinInt(const QColor& color) {
    return color.red() | (color.green() << 8) | (color.blue() << 16);
}

std::string SkinText(const QColor& color) {
    return std::to_string(SkinInt(color));
}

QColor Mix(const QColor& base, const QColor& top, double amount) {
    const auto channel = [amount](int b, int t) {
        return static_cast<int>(std::lround(b + (t - b) * amount));
    };
    return QColor(channel(base.red(), top.red()), channel(base.green(), top.green()),
                  channel(base.blue(), top.blue()));
}

double RelativeLuminance(const QColor& color) {
    const auto linear = [](int channel) {
        const double c = channel / 255.0;
        return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(color.red()) + 0.7152 * linear(color.green()) + 0.0722 * linear(color.blue());
}

double ContrastRatio(const QColor& a, const QColor& b) {
    const double la = RelativeLuminance(a), lb = RelativeLuminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::string GradientText(const std::vector<GradientStep>& steps, GradientDirection direction) {
    std::string text;
    for (const GradientStep& step : steps) {
        if (!text.empty())
            text += ';';
        text += SkinText(step.From) + ';' + SkinText(step.To) + ';' + std::to_string(step.Percent) + ';' +
                std::to_string(static_cast<int>(direction)) + ";0";
    }
    return text;
}
