// The painting primitives on tiny synthetic pictures: exact pixels of corners, tiled and
// stretched edges, shrunk margins, frames without centre, gradients, fallbacks and text colours.
#include "SkinPaint.h"

#include "NinePart.h"
#include "PictureWriters.h"
#include "SkinColor.h"
#include "SkinGradient.h"
#include "SkinLoadFixture.h"

#include <QPainter>
#include <gtest/gtest.h>

namespace {

constexpr QRgb A = 0xFFFF0000, B = 0xFF00FF00, C = 0xFF0000FF, D = 0xFFFFFF00, E = 0xFF00FFFF, F = 0xFF808080;
constexpr QRgb Back = 0xFF101010;

// A 6 x 6 picture with 2-pixel margins: corners A, B, C, D; the top edge alternates E and F
// column by column; the other edges and the centre are F.
QImage Bordered() {
    QImage image(6, 6, QImage::Format_ARGB32_Premultiplied);
    image.fill(F);
    for (int y = 0; y < 2; ++y)
        for (int x = 0; x < 2; ++x) {
            image.setPixel(x, y, A);
            image.setPixel(4 + x, y, B);
            image.setPixel(x, 4 + y, C);
            image.setPixel(4 + x, 4 + y, D);
        }
    for (int y = 0; y < 2; ++y) {
        image.setPixel(2, y, E);
        image.setPixel(3, y, F);
    }
    return image;
}

QImage Draw(QSize size, const std::function<void(QPainter&)>& paint) {
    QImage target(size, QImage::Format_ARGB32_Premultiplied);
    target.fill(Back);
    QPainter painter(&target);
    paint(painter);
    painter.end();
    return target;
}

QImage DrawBordered(QSize size, NinePartStyle style) {
    const QImage picture = Bordered();
    return Draw(size, [&](QPainter& p) {
        DrawNinePart(p, NinePartSource{picture, picture.rect(), QMargins(2, 2, 2, 2)}, QRect(QPoint(), size),
                     style);
    });
}

std::vector<QRgb> Row(const QImage& image, int y) {
    std::vector<QRgb> row;
    for (int x = 0; x < image.width(); ++x)
        row.push_back(image.pixel(x, y));
    return row;
}

} // namespace

TEST(NinePart, CornersAreCopiedOneToOneAndEdgesTiledOrStretched) {
    const QImage tiled = DrawBordered(QSize(10, 8), {PartFill::Tile, PartFill::Tile});
    EXPECT_EQ(Row(tiled, 0), (std::vector<QRgb>{A, A, E, F, E, F, E, F, B, B}));
    EXPECT_EQ(tiled.pixel(0, 7), C);
    EXPECT_EQ(tiled.pixel(9, 7), D);
    EXPECT_EQ(tiled.pixel(1, 6), C);

    const QImage stretched = DrawBordered(QSize(10, 8), {PartFill::Stretch, PartFill::Stretch});
    EXPECT_EQ(Row(stretched, 1), (std::vector<QRgb>{A, A, E, E, E, F, F, F, B, B}));
    EXPECT_EQ(stretched.pixel(5, 4), F);
}

TEST(NinePart, AFrameLeavesItsCentreAndSmallTargetsKeepTheCornersOuterEdges) {
    const QImage frame = DrawBordered(QSize(10, 8), {PartFill::Stretch, PartFill::None});
    EXPECT_EQ(frame.pixel(5, 4), Back);
    EXPECT_EQ(frame.pixel(0, 4), F);

    // 3 x 3: margins shrink to 1 + 2 across and down; each corner keeps its outer pixels.
    const QImage small = DrawBordered(QSize(3, 3), {PartFill::Stretch, PartFill::Stretch});
    EXPECT_EQ(small.pixel(0, 0), A);
    EXPECT_EQ(small.pixel(1, 0), B);
    EXPECT_EQ(small.pixel(2, 2), D);
    EXPECT_EQ(small.pixel(0, 2), C);
}

