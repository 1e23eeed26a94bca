#include "SkinMasks.h"

#include "Exceptions.h"
#include "Format.h"
#include "StrToInt.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

// The digits at 1-based positions first..last of the value; anything else (too short, a blank,
// a sign) is not a number at a fixed position.
int FixedNumber(const std::string& value, std::size_t first, std::size_t last) {
    const std::string text =
        first - 1 < value.size() ? value.substr(first - 1, last - first + 1) : std::string();
    const bool digits =
        !text.empty() && std::all_of(text.begin(), text.end(), [](char c) { return c >= '0' && c <= '9'; });
    if (!digits || text.size() != last - first + 1)
        throw EConvertError(FormatMessage("'%s' is not a valid integer value", {text}));
    return std::stoi(text);
}

// The first `most` words: no form reads more, and a long value never becomes a long list.
std::vector<std::string> SplitAt(const std::string& value, const std::string& separators, std::size_t most) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start < value.size() && words.size() < most) {
        const std::size_t end = std::min(value.find_first_of(separators, start), value.size());
        if (end > start)
            words.push_back(value.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

// Word `n` (1-based) as an integer; a missing word is an empty text, which is not an integer.
int WordNumber(const std::vector<std::string>& words, std::size_t n) {
    return StrToInt(n <= words.size() ? words[n - 1] : std::string());
}

// The mask fields are 16-bit; numbers beyond that range are clamped to it, so a huge count or
// width never wraps round to a small or negative one.
std::int16_t Small(std::int64_t value) {
    return static_cast<std::int16_t>(std::clamp<std::int64_t>(value, INT16_MIN, INT16_MAX));
}

TsMaskData NewMask(const MaskReference& ref, TacImgType type, bool upperNames) {
    TsMaskData mask;
    mask.SectionName = upperNames ? UpperCase(ref.Section) : ref.Section;
    mask.PropertyName = upperNames ? UpperCase(ref.Key) : ref.Key;
    mask.ImgType = type;
    return mask;
}

void ReadFixedRectangle(const std::string& value, TsMaskData& mask) {
    mask.Left = FixedNumber(value, 2, 5);
    mask.Top = FixedNumber(value, 7, 10);
    mask.Right = FixedNumber(value, 12, 15);
    mask.Bottom = FixedNumber(value, 17, 20);
}

void SetWholePicture(TsMaskData& mask, const QImage& image) {
    mask.Image = image;
    mask.Right = image.width();
    mask.Bottom = image.height();
}

TsMaskData GlyphMask(const MaskReference& ref) {
    TsMaskData mask = NewMask(ref, TacImgType::itisaGlyph, false);
    ReadFixedRectangle(ref.Value, mask);
    mask.ImageCount = Small(FixedNumber(ref.Value, 22, 22));
    mask.MaskType = Small(FixedNumber(ref.Value, 24, 24));
    return mask;
}

TsMaskData BorderMask(const MaskReference& ref) {
    const std::string& v = ref.Value;
    TsMaskData mask = NewMask(ref, TacImgType::itisaBorder, false);
    ReadFixedRectangle(v, mask);
    mask.WL = Small(FixedNumber(v, 22, 25));
    mask.WT = Small(FixedNumber(v, 27, 30));
    mask.WR = Small(FixedNumber(v, 32, 35));
    mask.WB = Small(FixedNumber(v, 37, 40));
    mask.ImageCount = Small(FixedNumber(v, 42, 42));
    mask.MaskType = Small(FixedNumber(v, 44, 44));
    mask.StretchMode = Small(FixedNumber(v, 46, 46));
    mask.BorderWidth = Small(FixedNumber(v, 48, 48));
    DeriveBorderWidths(mask, true);
    return mask;
}

TsMaskData TextureMask(const MaskReference& ref) {
    TsMaskData mask = NewMask(ref, TacImgType::itisaTexture, false);
    ReadFixedRectangle(ref.Value, mask);
    mask.ImageCount = 1;
    mask.StretchMode = Small(FixedNumber(ref.Value, 22, 23));
    mask.MaskType = Small(ref.Value.size() >= 25 ? FixedNumber(ref.Value, 25, 25) : 0);
    return mask;
}

void AddExternalMask(const MaskReference& ref, DecodedPictures& pictures, TsMaskArray& masks) {
    const std::vector<std::string> words = SplitAt(ref.Value, "!", 8);
    const std::string file = words.empty() ? std::string() : words[0];
    const bool isBitmap = file.find(".BMP") != std::string::npos;
    if (!isBitmap && file.find(".PNG") == std::string::npos)
        return;
    QImage image = pictures.Get(file, isBitmap ? PictureKind::Bitmap : PictureKind::Png);
    if (image.isNull() || image.width() == 0)
        return;
    const int kind = std::clamp(WordNumber(words, 4), 0, 4);
    // Only a texture draws with a bitmap's own alpha; every other kind is a 24-bit picture.
    if (isBitmap && kind != static_cast<int>(TacImgType::itisaTexture))
        image = pictures.Get(file, PictureKind::OpaqueBitmap);
    TsMaskData mask = NewMask(ref, static_cast<TacImgType>(kind), false);
    mask.ImageCount = Small(WordNumber(words, 2));
    mask.MaskType = Small(WordNumber(words, 3));
    mask.StretchMode = 4;
    SetWholePicture(mask, image);
    if (words.size() < 5) {
        DeriveBorderWidths(mask, false);
    } else {
        mask.WL = Small(WordNumber(words, 5));
        mask.WT = Small(WordNumber(words, 6));
        mask.WR = Small(WordNumber(words, 7));
        mask.WB = Small(WordNumber(words, 8));
    }
    masks.push_back(std::move(mask));
}

void AddPlainBitmapMask(const MaskReference& ref, DecodedPictures& pictures, TsMaskArray& masks) {
    if (!ContainsText(ref.Value, ".BMP"))
        return;
    const std::string name = UpperCase(ref.Value);
    const QImage image = pictures.Get(name, PictureKind::OpaqueBitmap);
    if (image.isNull() || image.width() == 0)
        return;
    TsMaskData mask = NewMask(ref, TacImgType::itisaBorder, true);
    mask.ImageCount = 3;
    mask.MaskType = 1;
    SetWholePicture(mask, image);
    DeriveBorderWidths(mask, true);
    masks.push_back(std::move(mask));
}

TsMaskData HashFormMask(const MaskReference& ref) {
    const std::vector<std::string> words = SplitAt(ref.Value, " ()", 3);
    const std::vector<std::string> rectangle = SplitAt(words.size() > 1 ? words[1] : std::string(), " ,", 4);
    const std::vector<std::string> counts = SplitAt(words.size() > 2 ? words[2] : std::string(), " ,", 4);
    TsMaskData mask = NewMask(ref, TacImgType::itisaBorder, true);
    mask.Left = WordNumber(rectangle, 1);
    mask.Top = WordNumber(rectangle, 2);
    mask.Right = WordNumber(rectangle, 3);
    mask.Bottom = WordNumber(rectangle, 4);
    mask.ImageCount = Small(std::max(1, WordNumber(counts, 1)));
    mask.MaskType = Small(std::max(0, WordNumber(counts, 2)));
    mask.BorderWidth = Small(counts.size() >= 3 ? std::max(0, WordNumber(counts, 3)) : 0);
    mask.StretchMode = Small(counts.size() >= 4 ? WordNumber(counts, 4) : 1);
    DeriveBorderWidths(mask, true);
    return mask;
}

} // namespace

void DeriveBorderWidths(TsMaskData& mask, bool useBorderWidth) {
    if (mask.WL + mask.WT + mask.WR + mask.WB != 0)
        return;
    if (useBorderWidth && mask.BorderWidth != 0) {
        mask.WL = mask.WT = mask.WR = mask.WB = mask.BorderWidth;
        return;
    }
    if (mask.ImageCount < 1 || mask.MaskType < 0)
        throw Exception(FormatMessage("Skin image \"%s\" of section \"%s\" has %d images and mask type %d, "
                                      "so its border widths cannot be derived",
                                      {mask.PropertyName, mask.SectionName, std::int64_t(mask.ImageCount),
                                       std::int64_t(mask.MaskType)}));
    const std::int64_t width = std::int64_t(mask.Right) - mask.Left;
    const std::int64_t height = std::int64_t(mask.Bottom) - mask.Top;
    mask.WL = mask.WR = Small(width / (mask.ImageCount * 3));
    mask.WT = mask.WB = Small(height / ((mask.MaskType + 1) * 3));
}

void AddMask(const MaskReference& ref, DecodedPictures& pictures, TsMaskArray& masks) {
    if (ref.Value.empty())
        return;
    switch (ref.Value[0]) {
    case '@':
        masks.push_back(GlyphMask(ref));
        return;
    case '^':
        masks.push_back(BorderMask(ref));
        return;
    case '~':
        masks.push_back(TextureMask(ref));
        return;
    case '!':
        AddExternalMask(ref, pictures, masks);
        return;
    default:
        break;
    }
    if (ref.Value.find('#') == std::string::npos)
        AddPlainBitmapMask(ref, pictures, masks);
    else if (ref.Value != "#")
        masks.push_back(HashFormMask(ref));
}
