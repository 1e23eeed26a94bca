// Load options: hue and saturation changes with the title-bar icons BIKEEPHUE exempts, and the
// common sections laid over a skin.
#include "PictureWriters.h"
#include "SkinLoadFixture.h"

#include <gtest/gtest.h>

namespace {

const QRgb Red = qRgb(255, 0, 0), Magenta = qRgb(255, 0, 255), Green = qRgb(0, 255, 0);
const QRgb Cyan = qRgb(0, 255, 255), Grey = qRgb(128, 128, 128);

// A 3 x 1 master: red, magenta, green.
std::vector<PackageEntry> Master() {
    QImage master(3, 1, QImage::Format_RGB32);
    master.setPixel(0, 0, Red);
    master.setPixel(1, 0, Magenta);
    master.setPixel(2, 0, Green);
    return {{"MASTER.BMP", EncodeBitmap(master, 24)}};
}

std::string Options(int keepHue) {
    return "[GLOBALINFO]\r\nMASTERBITMAP=MASTER.BMP\r\nBIKEEPHUE=" + std::to_string(keepHue) +
           "\r\nSHADOW1COLOR=255\r\nBORDERCOLOR=255\r\n"
           "BICONCLOSE=@0000@0000@0001@0001@1@0\r\nBICONMAX=@0000@0000@0001@0001@1@0\r\n"
           "[FORM]\r\nCOLOR=255\r\nFONTCOLOR=255\r\nHOTTCLEFT=255\r\nGRADIENTDATA=255;65280;100;0;0\r\n"
           "BORDERSMASK=@0000@0000@0003@0001@1@0\r\n[CHILD]\r\nPARENTCLASS=FORM\r\n";
}

SkinTablesPtr Load(const std::string& options, const SkinLoadOptions& load) {
    return LoadSkinPackage(TestPackage(options, Master()), nullptr, load);
}

const TsGeneralData& Section(const SkinTables& t, const std::string& name) {
    return t.GeneralData.at(static_cast<std::size_t>(t.FindSection(name)));
}

QRgb Straight(const QImage& picture, int x) {
    return qUnpremultiply(picture.pixel(x, 0));
}

} // namespace

TEST(SkinColorChange, HueAndSaturationChangePicturesAndColours) {
    const struct {
        const char* what;
        SkinLoadOptions options;
        QRgb red;         // what red becomes
        QRgb green;       // what green becomes
        std::int32_t bgr; // what red (255 in 00BBGGRR) becomes
    } cases[] = {
        {"hue 180", {180, 0, {}}, Cyan, Magenta, 0xFFFF00},
        {"hue -180", {-180, 0, {}}, Cyan, Magenta, 0xFFFF00},
        {"saturation -100", {0, -100, {}}, Grey, Grey, 0x808080},
        {"nothing", {0, 0, {}}, Red, Green, 255},
        {"a full turn", {360, 0, {}}, Red, Green, 255},
    };
    for (const auto& c : cases) {
        const SkinTablesPtr t = Load(Options(0), c.options);
        EXPECT_EQ(t->MasterBitmap.pixel(0, 0), c.red) << c.what;
        EXPECT_EQ(t->MasterBitmap.pixel(1, 0), Magenta) << c.what; // the transparent colour stays
        const TsMaskData& border = MaskOf(*t, "FORM", "BORDERSMASK");
        EXPECT_EQ(Straight(border.Picture, 0), c.red) << c.what;
        EXPECT_EQ(border.Picture.pixel(1, 0), 0u) << c.what;
        EXPECT_EQ(Straight(border.Picture, 2), c.green) << c.what;
        const TsGeneralData& form = Section(*t, "FORM");
        EXPECT_EQ(form.Color, c.bgr) << c.what;
        EXPECT_EQ(form.FontColor.Color, c.bgr) << c.what;
        EXPECT_EQ(form.FontColor.Left, -1) << c.what; // no outline stays no outline
        EXPECT_EQ(form.HotFontColor.Left, c.bgr) << c.what;
        ASSERT_EQ(form.Gradient().size(), 1u);
        EXPECT_EQ(form.Gradient()[0].Color1, c.bgr) << c.what;
        EXPECT_EQ(&Section(*t, "CHILD").Gradient(), &form.Gradient()) << c.what; // still shared
        EXPECT_EQ(t->SkinData.Shadow1Color, c.bgr) << c.what;
        EXPECT_EQ(t->SkinData.BorderColor, c.bgr) << c.what;
    }
}

TEST(SkinColorChange, BiKeepHueKeepsTitleBarIconsUnderAHueChange) {
    const struct {
        int keepHue;
        SkinLoadOptions options;
        QRgb close;
        QRgb max;
    } cases[] = {
        {0, {180, 0, {}}, Cyan, Cyan}, {1, {180, 0, {}}, Red, Red},    {2, {180, 0, {}}, Red, Cyan},
        {-1, {180, 0, {}}, Red, Cyan}, {1, {0, -100, {}}, Grey, Grey}, // no hue change: nothing is kept
    };
    for (const auto& c : cases) {
        const SkinTablesPtr t = Load(Options(c.keepHue), c.options);
        EXPECT_EQ(Straight(MaskOf(*t, "GLOBALINFO", "BICONCLOSE").Picture, 0), c.close) << c.keepHue;
        EXPECT_EQ(Straight(MaskOf(*t, "GLOBALINFO", "BICONMAX").Picture, 0), c.max) << c.keepHue;
        EXPECT_EQ(Straight(MaskOf(*t, "FORM", "BORDERSMASK").Picture, 0), c.options.Saturation ? Grey : Cyan);
    }
}

TEST(SkinColorChange, CommonSectionsOverrideTheSkinAndAddTheirOwnSections) {
    SkinLoadOptions options;
    options.CommonSections = {"[FORM]", "COLOR=65280", "[EXTRA]", "COLOR=1"};
    const SkinTablesPtr t = Load(Options(0), options);
    EXPECT_EQ(Section(*t, "FORM").Color, 65280);
    EXPECT_EQ(Section(*t, "CHILD").Color, 65280); // inherited from the overridden value
    EXPECT_EQ(Section(*t, "FORM").FontColor.Color, 255);
    EXPECT_EQ(t->GeneralData.back().SectionName, "EXTRA");
    EXPECT_EQ(t->GeneralData.back().Color, 1);
}
