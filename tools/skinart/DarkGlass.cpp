// DarkGlass: dark smoked glass over a fine grey grain (Bkgnd.jpg); charcoal glass controls with a
// faint sheen, light text and a sky-blue accent for hot and focused parts.
#include "DarkGlassGrain.h"
#include "PackageWriter.h"
#include "PictureWriters.h"
#include "SkinOptions.h"
#include "SkinStyle.h"
#include "StyleKit.h"

namespace {

const QColor Window("#3B3E43"); // what the grain looks like on average
const QColor Panel("#24272B");
const QColor Text("#E8EAED");
const QColor Accent("#5AA7FF");
const QColor Edge("#5A5F66");
const QColor EdgeLight("#7A8089");
const QColor ButtonEdgeLight("#9AA0A9"); // the lit top of a button: 3:1 from the window
const QColor Field("#1B1D20");
const QColor Ink("#111214");
const QColor DisabledWash("#34373C");
constexpr double DisabledWashAlpha = 0.75;

const std::vector<GradientStep> ButtonFace =
    TwoBands(QColor("#5E646D"), QColor("#4C525A"), QColor("#383C42"), QColor("#41464D"));
const std::vector<GradientStep> HotFace =
    TwoBands(QColor("#6A717B"), QColor("#58606A"), QColor("#414851"), QColor("#4B535E"));
const std::vector<GradientStep> TitleFace =
    TwoBands(QColor("#545961"), QColor("#42464D"), QColor("#2C2F34"), QColor("#34373D"), 50);

FrameLook ButtonLook(const QColor& rim) {
    FrameLook look;
    look.Radius = 3;
    look.Margin = 4;
    look.Outside = Window;
    look.Rim = rim;
    look.HighlightTop = Alpha(EdgeLight, 0.95);
    look.Highlight = White(0.08);
    return look;
}

// The blue rim and ring are focus alone: under the mouse a button only lights up, its outline
// lit white, so hover and focus can be told apart and shown together.
std::array<FrameLook, 5> Buttons() {
    FrameLook normal = ButtonLook(Ink);
    normal.HighlightTop = ButtonEdgeLight;
    FrameLook hot = ButtonLook(Ink);
    hot.HighlightTop = White(0.7);
    hot.Highlight = White(0.18);
    hot.Fill = White(0.05);
    FrameLook pressed = ButtonLook(Ink);
    pressed.HighlightTop = Black(0.45);
    pressed.Highlight = Black(0.1);
    pressed.Fill = Black(0.34);
    pressed.FillBottom = Black(0.22);
    pressed.Ring = Alpha(Accent, 0.45);
    FrameLook disabled = ButtonLook(QColor("#2A2D31"));
    disabled.Fill = Alpha(DisabledWash, DisabledWashAlpha);
    disabled.HighlightTop = White(0.06);
    disabled.Highlight = QColor();
    FrameLook focused = normal;
    focused.Rim = QColor("#2F5E94");
    focused.Ring = Alpha(Accent, 0.85);
    return {normal, hot, pressed, disabled, focused};
}

std::array<FrameLook, 4> EditFrames() {
    FrameLook base = Simple(Ink, Window, 2);
    base.HighlightTop = Black(0.5);
    base.Highlight = White(0.05);
    FrameLook hot = base;
    hot.Rim = QColor("#3B536F");
    hot.HighlightTop = Alpha(QColor("#3B536F"), 0.5);
    hot.Highlight = Alpha(QColor("#3B536F"), 0.35);
    // A dark rim and a bright accent ring inside it: a read-only field's thin caret alone is
    // easily missed.
    FrameLook focused = base;
    focused.Rim = QColor("#2F5E94");
    focused.HighlightTop = Accent;
    focused.Highlight = Accent;
    FrameLook disabled = Simple(QColor("#2A2D31"), Window, 2);
    disabled.Fill = Alpha(QColor("#2C2F33"), 0.7);
    return {base, hot, focused, disabled};
}

std::array<FrameLook, 4> TabLooks() {
    FrameLook normal = ButtonLook(Ink);
    normal.Margin = 3;
    normal.Open = Qt::BottomEdge;
    FrameLook hot = normal;
    hot.Rim = QColor("#2F5E94");
    hot.HighlightTop = Alpha(QColor("#A9D0FF"), 0.7);
    FrameLook selected = normal;
    selected.HighlightTop = Alpha(Accent, 0.9);
    selected.Fill = QColor("#2E3135");
    return WithDisabled(normal, hot, selected, Alpha(QColor("#303338"), 0.6));
}

// The grain's lightest pixel: where light text on it has the least contrast.
QColor LightestGrain() {
    const QImage grain = DarkGlassGrain();
    QColor lightest = Qt::black;
    for (int y = 0; y < grain.height(); ++y)
        for (int x = 0; x < grain.width(); ++x)
            if (const QColor c = grain.pixelColor(x, y); RelativeLuminance(c) > RelativeLuminance(lightest))
                lightest = c;
    return lightest;
}

void SetSections(SkinStyle& s) {
    s.Form = {Window, {}, GradientDirection::Down, Text};
    s.Title.Color = QColor("#3A3E44");
    s.Title.Gradient = TitleFace;
    s.Title.Text = Qt::white;
    s.Title.Outline = Ink;
    s.Dialog = s.Form;
    // The button's colour only sets its disabled caption: the light upper band, washed, under it.
    const QColor disabledFace =
        Mix(Mix(ButtonFace[0].From, ButtonFace[0].To, 0.5), DisabledWash, DisabledWashAlpha);
    s.Button = {DisabledCaptionBase(Text, disabledFace, DisabledCaptionRatio),
                ButtonFace,
                GradientDirection::Down,
                Text,
                {},
                QColor("#525962"),
                HotFace,
                Qt::white};
    s.ComboButton = s.Button;
    // The flat tool button shows the grain; its colour only sets the disabled caption.
    s.ToolButton = {DisabledCaptionBase(Text, LightestGrain(), DisabledCaptionRatio),
                    {},
                    GradientDirection::Down,
                    Text,
                    {},
                    QColor("#525962"),
                    HotFace,
                    Qt::white};
    s.ScrollButton = s.Button;
    s.Thumb = s.Button;
    s.Track = {QColor("#222428"), OneBand(QColor("#1C1E21"), QColor("#272A2E")), GradientDirection::Down,
               Text};
    s.Edit = {Field, {}, GradientDirection::Down, Text, {}, Field, {}, Qt::white};
    s.Selection = {QColor("#2A66AD"),
                   OneBand(QColor("#2F6DB5"), QColor("#245A99")),
                   GradientDirection::Down,
                   Qt::white,
                   {},
                   QColor("#2F73C4"),
                   OneBand(QColor("#3577C6"), QColor("#2861A8")),
                   Qt::white};
    s.CheckBox = {Window, {}, GradientDirection::Down, Text, {}, Window, {}, Qt::white};
    s.Gauge = {Field, OneBand(QColor("#151719"), QColor("#24272B")), GradientDirection::Down, Qt::white};
    s.Progress = {QColor("#1B5199"),
                  TwoBands(QColor("#1D57A0"), QColor("#1A5098"), QColor("#164687"), QColor("#1A4D92")),
                  GradientDirection::Down, Qt::white};
    s.StatusBar = {QColor("#26292D"), OneBand(QColor("#2D3035"), QColor("#1F2125")), GradientDirection::Down,
                   Text};
    s.Hint = {Panel, OneBand(QColor("#30343A"), QColor("#24272B")), GradientDirection::Down, Text};
    s.Header = {QColor("#3C4046"),
                OneBand(QColor("#474C53"), QColor("#33363B")),
                GradientDirection::Down,
                Text,
                {},
                QColor("#4C525B"),
                OneBand(QColor("#5E6570"), QColor("#444A53")),
                Qt::white};
    s.Menu = {QColor("#26292D"), {}, GradientDirection::Down, Text};
    s.MenuItem = {QColor("#26292D"),
                  {},
                  GradientDirection::Down,
                  Text,
                  {},
                  QColor("#2A66AD"),
                  OneBand(QColor("#3170BB"), QColor("#245A99")),
                  Qt::white};
    s.MenuLine = {QColor("#26292D"), {}, GradientDirection::Down, Text};
    s.Page = {QColor("#2E3135"), {}, GradientDirection::Down, Text};
    s.Tab = {QColor("#383C42"),
             OneBand(QColor("#41454C"), QColor("#2F3237")),
             GradientDirection::Down,
             Text,
             {},
             QColor("#42474E"),
             OneBand(QColor("#4E545C"), QColor("#383C42")),
             Qt::white};
    s.Group = {Window, {}, GradientDirection::Down, Text};
    s.Panel = {Window, {}, GradientDirection::Down, Text};
    s.Splitter = {QColor("#2C2F33"), {}, GradientDirection::Down, Text};
    s.Link = QColor("#8CC2FF");
}

void SetFrames(SkinStyle& s) {
    WindowFrameLook frame{QColor("#0B0C0D"), QColor("#2B2E33"), White(0.07), QColor("#141618"),
                          Alpha(EdgeLight, 0.8)};
    WindowFrameLook inactive{QColor("#0B0C0D"), QColor("#27292D"), White(0.05), QColor("#141618"),
                             White(0.2)};
    s.FormFrame = {frame, inactive};
    s.TitleBar = {StripLook{{}, QColor("#141618"), {}},
                  StripLook{{}, QColor("#141618"), Alpha(QColor("#2A2C30"), 0.6)}};
    s.ButtonFrames = Buttons();
    const std::array<FrameLook, 5> b = s.ButtonFrames;
    s.ComboButtonFrames = {b[0], b[1], b[2], b[3]};
    for (FrameLook& look : s.ComboButtonFrames)
        look.Outside = Field;
    s.EditFrames = EditFrames();
    s.ScrollParts = {b[0], b[1], b[2], b[3]};
    for (FrameLook& look : s.ScrollParts) {
        look.Outside = QColor("#222428");
        look.Radius = 2;
    }
    FrameLook selection = Simple(QColor("#16375E"), Field, 2);
    selection.HighlightTop = Alpha(QColor("#8CC2FF"), 0.45);
    selection.Highlight = White(0.06);
    FrameLook focusedSelection = selection;
    focusedSelection.Rim = QColor("#4C9BF5");
    s.SelectionFrames = {selection, focusedSelection};
    FrameLook item = Simple(QColor("#16375E"), QColor("#26292D"), 2);
    item.HighlightTop = Alpha(QColor("#8CC2FF"), 0.5);
    s.MenuItemFrames = {FrameLook{}, item, item, FrameLook{}};
    FrameLook header;
    header.Margin = 3;
    header.Radius = 0;
    header.Open = Qt::LeftEdge | Qt::TopEdge;
    header.Rim = Ink;
    header.HighlightTop = White(0.12);
    s.HeaderFrames = {header, header, header, header};
    s.HeaderFrames[3].Fill = Alpha(QColor("#303338"), 0.6);
    s.HeaderFrames[1].HighlightTop = Alpha(Accent, 0.8);
    s.HeaderFrames[2].Fill = Black(0.5);
    s.HeaderFrames[2].HighlightTop = Black(0.4);
    s.ToolButtonFrames = {FrameLook{}, b[1], b[2], FrameLook{}};
    s.TabFrames = TabLooks();
    s.GaugeFrame = Simple(Ink, Window, 2);
    s.GaugeFrame.HighlightTop = Black(0.5);
    s.ProgressFrame = Simple(QColor("#0E2A4D"), QColor(), 2);
    s.ProgressFrame.HighlightTop = Alpha(QColor("#8CC2FF"), 0.25);
    s.ProgressFrame.Highlight = White(0.08);
    s.PageFrame = Simple(Ink, Window, 0);
    s.PageFrame.HighlightTop = White(0.1);
    s.GroupFrame = Simple(QColor("#1A1C1F"), QColor(), 3);
    s.GroupFrame.HighlightTop = White(0.16);
    s.GroupFrame.Highlight = White(0.1);
    s.GroupFrame.RimOnly = true;
    s.HintFrame = Simple(Edge, QColor(), 2);
    s.PanelFrame = Simple(Ink, QColor(), 0);
    s.PanelFrame.HighlightTop = White(0.08);
    s.MenuFrame = Simple(QColor("#5D626B"), QColor(), 0); // lighter than the menu, as dark menus are edged
    s.TrackFrame = Simple(QColor("#141618"), QColor(), 0);
    s.StatusRule = QColor("#111214");
    s.StatusRuleLight = White(0.12);
    s.MenuLineDark = QColor("#15171A");
    s.MenuLineLight = QColor("#3C4046");
}

void SetGlyphs(SkinStyle& s) {
    s.ScrollArrow = GlyphLook{{QColor("#B9BFC7"), Qt::white, Accent, QColor("#5A5F66")}, Black(0.5), false};
    s.ComboArrow = GlyphLook{{QColor("#C9CED5"), Qt::white, Accent, QColor("#5A5F66")}, Black(0.5), false};
    s.Grip = GlyphLook{{QColor("#8A9099"), QColor("#B8BEC6"), Accent, QColor("#4A4E55")}, Black(0.6), false};
    s.Box.Radius = 2;
    s.Box.Rim = {QColor("#0E0F11"), QColor("#2F5E94"), QColor("#0E0F11"), QColor("#2A2D31")};
    s.Box.FillTop = {QColor("#151719"), QColor("#1B2D42"), QColor("#0F1E31"), QColor("#2C2F33")};
    s.Box.FillBottom = {QColor("#2A2D32"), QColor("#25384F"), QColor("#1A3350"), QColor("#303338")};
    s.Box.Mark = {Accent, QColor("#8CC2FF"), QColor("#8CC2FF"), QColor("#5A5F66")};
    s.Box.Highlight = Alpha(EdgeLight, 0.55);

    TitleButtonLook& t = s.TitleButtons;
    FrameLook bare;
    FrameLook hot;
    hot.Radius = 3;
    hot.Margin = 4;
    hot.Rim = Black(0.6);
    hot.HighlightTop = White(0.35);
    hot.Highlight = White(0.08);
    hot.Fill = White(0.16);
    hot.FillBottom = White(0.07);
    FrameLook pressed = hot;
    pressed.Fill = Black(0.35);
    pressed.FillBottom = Black(0.25);
    pressed.HighlightTop = Black(0.3);
    t.Face = {bare, hot, pressed};
    FrameLook closeHot = hot;
    closeHot.Fill = QColor("#D9402F");
    closeHot.FillBottom = QColor("#A82316");
    closeHot.HighlightTop = Alpha(QColor("#FFB3A8"), 0.7);
    FrameLook closePressed = closeHot;
    closePressed.Fill = QColor("#8F1F14");
    closePressed.FillBottom = QColor("#7A160D");
    closePressed.HighlightTop = Black(0.3);
    t.CloseFace = {bare, closeHot, closePressed};
    t.Icon = {QColor("#D5D9DF"), Qt::white, QColor("#B9BFC7")};
    t.CloseIcon = {QColor("#D5D9DF"), Qt::white, QColor("#FFD2CC")};
    t.IconHalo = Black(0.55);
    t.IconSize = 8;
    t.Stroke = 1.6;

    const std::array<HugeLook, 3> huge = {
        HugeLook{Window, Ink, 10, QColor("#565C65"), QColor("#454A52"), QColor("#363A40"), QColor("#40454C"),
                 White(0.08), Alpha(EdgeLight, 0.7)},
        HugeLook{Window, QColor("#2F5E94"), 10, QColor("#5F6771"), QColor("#4D545D"), QColor("#3C424A"),
                 QColor("#475059"), White(0.09), Alpha(QColor("#A9D0FF"), 0.6)},
        HugeLook{Window, Ink, 10, QColor("#2C2F34"), QColor("#33373C"), QColor("#363A40"), QColor("#3D4147"),
                 White(0.05), Black(0.4)}};
    s.PaintHugeButton = [huge](QPainter& p, const QRect& cell, int column) {
        PaintHugeButton(p, cell, huge[column]);
    };
}

// The grain is the background of the window, the panels and pages on it and the flat tool buttons;
// each reference is decoded on its own when the skin loads, so it is named no more often than that.
void FinishOptions(OptionsText& text) {
    for (const char* name : {"FORM", "DIALOG", "PANEL", "PAGECONTROL"})
        text.Section(name)
            .Set("PATTERN", "BKGND.JPG")
            .Set("HOTPATTERN", "BKGND.JPG")
            .Set("IMAGEPERCENT", 100)
            .Set("HOTIMAGEPERCENT", 100);
    // A flat tool button shows the grain too; under the mouse it lights up without it.
    text.Section("TOOLBUTTON").Set("PATTERN", "BKGND.JPG").Set("IMAGEPERCENT", 100);
    AddAlphaSections(text);
}

void AddGrain(std::vector<PackageEntry>& entries) {
    entries.push_back({"Bkgnd.jpg", EncodeJpeg(DarkGlassGrain(), JpegOptions{90, true})});
}

} // namespace

