// The built-in skins' artwork as the painter shows it: text contrast on every background it is
// drawn on, state columns that can be told apart, no pink fringe anywhere, and packages that the
// generator makes again byte for byte.
#include "BuiltInSkinsFixture.h"
#include "SkinColor.h"
#include "SkinPaint.h"
#include "TempDir.h"
#include "TsSkinStyle.h"

#include <QPainter>
#include <QPalette>
#include <QProcess>
#include <cmath>
#include <gtest/gtest.h>
#include <map>

namespace {

QImage Render(const SkinTables& skin, const char* section, QSize size, TsState state) {
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor("#808080"));
    QPainter painter(&image);
    DrawSectionBackground(painter, skin, SectionPaint{skin.FindSection(section), image.rect(), state});
    return image;
}

double Luminance(QRgb c) {
    const auto linear = [](int v) {
        const double x = v / 255.0;
        return x <= 0.03928 ? x / 12.92 : std::pow((x + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(qRed(c)) + 0.7152 * linear(qGreen(c)) + 0.0722 * linear(qBlue(c));
}

double Contrast(QRgb a, QRgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

// The lowest contrast between the text colour and any background pixel where a centred line of
// text lies: the middle nine rows (an 11-pixel font's capitals and digits), leaving the outer sixth
// on either side.
double LowestContrast(const QImage& background, const QColor& text) {
    double lowest = 21;
    const int middle = background.height() / 2;
    for (int y = std::max(0, middle - 4); y <= std::min(background.height() - 1, middle + 4); ++y)
        for (int x = background.width() / 6; x < background.width() * 5 / 6; ++x)
            lowest = std::min(lowest, Contrast(background.pixel(x, y), text.rgb()));
    return lowest;
}

struct TextCase {
    const char* Section;
    QSize Size;
    std::vector<TsState> States;
    const char* TextSection = nullptr; // the section whose text colour is drawn, when another
};

const std::vector<TsState> Still = {TsState::Normal};
const std::vector<TsState> Pointed = {TsState::Normal, TsState::Hot};
const std::vector<TsState> Pushed = {TsState::Normal, TsState::Hot, TsState::Pressed};
const std::vector<TsState> Focusable = {TsState::Normal, TsState::Hot, TsState::Pressed, TsState::Focused};

const std::vector<TextCase> TextCases = {
    // Large, so the window frame stays away from the text.
    {"FORM", {400, 200}, Still},
    {"DIALOG", {400, 200}, Still},
    {"FORMTITLE", {300, 26}, Still},
    {"SPEEDBUTTON", {80, 21}, Focusable},
    {"SPEEDBUTTON", {80, 125}, Focusable},
    {"BUTTON", {75, 23}, Focusable},
    {"BUTTON_HUGE", {120, 40}, Pushed},
    {"TOOLBUTTON", {60, 22}, Pushed},
    {"EDIT", {200, 21}, Focusable},
    {"EDIT", {400, 80}, Focusable},
    {"COMBOBOX", {100, 21}, Focusable},
    {"SELECTION", {200, 18}, Pointed},
    {"CHECKBOX", {100, 17}, Pointed},
    {"GAUGE", {734, 12}, Still},
    {"PROGRESSH", {345, 12}, Still}, // the percentage over the filled part, in its own colour
    {"STATUSBAR", {250, 22}, Still},
    {"HINT", {80, 20}, Still},
    {"COLHEADER", {100, 20}, Pushed},
    {"MAINMENU", {150, 22}, Still},
    {"MENUITEM", {150, 22}, Pointed},
    {"PAGECONTROL", {200, 60}, Still},
    {"TABTOP", {70, 22}, Pushed},
    {"TABBOTTOM", {70, 22}, Pushed},
    {"TABLEFT", {70, 22}, Pushed},
    {"TABRIGHT", {70, 22}, Pushed},
    {"GROUPBOX", {200, 60}, Still},
    {"PANEL", {200, 40}, Still},
    {"WEBBUTTON", {100, 17}, Pointed},
};

} // namespace

TEST(BuiltInSkinArt, TextKeepsFourAndAHalfToOneOnEveryBackground) {
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        const SkinTables& skin = *LoadBuiltInSkin(expected).Tables;
        for (const TextCase& c : TextCases)
            for (const TsState state : c.States) {
                const TsGeneralData* text =
                    skin.Section(skin.FindSection(c.TextSection ? c.TextSection : c.Section));
                ASSERT_NE(text, nullptr) << c.Section;
                const double contrast =
                    LowestContrast(Render(skin, c.Section, c.Size, state), SectionTextColor(*text, state));
                EXPECT_GE(contrast, 4.5) << expected.Name << " " << c.Section << " " << c.Size.width() << "x"
                                         << c.Size.height() << " state " << int(state);
            }
    }
}

// Disabled text is a mix of the font and the section colour; it stays readable. Captions of
// buttons reach 3:1, as their section colour lies hidden under the face and is chosen for it;
// a field shows its own colour, so its disabled text, 40 % on 60 % of it, cannot go past 2:1.
// An inactive window's caption is drawn that way too, on the inactive title, and must read well.
TEST(BuiltInSkinArt, DisabledTextAndTheInactiveCaptionStayReadable) {
    const struct {
        const char* Section;
        QSize Size;
        double Least;
    } cases[] = {
        {"SPEEDBUTTON", {80, 21}, 3.0}, {"SPEEDBUTTON", {80, 125}, 3.0}, {"BUTTON", {75, 23}, 3.0},
        {"TOOLBUTTON", {60, 22}, 3.0},  {"EDIT", {80, 21}, 2.0},         {"COMBOBOX", {80, 21}, 2.0},
        {"CHECKBOX", {80, 21}, 2.0},
    };
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        const SkinTables& skin = *LoadBuiltInSkin(expected).Tables;
        for (const auto& c : cases) {
            const TsGeneralData* s = skin.Section(skin.FindSection(c.Section));
            const double contrast = LowestContrast(Render(skin, c.Section, c.Size, TsState::Disabled),
                                                   SectionTextColor(*s, TsState::Disabled));
            EXPECT_GE(contrast, c.Least) << expected.Name << " " << c.Section << " " << c.Size.height();
        }
        const TsGeneralData* title = skin.Section(skin.FindSection("FORMTITLE"));
        const double caption = LowestContrast(Render(skin, "FORMTITLE", QSize(400, 24), TsState::Disabled),
                                              SectionTextColor(*title, TsState::Disabled));
        EXPECT_GE(caption, 3.0) << expected.Name << " inactive caption";
    }
}

// A read-only log pane's thin caret is easily missed: its frame shows where the keyboard focus
// is. A ring nearly as long as the field's outline stands at 3:1 or more from the same pixels
// unfocused, as a desktop's own focus ring does.
TEST(BuiltInSkinArt, AFocusedFieldIsRingedAtThreeToOne) {
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        const SkinTables& skin = *LoadBuiltInSkin(expected).Tables;
        for (const QSize size : {QSize(200, 21), QSize(400, 80)}) {
            // Fields take their focused look from the third column.
            const QImage normal = Render(skin, "EDIT", size, TsState::Normal);
            const QImage focused = Render(skin, "EDIT", size, TsState::Pressed);
            int ringed = 0;
            for (int y = 0; y < size.height(); ++y)
                for (int x = 0; x < size.width(); ++x)
                    ringed += Contrast(normal.pixel(x, y), focused.pixel(x, y)) >= 3.0;
            EXPECT_GE(ringed, 2 * (size.width() + size.height()) * 9 / 10)
                << expected.Name << " " << size.width() << "x" << size.height();
        }
    }
}

