// What a load decides once for every painter: parent indexes, section mask indexes, and each
// mask's picture with transparency and the mask layer applied.
#include "PictureWriters.h"
#include "SkinLoadFixture.h"

#include <gtest/gtest.h>

namespace {

// A 4 x 4 master: row 0 red, magenta, red, red; row 1 green; rows 2 and 3 the grey mask layer
// (white, white, grey 128, white and white, white, white, black) under rows 0 and 1.
std::vector<PackageEntry> LayeredMaster() {
    QImage master(4, 4, QImage::Format_RGB32);
    const QRgb red = qRgb(255, 0, 0), green = qRgb(0, 255, 0), magenta = qRgb(255, 0, 255);
    const QRgb rows[4][4] = {
        {red, magenta, red, red},
        {green, green, green, green},
        {qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(128, 128, 128), qRgb(255, 255, 255)},
        {qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(255, 255, 255), qRgb(0, 0, 0)}};
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            master.setPixel(x, y, rows[y][x]);
    return {{"Master.bmp", EncodeBitmap(master, 24)}};
}

const std::string Global = "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n";

} // namespace

TEST(SkinResolve, ParentIndexesEndEveryChainIncludingLoops) {
    const LoadedSkin skin =
        LoadTestSkin(Global + "[A]\r\nPARENTCLASS=B\r\n[B]\r\nPARENTCLASS=C\r\n[C]\r\nPARENTCLASS=A\r\n"
                              "[SELF]\r\nPARENTCLASS=SELF\r\n[ORPHAN]\r\nPARENTCLASS=NOSUCH\r\n"
                              "[CHILD]\r\nPARENTCLASS=ORPHAN\r\n[Q]\r\nPARENTCLASS=?\r\n",
                     LayeredMaster());
    const SkinTables& t = skin.Tables;
    const auto parent = [&t](const char* name) {
        return t.GeneralData[t.FindSection(name)].ParentIndex;
    };
    EXPECT_EQ(parent("A"), t.FindSection("B"));
    EXPECT_EQ(parent("B"), t.FindSection("C"));
    EXPECT_EQ(parent("C"), -1); // the link that closed the loop is cut
    EXPECT_EQ(parent("SELF"), -1);
    EXPECT_EQ(parent("ORPHAN"), -1);
    EXPECT_EQ(parent("CHILD"), t.FindSection("ORPHAN"));
    EXPECT_EQ(parent("Q"), -1);
}

TEST(SkinResolve, SectionMaskIndexesComeFromTheSectionOrItsParents) {
    const LoadedSkin skin =
        LoadTestSkin(Global + "[BASE]\r\nBORDERSMASK=^0000^0000^0004^0002^0001^0001^0001^0001^1^0^0^0\r\n"
                              "PATTERN=~0000~0000~0002~0002~00\r\nLRGN=@0000@0000@0004@0002@1@0\r\n"
                              "[CHILD]\r\nPARENTCLASS=BASE\r\nGLYPHMASK=@0000@0000@0002@0002@2@0\r\n"
                              "HOTPATTERN=@0000@0000@0002@0002@1@0\r\n",
                     LayeredMaster());
    const SkinTables& t = skin.Tables;
    const TsGeneralData& child = t.GeneralData[t.FindSection("CHILD")];
    EXPECT_EQ(child.Mask(SectionMask::BordersMask), t.FindMask(t.FindSection("BASE"), "BASE", "BORDERSMASK"));
    EXPECT_EQ(child.Mask(SectionMask::Texture), t.FindTexture(t.FindSection("BASE"), "BASE", "PATTERN"));
    EXPECT_EQ(child.Mask(SectionMask::Lrgn), t.FindMask(t.FindSection("BASE"), "BASE", "LRGN"));
    EXPECT_GE(child.Mask(SectionMask::GlyphMask), 0);
    // A glyph under HOTPATTERN is a mask but not a texture.
    EXPECT_EQ(child.Mask(SectionMask::HotTexture), -1);
    EXPECT_EQ(child.Mask(SectionMask::ImgTopLeft), -1);
    EXPECT_EQ(child.Pattern(SectionPattern::Pattern), -1);
}

TEST(SkinResolve, PicturesMakeMagentaTransparentAndApplyTheMaskLayer) {
    const LoadedSkin skin = LoadTestSkin(Global + "[S]\r\nPLAIN=@0000@0000@0004@0002@2@0\r\n"
                                                  "LAYERED=@0000@0000@0004@0004@2@1\r\n",
                                         LayeredMaster());
    const TsMaskData& plain = MaskOf(skin.Tables, "S", "PLAIN");
    ASSERT_EQ(plain.Picture.size(), QSize(4, 2));
    EXPECT_EQ(plain.Picture.format(), QImage::Format_ARGB32_Premultiplied);
    EXPECT_EQ(plain.Picture.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(plain.Picture.pixel(1, 0), 0u); // magenta
    EXPECT_EQ(plain.Column(0), QRect(0, 0, 2, 2));
    EXPECT_EQ(plain.Column(7), QRect(2, 0, 2, 2)); // beyond the last column: the last one

    const TsMaskData& layered = MaskOf(skin.Tables, "S", "LAYERED");
    ASSERT_EQ(layered.Picture.size(), QSize(4, 2)); // one layer high
    const QImage& p = layered.Picture;
    EXPECT_EQ(p.pixel(0, 0), 0xFFFF0000u); // white: opaque
    EXPECT_EQ(p.pixel(1, 0), 0u);          // magenta stays transparent under white
    EXPECT_EQ(qAlpha(p.pixel(2, 0)), 128); // grey: half, premultiplied
    EXPECT_EQ(qRed(p.pixel(2, 0)), 128);
    EXPECT_EQ(p.pixel(3, 1), 0u); // black: transparent
    EXPECT_EQ(p.pixel(0, 1), 0xFF00FF00u);
}

TEST(SkinResolve, MasksAreNormalisedSoPaintersNeedNoChecks) {
    // Counts 0, a rectangle reaching past the master, given widths so nothing is derived.
    const LoadedSkin skin = LoadTestSkin(
        Global + "[S]\r\nBIG=^0002^0001^0090^0090^0001^0001^0001^0001^0^0^0^0\r\n", LayeredMaster());
    const TsMaskData& big = MaskOf(skin.Tables, "S", "BIG");
    EXPECT_EQ(big.ImageCount, 1);
    EXPECT_EQ(big.MaskType, 0);
    EXPECT_EQ((std::vector<int>{big.Left, big.Top, big.Right, big.Bottom}), (std::vector<int>{2, 1, 4, 4}));
    EXPECT_EQ(big.Picture.size(), QSize(2, 3));
}

TEST(SkinResolve, MasksCuttingTheSameRectangleShareOnePicture) {
    const LoadedSkin skin = LoadTestSkin(Global + "[A]\r\nPATTERN=~0000~0000~0004~0002~00\r\n"
                                                  "[B]\r\nPATTERN=~0000~0000~0004~0002~01\r\n"
                                                  "[C]\r\nPATTERN=~0001~0000~0004~0002~00\r\n",
                                         LayeredMaster());
    const TsMaskData& a = MaskOf(skin.Tables, "A", "PATTERN");
    EXPECT_EQ(a.Picture.cacheKey(), MaskOf(skin.Tables, "B", "PATTERN").Picture.cacheKey());
    EXPECT_NE(a.Picture.cacheKey(), MaskOf(skin.Tables, "C", "PATTERN").Picture.cacheKey());
}
