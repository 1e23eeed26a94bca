#include "SkinPatterns.h"

#include "SkinPackage.h"

void AddPattern(const MaskReference& ref, DecodedPictures& pictures, const SkinPatternTables& tables) {
    if (!ContainsText(ref.Value, ".JPG") && !ContainsText(ref.Value, ".JPEG"))
        return;
    const std::string name = UpperCase(ref.Value);
    const QImage image = pictures.Get(name, PictureKind::Jpeg);
    if (image.isNull() || image.width() == 0)
        return;
    if (static_cast<long long>(image.width()) * image.height() > MaxTexturePixels) {
        tables.Patterns.push_back(TsPatternData{image, UpperCase(ref.Key), UpperCase(ref.Section)});
        return;
    }
    TsMaskData mask;
    mask.Image = image; // already an opaque 32-bit bitmap, as a texture is drawn
    mask.SectionName = UpperCase(ref.Section);
    mask.PropertyName = UpperCase(ref.Key);
    mask.ImgType = TacImgType::itisaTexture;
    mask.ImageCount = 1;
    mask.Right = image.width();
    mask.Bottom = image.height();
    tables.Masks.push_back(std::move(mask));
}