namespace {

// Pixels whose colour differs by more than a faint step in some channel.
int ChangedPixels(const QImage& a, const QImage& b) {
    int changed = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            const int d = std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                                    std::abs(qBlue(p) - qBlue(q))});
            changed += d >= 16;
        }
    return changed;
}

const TsMaskData* GlyphOf(const SkinTables& skin, const char* section, const char* key) {
    return skin.Mask(skin.FindMask(skin.FindSection(section), section, key));
}

struct StateCase {
    const char* Section;
    QSize Size; // empty: the glyph's own size
    std::vector<TsState> States;
    const char* Glyph = nullptr; // a glyph drawn over it: "SECTION.KEY"
    bool Background = true;      // false: the section is only the backdrop of the glyph
};

// The control in one state as the painter draws it: its background, then its glyph 1:1.
QImage RenderState(const SkinTables& skin, const StateCase& c, TsState state) {
    const TsMaskData* glyph = nullptr;
    if (c.Glyph != nullptr) {
        const std::string name = c.Glyph;
        const std::string section = name.substr(0, name.find('.')), key = name.substr(name.find('.') + 1);
        glyph = GlyphOf(skin, section.c_str(), key.c_str());
    }
    const QSize size = c.Size.isEmpty() ? QSize(glyph->ColumnWidth(), glyph->Picture.height()) : c.Size;
    QImage image = Render(skin, c.Section, size, c.Background ? state : TsState::Normal);
    QPainter painter(&image);
    if (glyph != nullptr)
        DrawGlyph(painter, *glyph, image.rect(), state);
    return image;
}