TEST(NinePart, StretchModesMapToEdgeAndCentreFills) {
    struct Case {
        int mode;
        PartFill edges, centre;
    };
    for (const Case c :
         {Case{0, PartFill::Tile, PartFill::Tile}, Case{1, PartFill::Stretch, PartFill::Stretch},
          Case{2, PartFill::Tile, PartFill::Stretch}, Case{3, PartFill::Stretch, PartFill::Tile},
          Case{4, PartFill::Stretch, PartFill::Stretch}, Case{5, PartFill::Stretch, PartFill::None},
          Case{9, PartFill::Stretch, PartFill::Stretch}}) {
        const NinePartStyle style = BorderStyleOf(c.mode);
        EXPECT_EQ(style.Edges, c.edges) << c.mode;
        EXPECT_EQ(style.Centre, c.centre) << c.mode;
    }
}

TEST(SkinGradient, StepsFillTheirSharesAndTheRestTakesTheLastColour) {
    // 00BBGGRR: red to blue over the top half, green to green over a quarter, then the rest.
    const TsGradArray steps = ParseGradient("255;16711680;50;0;0;65280;65280;25;0;0");
    const QImage image =
        Draw(QSize(4, 100), [&](QPainter& p) { DrawGradient(p, steps, QRect(0, 0, 4, 100)); });
    EXPECT_GT(qRed(image.pixel(0, 0)), 245);
    EXPECT_GT(qBlue(image.pixel(0, 49)), 240);
    EXPECT_EQ(image.pixel(0, 60), 0xFF00FF00u);
    EXPECT_EQ(image.pixel(3, 99), 0xFF00FF00u);

    const TsGradArray across = ParseGradient("255;255;100;1;0");
    const QImage wide = Draw(QSize(50, 2), [&](QPainter& p) { DrawGradient(p, across, QRect(0, 0, 50, 2)); });
    EXPECT_EQ(wide.pixel(49, 1), 0xFFFF0000u);
}

TEST(SkinPaint, SectionsDrawColourGradientTextureAndBorderFromTheLoadedSkin) {
    // Master 4 x 4: a red frame with a magenta centre (transparent once loaded).
    QImage master(4, 4, QImage::Format_RGB32);
    master.fill(qRgb(255, 0, 255));
    for (int i = 0; i < 4; ++i)
        for (const QPoint p : {QPoint(i, 0), QPoint(i, 3), QPoint(0, i), QPoint(3, i)})
            master.setPixel(p, qRgb(255, 0, 0));
    const LoadedSkin skin =
        LoadTestSkin("[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\n"
                     "[PLAIN]\r\nCOLOR=65280\r\n"
                     "[FRAMED]\r\nCOLOR=16711680\r\nHOTCOLOR=65535\r\nBORDERSMASK=^0000^0000^0004^0004^0001^"
                     "0001^0001^0001^1^0^1^0\r\n"
                     "[FADED]\r\nCOLOR=0\r\nGRADIENTDATA=16777215;16777215;100;0;0\r\nGRADIENTPERCENT=50\r\n",
                     {{"Master.bmp", EncodeBitmap(master, 24)}});
    const SkinTables& t = skin.Tables;
    const auto paint = [&t](const char* section, TsState state) {
        return Draw(QSize(8, 8), [&](QPainter& p) {
            DrawSectionBackground(p, t, SectionPaint{t.FindSection(section), QRect(0, 0, 8, 8), state});
        });
    };
    EXPECT_EQ(paint("PLAIN", TsState::Normal).pixel(4, 4), 0xFF00FF00u);
    const QImage framed = paint("FRAMED", TsState::Normal);
    EXPECT_EQ(framed.pixel(0, 0), 0xFFFF0000u);
    EXPECT_EQ(framed.pixel(7, 4), 0xFFFF0000u);
    EXPECT_EQ(framed.pixel(4, 4), 0xFF0000FFu); // the magenta centre lets the colour through
    EXPECT_EQ(paint("FRAMED", TsState::Hot).pixel(4, 4), 0xFFFFFF00u);
    const QRgb faded = paint("FADED", TsState::Normal).pixel(4, 4);
    EXPECT_NEAR(qRed(faded), 128, 1);
    // An unknown section draws nothing.
    EXPECT_EQ(paint("NOSUCH", TsState::Normal).pixel(4, 4), Back);
}

