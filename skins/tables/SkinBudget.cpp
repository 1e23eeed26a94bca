#include "SkinBudget.h"

#include "Format.h"

void PixelBudget::Take(std::int64_t pixels) {
    if (pixels > Remaining)
        throw ESkinTooLarge(
            FormatMessage("Skin is too large: its pictures hold more than %d pixels", {MaxSkinPixels}));
    Remaining -= pixels;
}