const std::vector<TsState> FiveStates = {TsState::Normal, TsState::Hot, TsState::Pressed, TsState::Disabled,
                                         TsState::Focused};
const std::vector<TsState> FourStates = {TsState::Normal, TsState::Hot, TsState::Pressed, TsState::Disabled};

const std::vector<StateCase> StateCases = {
    {"SPEEDBUTTON", {80, 21}, FiveStates},
    {"BUTTON", {75, 23}, FiveStates},
    {"BUTTON_HUGE", {96, 48}, Pushed},
    {"TOOLBUTTON", {40, 22}, Pushed},
    {"COMBOBTN", {17, 17}, FourStates, "COMBOBOX.GLYPHMASK"},
    {"EDIT", {60, 21}, FourStates},
    {"SCROLLSLIDERH", {40, 16}, Pushed, "SCROLLSLIDERH.GLYPHMASK"},
    {"SCROLLSLIDERV", {16, 40}, Pushed, "SCROLLSLIDERV.GLYPHMASK"},
    {"SCROLLBTNTOP", {16, 16}, FourStates, "SCROLLBTNTOP.GLYPHMASK"},
    {"SCROLLBTNLEFT", {16, 16}, FourStates, "SCROLLBTNLEFT.GLYPHMASK"},
    {"COLHEADER", {60, 20}, Pushed},
    {"TABTOP", {50, 22}, Pushed},
    {"MENUITEM", {60, 22}, Pointed},
    {"SELECTION", {60, 18}, Pointed},
    {"DIALOG", {}, FourStates, "GLOBALINFO.BOXCHECKED", false},
    {"DIALOG", {}, FourStates, "GLOBALINFO.BOXUNCHECKED", false},
    {"DIALOG", {}, FourStates, "GLOBALINFO.RADIOCHECKED", false},
    {"DIALOG", {}, FourStates, "GLOBALINFO.RADIOUNCHECKED", false},
    {"FORMTITLE", {}, Pushed, "GLOBALINFO.BICONCLOSE", false},
    {"FORMTITLE", {}, Pushed, "GLOBALINFO.BICONMAX", false},
    {"FORMTITLE", {}, Pushed, "GLOBALINFO.BICONMIN", false},
};

} // namespace

// Clearly different: at least a tenth of the control, or a dozen pixels on something as small as
// a scroll-bar arrow.
TEST(BuiltInSkinArt, EveryStateCanBeToldFromEveryOther) {
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        const SkinTables& skin = *LoadBuiltInSkin(expected).Tables;
        for (const StateCase& c : StateCases) {
            std::vector<QImage> looks;
            for (const TsState state : c.States)
                looks.push_back(RenderState(skin, c, state));
            const int area = looks[0].width() * looks[0].height();
            for (std::size_t i = 0; i < looks.size(); ++i)
                for (std::size_t j = i + 1; j < looks.size(); ++j)
                    EXPECT_GE(ChangedPixels(looks[i], looks[j]), area >= 400 ? area / 10 : 12)
                        << expected.Name << " " << c.Section << " " << (c.Glyph ? c.Glyph : "") << " states "
                        << int(c.States[i]) << " and " << int(c.States[j]);
        }
    }
}

