#pragma once
// Colours as the artwork and the skin texts need them: skin integers ($00BBGGRR, red in the low
// byte), gradient values, mixing and the WCAG contrast ratio used to choose text colours.

#include <QColor>
#include <cstdint>
#include <string>
#include <vector>

// The $00BBGGRR integer of a colour, as skin texts store it.
std::int32_t SkinInt(const QColor& color);
std::string SkinText(const QColor& color);

// `amount` of `top` over `base` (0: base, 1: top).
QColor Mix(const QColor& base, const QColor& top, double amount);

// WCAG 2 relative luminance and contrast ratio (1 to 21).
double RelativeLuminance(const QColor& color);
double ContrastRatio(const QColor& a, const QColor& b);

// One step of a section gradient: from `From` to `To` over `Percent` of the area.
struct GradientStep {
    QColor From;
    QColor To;
    int Percent = 100;
};

enum class GradientDirection { Down = 0, Across = 1 };

// "c1;c2;percent;mode;0" for each step.
std::string GradientText(const std::vector<GradientStep>& steps, GradientDirection direction);
