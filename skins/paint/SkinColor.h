#pragma once
// Skin colours are 00BBGGRR integers; negative ones name system colours.

#include <QColor>
#include <cstdint>

QColor SkinColor(std::int32_t color);

// The disabled text colour: 40 % of the font colour and 60 % of the section colour, each channel
// rounded.
QColor DisabledTextColor(std::int32_t fontColor, std::int32_t sectionColor);