// The close glyph's strokes cross in the middle of a pixel, where a thin stroke stays thin: its
// ink spans an odd number of pixels each way. Crossing at a pixel corner, the four pixels round it
// darken into a blot. Measured where the cross is a thin stroke straight on the title bar
// (NextAlpha, Neutral2); a face or a halo under it would be measured with it.
TEST(BuiltInSkinArt, TheCloseGlyphsStrokesCrossInOnePixel) {
    const StateCase close{"FORMTITLE", {}, {TsState::Normal}, "GLOBALINFO.BICONCLOSE", false};
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        if (std::string(expected.Name) != "NextAlpha" && std::string(expected.Name) != "Neutral2")
            continue;
        const SkinTables& skin = *LoadBuiltInSkin(expected).Tables;
        const QImage button = RenderState(skin, close, TsState::Normal);
        // The cross on its face (the face may be part of the glyph): the middle of the button,
        // away from the face's rim, measured against the face's commonest colour there.
        const QRect middle(button.width() / 5, button.height() / 5, button.width() * 3 / 5, button.height() * 3 / 5);
        std::map<QRgb, int> colours;
        for (int y = middle.top(); y <= middle.bottom(); ++y)
            for (int x = middle.left(); x <= middle.right(); ++x)
                ++colours[button.pixel(x, y)];
        const QRgb face = std::max_element(colours.begin(), colours.end(), [](const auto& a, const auto& b) {
                              return a.second < b.second;
                          })->first;
        const auto ink = [&](int x, int y) {
            const QRgb p = button.pixel(x, y);
            return std::max({std::abs(qRed(p) - qRed(face)), std::abs(qGreen(p) - qGreen(face)),
                             std::abs(qBlue(p) - qBlue(face))});
        };
        int strongest = 0;
        for (int y = middle.top(); y <= middle.bottom(); ++y)
            for (int x = middle.left(); x <= middle.right(); ++x)
                strongest = std::max(strongest, ink(x, y));
        QRect inked;
        for (int y = middle.top(); y <= middle.bottom(); ++y)
            for (int x = middle.left(); x <= middle.right(); ++x)
                if (ink(x, y) * 2 >= strongest)
                    inked |= QRect(x, y, 1, 1);
        ASSERT_FALSE(inked.isEmpty()) << expected.Name;
        EXPECT_EQ(inked.width() % 2, 1) << expected.Name << " " << inked.width() << " wide";
        EXPECT_EQ(inked.height() % 2, 1) << expected.Name << " " << inked.height() << " high";
    }
}

namespace {

// How far two pictures lie apart: the mean over their pixels of the largest channel difference.
double MeanDifference(const QImage& a, const QImage& b) {
    double sum = 0;
    for (int y = 0; y < a.height(); ++y)
        for (int x = 0; x < a.width(); ++x) {
            const QRgb p = a.pixel(x, y), q = b.pixel(x, y);
            sum += std::max({std::abs(qRed(p) - qRed(q)), std::abs(qGreen(p) - qGreen(q)),
                             std::abs(qBlue(p) - qBlue(q))});
        }
    return sum / (a.width() * a.height());
}

} // namespace

// A button under the mouse lights up over all of its face, not only at its rim: a faint hover
// (BluePlastic's and Neutral2's once measured 16 and 9 to 11) goes unseen. NextAlpha's palette
// gives it a pale tint, which is as far as that skin goes.
TEST(BuiltInSkinArt, ButtonsClearlyLightUpUnderTheMouse) {
    const std::map<std::string, double> least = {
        {"DarkGlass", 18}, {"LongHorn", 18}, {"Neutral2", 18}, {"NextAlpha", 14}, {"BluePlastic", 18}};
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        const SkinTables& skin = *LoadBuiltInSkin(expected).Tables;
        for (const char* section : {"SPEEDBUTTON", "BUTTON"})
            for (const QSize size : {QSize(75, 23), QSize(80, 125)}) {
                const double difference = MeanDifference(Render(skin, section, size, TsState::Normal),
                                                         Render(skin, section, size, TsState::Hot));
                EXPECT_GE(difference, least.at(expected.Name))
                    << expected.Name << " " << section << " " << size.width() << "x" << size.height();
            }
    }
}

namespace {

// How well a button's outline shows: the strongest contrast of its top edge's outer pixels in
// the middle, against the window around it or against its own face, whichever it parts better.
double OutlineContrast(const SkinTables& skin, const char* section, TsState state) {
    const QImage button = Render(skin, section, QSize(75, 23), state);
    const QColor window = SectionColor(*skin.Section(skin.FindSection("DIALOG")), TsState::Normal);
    const QColor face = button.pixelColor(37, 11);
    double strongest = 1;
    for (int y = 0; y < 3; ++y)
        for (const QColor& beside : {window, face})
            strongest = std::max(strongest, Contrast(button.pixel(37, y), beside.rgb()));
    return strongest;
}

} // namespace

// A button's outline reaches 3:1, the least for a control's edge to be seen; a disabled one is
// visibly calmer.
TEST(BuiltInSkinArt, ButtonOutlinesShowAndDisabledOnesAreCalmer) {
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        const SkinTables& skin = *LoadBuiltInSkin(expected).Tables;
        for (const char* section : {"SPEEDBUTTON", "BUTTON"}) {
            const double enabled = OutlineContrast(skin, section, TsState::Normal);
            const double disabled = OutlineContrast(skin, section, TsState::Disabled);
            EXPECT_GE(enabled, 3.0) << expected.Name << " " << section;
            EXPECT_LT(disabled, enabled * 0.8) << expected.Name << " " << section;
        }
    }
}

