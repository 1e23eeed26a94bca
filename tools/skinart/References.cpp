#include "References.h"

#include "Exceptions.h"

#include <cstdio>

namespace {

std::string Digits(int value, int width) {
    const int limit = width == 4 ? 9999 : width == 2 ? 99 : 9;
    if (value < 0 || value > limit)
        throw Exception("Skin reference number " + std::to_string(value) + " does not fit its field");
    char text[8];
    std::snprintf(text, sizeof text, "%0*d", width, value);
    return text;
}

std::string Rectangle(char mark, const AtlasSlot& slot) {
    const QRect r = slot.Rect();
    return mark + Digits(r.left(), 4) + mark + Digits(r.top(), 4) + mark + Digits(r.right() + 1, 4) + mark +
           Digits(r.bottom() + 1, 4);
}

} // namespace

std::string GlyphReference(const AtlasSlot& slot) {
    return Rectangle('@', slot) + '@' + Digits(slot.Cell.Columns, 1) + '@' + Digits(slot.Cell.MaskType, 1);
}

std::string BorderReference(const AtlasSlot& slot, const BorderOptions& options) {
    const QMargins& m = options.Margins;
    return Rectangle('^', slot) + '^' + Digits(m.left(), 4) + '^' + Digits(m.top(), 4) + '^' +
           Digits(m.right(), 4) + '^' + Digits(m.bottom(), 4) + '^' + Digits(slot.Cell.Columns, 1) + '^' +
           Digits(slot.Cell.MaskType, 1) + '^' + Digits(options.StretchMode, 1) + '^' +
           Digits(options.BorderWidth, 1);
}

std::string TextureReference(const AtlasSlot& slot, int stretchMode) {
    return Rectangle('~', slot) + '~' + Digits(stretchMode, 2) + '~' + Digits(slot.Cell.MaskType, 1);
}