SkinStyle DarkGlassStyle() {
    SkinStyle s;
    s.Name = "DarkGlass";
    s.Version = "6.4";
    s.Description = "Dark smoked glass";
    s.MasterSize = QSize(192, 256);
    s.MasterBits = 8;
    s.SectionCount = 63;
    s.Metrics.TitleHeight = 27;
    s.Metrics.BorderWidth = 4;
    s.Metrics.FrameMargin = 4;
    s.Metrics.TitleButton = QSize(25, 18);
    s.Metrics.TitleButtonMaskType = 1;
    s.Metrics.BiRight = 4;
    s.Metrics.BiTop = 6;
    s.Metrics.BiSpace = 2;
    s.Metrics.Box = 13;
    s.Metrics.SmallBox = 9;
    s.Metrics.BoxMaskType = 1;
    s.Metrics.ButtonMargin = 4;
    s.Metrics.EditMargin = 3;
    s.Metrics.TabMargin = 3;
    SetSections(s);
    SetFrames(s);
    SetGlyphs(s);
    s.HasGlowRegion = false;
    s.FinishOptions = FinishOptions;
    s.ExtraEntries = AddGrain;
    // Where each picture sits in the master image (planned once, largest first).
    s.Layout = {
        {"Close", {0, 0}},
        {"Maximise", {75, 0}},
        {"ComboButton", {150, 0}},
        {"ScrollPart", {150, 20}},
        {"Restore", {0, 36}},
        {"Minimise", {75, 36}},
        {"ToolButton", {150, 40}},
        {"StatusRule", {150, 60}},
        {"MenuLine", {154, 60}},
        {"TitleBar", {179, 60}},
        {"Help", {0, 72}},
        {"BoxChecked", {75, 72}},
        {"BoxUnchecked", {127, 72}},
        {"GaugeFrame", {179, 76}},
        {"Progress", {179, 92}},
        {"BoxGrayed", {75, 98}},
        {"RadioChecked", {127, 98}},
        {"RadioUnchecked", {0, 108}},
        {"Selection", {52, 108}},
        {"PageFrame", {179, 108}},
        {"RadioGrayed", {52, 124}},
        {"Button", {104, 124}},
        {"FormFrame", {154, 124}},
        {"GroupFrame", {174, 124}},
        {"HintFrame", {182, 124}},
        {"SmallChecked", {0, 134}},
        {"PanelFrame", {36, 134}}, {"MenuFrame", {176, 140}},
        {"TrackFrame", {44, 134}},
        {"SmallUnchecked", {104, 144}},
        {"SmallGrayed", {140, 144}},
        {"Edit", {36, 150}},
        {"MenuItem", {68, 150}},
        {"GripH", {0, 152}},
        {"GripV", {100, 162}},
        {"ArrowUp", {132, 162}},
        {"ArrowDown", {32, 166}},
        {"ArrowLeft", {64, 166}},
        {"ArrowRight", {0, 168}},
        {"Header", {96, 178}},
        {"TabTop", {128, 178}},
        {"TabBottom", {160, 178}},
        {"TabLeft", {32, 182}},
        {"TabRight", {64, 182}},
        {"ComboArrow", {96, 194}},
    };
    return s;
}