// Qt's button colour, in which Qt draws what the skin leaves to it, is the colour the skin's
// buttons show: the built-in skins hide the buttons' own colour under their gradient (it only
// sets their disabled captions), and it once made that colour a mid grey in every skin.
TEST(BuiltInSkinArt, QtsButtonColourIsWhatTheButtonsShow) {
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        const SkinTables& skin = *LoadBuiltInSkin(expected).Tables;
        const QPalette palette = TsSkinStyle::SkinPalette(skin, TsSkinStyle::FindSections(skin), QPalette());
        const QImage face = Render(skin, "BUTTON", QSize(75, 23), TsState::Normal);
        const QColor middle = face.pixelColor(37, 11);
        const QColor button = palette.color(QPalette::Active, QPalette::Button);
        const int distance = std::max({std::abs(middle.red() - button.red()),
                                       std::abs(middle.green() - button.green()),
                                       std::abs(middle.blue() - button.blue())});
        EXPECT_LE(distance, 24) << expected.Name << ": " << button.name().toStdString() << " against the face's "
                                << middle.name().toStdString();
    }
}

namespace {

// Magenta mixed into a colour: strong red and blue, little green.
bool Pinkish(QRgb c) {
    return qRed(c) > 150 && qBlue(c) > 150 && qGreen(c) < qRed(c) - 70 && qGreen(c) < qBlue(c) - 70;
}

constexpr QRgb Magenta = 0xFFFF00FFu;

// Checks one mask in the picture it was cut from: magenta only where the mask layer says
// "nothing", exact greys in the mask layer, and no pinkish pixel that would show.
void CheckNoFringe(const TsMaskData& mask, const QImage& source, const std::string& where) {
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    const int layers = mask.MaskType + 1, height = (mask.Bottom - mask.Top) / layers;
    for (int y = 0; y < height; ++y)
        for (int x = mask.Left; x < mask.Right; ++x) {
            const QRgb p = picture.pixel(x, mask.Top + y) | 0xFF000000u;
            if (mask.MaskType == 0) {
                EXPECT_TRUE(p == Magenta || !Pinkish(p)) << where << " at " << x << "," << mask.Top + y;
                continue;
            }
            const QRgb a = picture.pixel(x, mask.Top + height + y);
            ASSERT_TRUE(qRed(a) == qGreen(a) && qGreen(a) == qBlue(a)) << where << ": mask layer not grey";
            if (p == Magenta) {
                EXPECT_EQ(qRed(a), 0)
                    << where << ": magenta under a visible pixel at " << x << "," << mask.Top + y;
            } else if (qRed(a) > 0) {
                EXPECT_FALSE(Pinkish(p)) << where << " at " << x << "," << mask.Top + y;
            }
        }
}

} // namespace

TEST(BuiltInSkinArt, NoPinkFringeAndMagentaOnlyWhereNothingShows) {
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        const SkinTables& skin = *LoadBuiltInSkin(expected).Tables;
        for (const TsMaskData& mask : skin.Masks) {
            const QImage& source = mask.Image.isNull() ? skin.MasterBitmap : mask.Image;
            if (mask.ImgType == TacImgType::itisaTexture || mask.ImgType == TacImgType::itisaPngGlyph)
                continue; // the grain and the glows carry no magenta at all
            CheckNoFringe(mask, source,
                          std::string(expected.Name) + " " + mask.SectionName + "." + mask.PropertyName);
        }
    }
}

TEST(BuiltInSkinArt, TheGeneratorMakesTheCommittedPackagesAgainByteForByte) {
    const TTempDir folder;
    QProcess generator;
    generator.start(QStringLiteral(MORVANE_SKINART), {QString::fromStdString(folder.Path())});
    ASSERT_TRUE(generator.waitForFinished(120000));
    ASSERT_EQ(generator.exitCode(), 0) << generator.readAllStandardError().toStdString();
    for (const ExpectedSkin& expected : ExpectedSkins()) {
        const std::string made = ReadFileBytes(folder.File(expected.File));
        const std::string committed =
            ReadFileBytes(std::string(MORVANE_RESOURCES_DIR) + "/skins/" + expected.File);
        EXPECT_FALSE(made.empty()) << expected.File;
        EXPECT_TRUE(made == committed)
            << expected.File << " differs from what skinart makes; run skinart resources/skins";
    }
    EXPECT_EQ(folder.Listing(), "BluePlastic.ktz;DarkGlass.ktz;LongHorn.ktz;Neutral2.ktz;NextAlpha.ktz;");
}
