// The picture decoders, against pictures encoded by the writers and against damaged ones.
#include "SkinPictures.h"

#include "PictureWriters.h"
#include "SkinTestPictures.h"

#include <cstdlib>
#include <gtest/gtest.h>
#include <zlib.h>

namespace {

int MaxChannelDifference(const QImage& a, const QImage& b) {
    int worst = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            worst = std::max({worst, std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                              std::abs(qBlue(p) - qBlue(q))});
        }
    return worst;
}

void Put32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i)
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
}

double MeanChannelDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y);
            const QRgb q = b.pixel(x, y);
            sum +=
                std::abs(qRed(p) - qRed(q)) + std::abs(qGreen(p) - qGreen(q)) + std::abs(qBlue(p) - qBlue(q));
        }
    return sum / (3.0 * a.width() * a.height());
}

} // namespace

TEST(SkinPictures, BitmapsOfEightAndTwentyFourBitsDecodeExactly) {
    for (const int bits : {8, 24}) {
        const QImage decoded = DecodeBitmap(TestBitmap(288, 192, bits));
        ASSERT_EQ(decoded.size(), QSize(288, 192)) << bits;
        EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
        EXPECT_EQ(MaxChannelDifference(decoded, TestImage(288, 192)), 0) << bits;
        EXPECT_EQ(decoded.pixel(0, 0), qRgb(255, 0, 255)); // top row stays on top
    }
}

TEST(SkinPictures, TopDownBitmapsAreNotFlipped) {
    std::vector<std::uint8_t> bytes = TestBitmap(5, 3, 24);
    Put32(bytes, 22, static_cast<std::uint32_t>(-3));
    const QImage decoded = DecodeBitmap(bytes);
    ASSERT_EQ(decoded.height(), 3);
    EXPECT_EQ(decoded.pixel(0, 2), qRgb(255, 0, 255)); // stored first, so now the top row is last
}

TEST(SkinPictures, DamagedOrAbsurdBitmapsAreLoadErrors) {
    const std::vector<std::uint8_t> good = TestBitmap(16, 16, 8);
    const struct {
        const char* what;
        std::size_t at;
        std::uint32_t value;
    } cases[] = {
        {"huge width", 18, 100000},
        {"huge height", 22, 0x7FFFFFFF},
        {"pixels past the end", 10, 0x7FFFFFFF},
        {"negative width", 18, 0xFFFFFFF0},
        {"RLE4 on 8 bits", 30, 2},
        {"JPEG inside", 30, 4},
        {"unknown header", 14, 20},
    };
    for (const auto& c : cases) {
        std::vector<std::uint8_t> bytes = good;
        Put32(bytes, c.at, c.value);
        EXPECT_THROW(DecodeBitmap(bytes), EInvalidGraphic) << c.what;
    }
    std::vector<std::uint8_t> cut(good.begin(), good.end() - 1);
    EXPECT_THROW(DecodeBitmap(cut), EInvalidGraphic);
    EXPECT_THROW(DecodeBitmap(Bytes("BM")), EInvalidGraphic);
    std::vector<std::uint8_t> empty = good;
    Put32(empty, 18, 0);
    EXPECT_TRUE(DecodeBitmap(empty).isNull());
}

namespace {

std::vector<QRgb> Pixels(const QImage& image) {
    std::vector<QRgb> pixels;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            pixels.push_back(image.pixel(x, y));
    return pixels;
}

const QRgb R = qRgb(255, 0, 0), G = qRgb(0, 255, 0), B = qRgb(0, 0, 255);

} // namespace

TEST(SkinPictures, CompressedAndMaskedBitmapsDecode) {
    const struct {
        const char* what;
        BitmapFileSpec spec;
        QImage::Format format;
        std::vector<QRgb> pixels; // top row first
    } cases[] = {
        // Bottom row: a run of 2 green, an absolute run (blue, red, green: the last falls off the
        // row), end of line; top row: a move one right, one blue, end of bitmap. Pixels no
        // command reaches take palette entry 0.
        {"RLE8",
         {4, 2, 8, 1, 40, {}, {R, G, B}, {2, 1, 0, 3, 2, 0, 1, 0, 0, 0, 0, 2, 1, 0, 1, 2, 0, 1}},
         QImage::Format_RGB32,
         {R, B, R, R, G, G, B, R}},
        {"RLE4",
         {5, 1, 4, 2, 40, {}, {R, G, B}, {3, 0x12, 0, 3, 0x20, 0x10, 0, 1}},
         QImage::Format_RGB32,
         {G, B, G, B, R}},
        {"16-bit 5-6-5 bitfields",
         {2, 1, 16, 3, 40, {0xF800, 0x07E0, 0x001F}, {}, {0x00, 0xF8, 0xE0, 0x07}},
         QImage::Format_RGB32,
         {R, G}},
        {"32 bits, alpha bytes all 0: opaque",
         {2, 1, 32, 0, 40, {}, {}, {0, 0, 255, 0, 0, 255, 0, 0}},
         QImage::Format_RGB32,
         {R, G}},
        {"32 bits, some alpha bytes set",
         {2, 1, 32, 0, 40, {}, {}, {0, 0, 255, 128, 0, 255, 0, 0}},
         QImage::Format_ARGB32,
         {qRgba(255, 0, 0, 128), qRgba(0, 255, 0, 0)}},
        {"32-bit bitfields without an alpha mask",
         {1, 1, 32, 3, 40, {0xFF0000, 0xFF00, 0xFF}, {}, {0, 0, 255, 128}},
         QImage::Format_RGB32,
         {R}},
        {"32-bit bitfields with an alpha mask in a version 5 header",
         {1, 1, 32, 3, 124, {0xFF00, 0xFF0000, 0xFF000000, 0xFF}, {}, {64, 0, 0, 255}},
         QImage::Format_ARGB32,
         {qRgba(0, 0, 255, 64)}},
        {"16-bit 4-4-4-4 alpha bitfields",
         {1, 1, 16, 6, 40, {0x0F00, 0x00F0, 0x000F, 0xF000}, {}, {0x00, 0x8F, 0, 0}},
         QImage::Format_ARGB32,
         {qRgba(255, 0, 0, 136)}},
    };
    for (const auto& c : cases) {
        QImage decoded;
        ASSERT_NO_THROW(decoded = DecodeBitmap(BitmapFile(c.spec))) << c.what;
        EXPECT_EQ(decoded.format(), c.format) << c.what;
        EXPECT_EQ(Pixels(decoded), c.pixels) << c.what;
    }
}

