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