// A section painted see-through (a hovered row is a faint selection) is see-through in every
// layer: its gradient once set the painter back to full strength and covered the colour below.
TEST(SkinPaint, ASectionPaintedSeeThroughKeepsThePaintersOpacityInEveryLayer) {
    const LoadedSkin skin = LoadTestSkin("[FADED]\r\nCOLOR=0\r\nGRADIENTDATA=16777215;16777215;100;0;0\r\n"
                                         "GRADIENTPERCENT=50\r\n");
    const SkinTables& t = skin.Tables;
    const QImage faded = Draw(QSize(8, 8), [&](QPainter& p) {
        p.setOpacity(0.5);
        DrawSectionBackground(p, t, SectionPaint{t.FindSection("FADED"), QRect(0, 0, 8, 8), TsState::Normal});
    });
    // Black at a half over the dark grey, then white at a quarter.
    EXPECT_NEAR(qRed(faded.pixel(4, 4)), 0x10 / 2 + (255 - 0x10 / 2) / 4, 2);
}

// A state beyond the last column takes the last one, except focus: on a mask without a focused
// column that would be the disabled look.
TEST(SkinPaint, GlyphColumnsFollowTheStateAndFocusWithoutAColumnLooksNormal) {
    TsMaskData glyph;
    glyph.ImgType = TacImgType::itisaGlyph;
    glyph.ImageCount = 3;
    glyph.Picture = QImage(6, 2, QImage::Format_ARGB32_Premultiplied);
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 2; ++y)
            glyph.Picture.setPixel(x, y, x < 2 ? A : x < 4 ? B : C);
    const auto at = [&glyph](TsState state) {
        return Draw(QSize(6, 6), [&](QPainter& p) { DrawGlyph(p, glyph, QRect(0, 0, 6, 6), state); });
    };
    EXPECT_EQ(at(TsState::Normal).pixel(2, 2), A);
    EXPECT_EQ(at(TsState::Normal).pixel(1, 1), Back); // centred: 2 x 2 at (2, 2)
    EXPECT_EQ(at(TsState::Hot).pixel(3, 3), B);
    EXPECT_EQ(at(TsState::Disabled).pixel(2, 3), C);
    EXPECT_EQ(at(TsState::Focused).pixel(2, 3), A);

    // Five columns: focus has its own.
    glyph.ImageCount = 5;
    glyph.Picture = QImage(5, 1, QImage::Format_ARGB32_Premultiplied);
    for (int x = 0; x < 5; ++x)
        glyph.Picture.setPixel(x, 0, x == 4 ? C : A);
    EXPECT_EQ(Draw(QSize(1, 1), [&](QPainter& p) { DrawGlyph(p, glyph, QRect(0, 0, 1, 1), TsState::Focused); })
                  .pixel(0, 0),
              C);

    // More columns than pixels: each column is empty, and nothing is drawn (an empty source
    // would be the whole picture).
    glyph.ImageCount = 9;
    const QImage none = Draw(QSize(6, 6), [&](QPainter& p) { DrawGlyph(p, glyph, QRect(0, 0, 6, 6), TsState::Hot); });
    for (int x = 0; x < 6; ++x)
        for (int y = 0; y < 6; ++y)
            ASSERT_EQ(none.pixel(x, y), Back) << x << "," << y;
}

TEST(SkinPaint, TextColoursFollowStateAndTheDisabledMix) {
    TsGeneralData section;
    section.Color = 0xFFFFFF;
    section.FontColor.Color = 0x000000;
    section.HotFontColor.Color = 0x0000FF; // red
    EXPECT_EQ(SectionTextColor(section, TsState::Normal), QColor(0, 0, 0));
    EXPECT_EQ(SectionTextColor(section, TsState::Pressed), QColor(255, 0, 0));
    EXPECT_EQ(SectionTextColor(section, TsState::Disabled), QColor(153, 153, 153));
    EXPECT_EQ(DisabledTextColor(0x0000FF, 0x000000), QColor(102, 0, 0));
    EXPECT_EQ(SkinColor(0x00332211), QColor(0x11, 0x22, 0x33));
}
