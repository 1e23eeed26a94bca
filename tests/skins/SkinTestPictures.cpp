#include "SkinTestPictures.h"

#include "PictureWriters.h"

QImage TestImage(int width, int height) {
    QImage image(width, height, QImage::Format_RGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           qRgb((x / 8 * 16) % 256, (y / 8 * 32) % 256, 128)); // 8-pixel blocks suit JPEG
    if (width > 0 && height > 0)
        image.setPixel(0, 0, qRgb(255, 0, 255));
    return image;
}

std::vector<std::uint8_t> TestBitmap(int width, int height, int bitsPerPixel) {
    return EncodeBitmap(TestImage(width, height), bitsPerPixel);
}

std::vector<std::uint8_t> TestPng(int width, int height) {
    QImage image(width, height, QImage::Format_ARGB32);
    for (int y = 0; y < height; ++y)
        for (int x = 0; x < width; ++x)
            image.setPixel(x, y,
                           y == 0 ? 0x00FFFFFFu : qRgba(x * 7 % 256, y * 7 % 256, 200, x % 2 ? 255 : 128));
    return EncodePng(image);
}

std::vector<std::uint8_t> TestJpeg(int width, int height, bool greyScale) {
    return EncodeJpeg(TestImage(width, height), JpegOptions{85, greyScale});
}

std::vector<std::uint8_t> Bytes(const std::string& text) {
    return {text.begin(), text.end()};
}

std::vector<std::uint8_t> TestPackage(const std::string& options, const std::vector<PackageEntry>& pictures) {
    std::vector<PackageEntry> entries{{"Options.dat", Bytes(options)}};
    entries.insert(entries.end(), pictures.begin(), pictures.end());
    return WritePackage(entries);
}

std::vector<std::uint8_t> BitmapFile(const BitmapFileSpec& spec) {
    std::vector<std::uint8_t> out;
    const auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i)
            out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
    };
    const bool masksAfter = spec.InfoSize == 40;
    const std::size_t offset =
        14 + spec.InfoSize + (masksAfter ? spec.Masks.size() * 4 : 0) + spec.Palette.size() * 4;
    out = {'B', 'M'};
    put(static_cast<std::uint32_t>(offset + spec.Pixels.size()), 4);
    put(0, 4);
    put(static_cast<std::uint32_t>(offset), 4);
    put(spec.InfoSize, 4);
    put(static_cast<std::uint32_t>(spec.Width), 4);
    put(static_cast<std::uint32_t>(spec.Height), 4);
    put(1, 2);
    put(static_cast<std::uint32_t>(spec.BitCount), 2);
    put(spec.Compression, 4);
    put(static_cast<std::uint32_t>(spec.Pixels.size()), 4);
    put(0, 8);
    put(static_cast<std::uint32_t>(spec.Palette.size()), 4);
    put(0, 4);
    for (const std::uint32_t mask : spec.Masks)
        put(mask, 4);
    out.resize(14 + spec.InfoSize + (masksAfter ? spec.Masks.size() * 4 : 0), 0);
    for (const QRgb color : spec.Palette)
        put(static_cast<std::uint32_t>(qBlue(color) | qGreen(color) << 8 | qRed(color) << 16), 4);
    out.insert(out.end(), spec.Pixels.begin(), spec.Pixels.end());
    return out;
}