TEST(SkinPictures, HostileRunLengthDataStaysInsideThePicture) {
    const struct {
        const char* what;
        std::vector<std::uint8_t> pixels;
    } cases[] = {
        {"runs far longer than the row", {255, 1, 255, 1, 0, 0, 255, 2}},
        {"moves past the last row and column", {0, 2, 255, 255, 1, 1, 0, 2, 200, 1}},
        {"an absolute run longer than the data", {0, 200, 1, 1}},
        {"an absolute run without its padding byte at the end", {0, 3, 1, 1, 1}},
        {"no end-of-bitmap mark", {1, 1}},
    };
    for (const auto& c : cases) {
        const QImage decoded = DecodeBitmap(BitmapFile({3, 2, 8, 1, 40, {}, {R, G, B}, c.pixels}));
        EXPECT_EQ(decoded.size(), QSize(3, 2)) << c.what;
    }
    // A top-down RLE picture does not exist.
    EXPECT_THROW(DecodeBitmap(BitmapFile({3, -2, 8, 1, 40, {}, {R, G, B}, {0, 1}})), EInvalidGraphic);
}

TEST(SkinPictures, PngDecodesWithAlpha) {
    const QImage decoded = DecodePng(TestPng(36, 34));
    ASSERT_EQ(decoded.size(), QSize(36, 34));
    EXPECT_EQ(decoded.format(), QImage::Format_ARGB32);
    EXPECT_EQ(decoded.pixel(3, 0), 0x00FFFFFFu); // the decoder itself keeps transparent white
    EXPECT_EQ(decoded.pixel(1, 5), qRgba(7, 35, 200, 255));
    EXPECT_EQ(decoded.pixel(2, 5), qRgba(14, 35, 200, 128));
}

TEST(SkinPictures, JpegsDecodeInColourAndGrey) {
    for (const bool grey : {false, true}) {
        const QImage decoded = DecodeJpeg(TestJpeg(256, 256, grey));
        ASSERT_EQ(decoded.size(), QSize(256, 256));
        EXPECT_EQ(decoded.format(), QImage::Format_RGB32);
        const QImage expected =
            grey ? TestImage(256, 256).convertToFormat(QImage::Format_Grayscale8) : TestImage(256, 256);
        // Lossy, but the picture must be the same one, the right way up and in the right channels.
        EXPECT_LT(MeanChannelDifference(decoded, expected.convertToFormat(QImage::Format_RGB32)), 6.0);
        EXPECT_EQ(qAlpha(decoded.pixel(100, 100)), 255);
    }
}

TEST(SkinPictures, DamagedPngAndJpegAreLoadErrors) {
    for (const auto& bytes : {TestPng(8, 8), TestJpeg(8, 8)}) {
        const bool png = bytes[1] == 'P';
        const auto decode = [png](const std::vector<std::uint8_t>& data) {
            return png ? DecodePng(data) : DecodeJpeg(data);
        };
        EXPECT_THROW(decode(std::vector<std::uint8_t>(bytes.begin(), bytes.begin() + 20)), EInvalidGraphic);
        EXPECT_THROW(decode(Bytes("not a picture at all")), EInvalidGraphic);
        EXPECT_THROW(decode({}), EInvalidGraphic);
    }
}

TEST(SkinPictures, PicturesClaimingAHugeSizeAreRefusedBeforeAllocating) {
    std::vector<std::uint8_t> bytes = TestPng(8, 8);
    // IHDR: width and height big-endian at 16 and 20, CRC of type and data at 29.
    for (const std::size_t at : {std::size_t(16), std::size_t(20)}) {
        bytes[at] = 0x00;
        bytes[at + 1] = 0x00;
        bytes[at + 2] = 0x75;
        bytes[at + 3] = 0x30; // 30,000
    }
    const std::uint32_t crc = static_cast<std::uint32_t>(crc32(0, bytes.data() + 12, 17));
    for (int i = 0; i < 4; ++i)
        bytes[29 + i] = static_cast<std::uint8_t>(crc >> (24 - 8 * i));
    try {
        DecodePng(bytes);
        FAIL() << "a 30,000 x 30,000 PNG was accepted";
    } catch (const EInvalidGraphic& error) {
        EXPECT_EQ(error.Message, "PNG picture of 30000 x 30000 pixels is too large");
    }
}
