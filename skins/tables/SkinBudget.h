#pragma once
// The memory a single skin may take. Skins come from files anyone can drop into the skin
// folder, so a load refuses anything far beyond what real skins need (the built-in skins
// unpack to under 300 KB and hold under 200,000 pixels) before allocating it.

#include "SkinPackage.h"

#include <cstdint>

// Pixels of every picture a skin holds: decoded pictures and the pictures cut for its masks.
// 16 M pixels are 64 MB at four bytes a pixel.
inline constexpr std::int64_t MaxSkinPixels = 16 * 1024 * 1024;

class PixelBudget {
public:
    std::int64_t Left() const { return Remaining; }
    // Raises ESkinTooLarge when the pixels do not fit.
    void Take(std::int64_t pixels);

private:
    std::int64_t Remaining = MaxSkinPixels;
};
