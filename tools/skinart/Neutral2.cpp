// Neutral2: quiet neutral greys, almost flat; thin grey rims, no gloss and no glow, a dark grey
// focus mark.
#include "SkinStyle.h"
#include "StyleKit.h"

namespace {

const QColor Window("#E4E4E4");
const QColor Text("#202020");
// The gauge's percentage on the fill: thin strokes of small text over a gradient need 8:1.
const QColor FillText("#101010");
const QColor Focus("#5F5F5F");
const QColor Rim("#9C9C9C");
const QColor ButtonRim("#7A7A7A"); // 3:1 from the window
const QColor HotRim("#5A5A5A");
const QColor PressedRim("#6A6A6A");
const QColor DisabledRim("#C4C4C4");
const QColor DisabledWash("#EAEAEA");
constexpr double DisabledWashAlpha = 0.65;

const std::vector<GradientStep> ButtonFace = OneBand(QColor("#F5F5F5"), QColor("#DCDCDC"));
// Under the mouse the face turns almost white, so the button lifts from the grey window.
const std::vector<GradientStep> HotFace = OneBand(QColor("#FFFFFF"), QColor("#F5F5F5"));
const std::vector<GradientStep> TitleFace = OneBand(QColor("#D9D9D9"), QColor("#CACACA"));

FrameLook ButtonLook(const QColor& rim) {
    FrameLook look;
    look.Radius = 2;
    look.Margin = 4;
    look.Outside = Window;
    look.Rim = rim;
    look.HighlightTop = White(0.8);
    return look;
}

std::array<FrameLook, 5> Buttons() {
    FrameLook normal = ButtonLook(ButtonRim);
    FrameLook hot = ButtonLook(HotRim);
    hot.Highlight = White(0.9);
    // Held down, the face sinks a clear step below the window's grey, shaded at its top.
    FrameLook pressed = ButtonLook(PressedRim);
    pressed.HighlightTop = Black(0.22);
    pressed.Fill = Black(0.16); // flat: no band
    FrameLook disabled = ButtonLook(DisabledRim);
    disabled.Fill = Alpha(DisabledWash, DisabledWashAlpha);
    disabled.HighlightTop = QColor();
    FrameLook focused = normal;
    focused.Rim = Focus;
    // The ring inside the rim stands at 3:1 and more from the face it covers.
    focused.Ring = Alpha(Focus, 0.9);
    return {normal, hot, pressed, disabled, focused};
}

std::array<FrameLook, 4> EditFrames() {
    FrameLook base = Simple(QColor("#A8A8A8"), Window, 1);
    FrameLook hot = base;
    hot.Rim = QColor("#858585");
    // Ringed twice in the focus grey: a read-only field's thin caret alone is easily missed.
    FrameLook focused = base;
    focused.Rim = Focus;
    focused.HighlightTop = Focus;
    focused.Highlight = Focus;
    FrameLook disabled = Simple(QColor("#C8C8C8"), Window, 1);
    disabled.Fill = Alpha(QColor("#EEEEEE"), 0.7);
    return {base, hot, focused, disabled};
}

std::array<FrameLook, 4> TabLooks() {
    FrameLook normal = ButtonLook(Rim);
    normal.Margin = 3;
    normal.Open = Qt::BottomEdge;
    normal.HighlightTop = White(0.6);
    FrameLook hot = normal;
    hot.Rim = QColor("#5F5F5F");
    hot.HighlightTop = White(1);
    FrameLook selected = normal;
    selected.Rim = QColor("#7A7A7A");
    selected.Fill = QColor("#F2F2F2");
    selected.HighlightTop = White(1);
    return WithDisabled(normal, hot, selected, Alpha(Window, 0.55));
}

void SetSections(SkinStyle& s) {
    s.Form = {Window, {}, GradientDirection::Down, Text};
    s.Title.Color = QColor("#A0A0A0");
    s.Title.Gradient = TitleFace;
    s.Title.Text = Text;
    s.Dialog = s.Form;
    // The button's colour only sets its disabled caption: the foot of the face, washed, under it.
    const QColor disabledFace = Mix(ButtonFace[0].To, DisabledWash, DisabledWashAlpha);
    s.Button = {DisabledCaptionBase(Text, disabledFace, DisabledCaptionRatio),
                ButtonFace,
                GradientDirection::Down,
                Text,
                {},
                QColor("#F0F0F0"),
                HotFace,
                Text};
    s.ComboButton = s.Button;
    s.ToolButton = {QColor("#C0C0C0"), {},  GradientDirection::Down, Text, {}, QColor("#F0F0F0"),
                    HotFace,           Text};
    s.ScrollButton = s.Button;
    s.Thumb = s.Button;
    s.Track = {QColor("#DCDCDC"), {}, GradientDirection::Down, Text};
    s.Edit = {Qt::white, {}, GradientDirection::Down, Text, {}, Qt::white, {}, Text};
    s.Selection = {QColor("#D0D0D0"), {}, GradientDirection::Down, Text, {}, QColor("#5F5F5F"), {},
                   Qt::white};
    s.CheckBox = {Window, {}, GradientDirection::Down, Text, {}, Window, {}, Text};
    s.Gauge = {QColor("#F2F2F2"), OneBand(QColor("#EAEAEA"), QColor("#F7F7F7")), GradientDirection::Down,
               Text};
    s.Progress = {QColor("#C2C2C2"), OneBand(QColor("#CACACA"), QColor("#B9B9B9")), GradientDirection::Down,
                  FillText};
    s.StatusBar = {QColor("#E0E0E0"), OneBand(QColor("#E8E8E8"), QColor("#DADADA")), GradientDirection::Down,
                   Text};
    s.Hint = {QColor("#FAFAFA"), {}, GradientDirection::Down, Text};
    s.Header = {QColor("#EFEFEF"),
                OneBand(QColor("#F7F7F7"), QColor("#E6E6E6")),
                GradientDirection::Down,
                Text,
                {},
                QColor("#FFFFFF"),
                OneBand(QColor("#FFFFFF"), QColor("#F6F6F6")),
                Text};
    s.Menu = {QColor("#F2F2F2"), {}, GradientDirection::Down, Text};
    s.MenuItem = {QColor("#F2F2F2"), {}, GradientDirection::Down, Text, {}, QColor("#D8D8D8"), {}, Text};
    s.MenuLine = {QColor("#F2F2F2"), {}, GradientDirection::Down, Text};
    s.Page = {QColor("#F2F2F2"), {}, GradientDirection::Down, Text};
    s.Tab = {QColor("#DCDCDC"),
             OneBand(QColor("#E6E6E6"), QColor("#D6D6D6")),
             GradientDirection::Down,
             Text,
             {},
             QColor("#EFEFEF"),
             OneBand(QColor("#FFFFFF"), QColor("#E0E0E0")),
             Text};
    s.Group = {Window, {}, GradientDirection::Down, Text};
    s.Panel = {Window, {}, GradientDirection::Down, Text};
    s.Splitter = {QColor("#D6D6D6"), {}, GradientDirection::Down, Text};
    s.Link = QColor("#2F4F7F");
}

// A flat tool button: the colour of what it stands on, square, so the section's colour (which
// sets the disabled text's mix) does not show.
void SetFrames(SkinStyle& s) {
    WindowFrameLook frame{QColor("#7C7C7C"), QColor("#CCCCCC"), QColor(), QColor("#ADADAD"), White(0.6)};
    WindowFrameLook inactive{QColor("#A0A0A0"), QColor("#DADADA"), QColor(), QColor("#C0C0C0"), White(0.5)};
    s.FormFrame = {frame, inactive};
    s.TitleBar = {StripLook{{}, QColor("#ADADAD"), {}},
                  StripLook{{}, QColor("#C0C0C0"), Alpha(QColor("#E6E6E6"), 0.55)}};
    s.ButtonFrames = Buttons();
    const std::array<FrameLook, 5> b = s.ButtonFrames;
    s.ComboButtonFrames = {FrameLook{}, b[1], b[2], FrameLook{}};
    for (FrameLook& look : s.ComboButtonFrames)
        look.Outside = QColor();
    s.EditFrames = EditFrames();
    s.ScrollParts = {b[0], b[1], b[2], b[3]};
    for (FrameLook& look : s.ScrollParts) {
        look.Outside = QColor("#DCDCDC");
        look.Radius = 1;
    }
    FrameLook selection;
    selection.Margin = 3;
    s.SelectionFrames = {selection, selection};
    // The current item's frame stands at 3:1 from the menu, so the keys' choice shows.
    FrameLook item = Simple(QColor("#828282"), QColor("#F2F2F2"), 1);
    s.MenuItemFrames = {FrameLook{}, item, item, FrameLook{}};
    FrameLook header;
    header.Margin = 3;
    header.Radius = 0;
    header.Open = Qt::LeftEdge | Qt::TopEdge;
    header.Rim = QColor("#BEBEBE");
    s.HeaderFrames = {header, header, header, header};
    s.HeaderFrames[3].Fill = Alpha(Window, 0.55);
    s.HeaderFrames[1].Rim = QColor("#8C8C8C");
    s.HeaderFrames[2].Rim = QColor("#8C8C8C");
    s.HeaderFrames[2].Fill = Black(0.12);
    s.ToolButtonFrames = {FlatOn(Window), b[1], b[2], FlatOn(Window)};
    s.TabFrames = TabLooks();
    s.GaugeFrame = Simple(Rim, Window, 1);
    s.ProgressFrame = Simple(QColor("#9A9A9A"), QColor(), 1);
    s.ProgressFrame.HighlightTop = White(0.35);
    s.GlowRegion = FrameLook{};
    s.GlowRegion.Radius = 3;
    s.GlowRegion.Fill = White(1);
    s.PageFrame = Simple(Rim, Window, 0);
    s.GroupFrame = Simple(QColor("#B8B8B8"), QColor(), 2);
    s.GroupFrame.HighlightTop = White(0.6);
    s.GroupFrame.RimOnly = true;
    s.HintFrame = Simple(QColor("#8A8A8A"), QColor(), 1);
    s.PanelFrame = Simple(QColor("#ABABAB"), QColor(), 0);
    s.MenuFrame = s.PanelFrame;
    s.TrackFrame = FrameLook{};
    s.StatusRule = QColor("#B4B4B4");
    s.StatusRuleLight = White(0.6);
    s.MenuLineDark = QColor("#CFCFCF");
    s.MenuLineLight = Qt::white;
}

void SetGlyphs(SkinStyle& s) {
    s.ScrollArrow =
        GlyphLook{{QColor("#505050"), QColor("#202020"), QColor("#202020"), QColor("#B0B0B0")}, {}, false};
    s.ComboArrow = s.ScrollArrow;
    s.Grip = GlyphLook{
        {QColor("#8A8A8A"), QColor("#6A6A6A"), QColor("#5A5A5A"), QColor("#C4C4C4")}, White(0.7), false};
    s.Box.Radius = 1;
    s.Box.Rim = {QColor("#8A8A8A"), Focus, QColor("#4A4A4A"), QColor("#C4C4C4")};
    s.Box.FillTop = {QColor("#FFFFFF"), QColor("#FFFFFF"), QColor("#D6D6D6"), QColor("#F2F2F2")};
    s.Box.FillBottom = {QColor("#EFEFEF"), QColor("#F5F5F5"), QColor("#E2E2E2"), QColor("#EEEEEE")};
    s.Box.Mark = {QColor("#202020"), QColor("#202020"), QColor("#101010"), QColor("#B0B0B0")};

    TitleButtonLook& t = s.TitleButtons;
    FrameLook bare;
    FrameLook hot;
    hot.Radius = 2;
    hot.Margin = 4;
    hot.Rim = QColor("#9C9C9C");
    hot.HighlightTop = White(0.7);
    hot.Fill = White(0.45);
    FrameLook pressed = hot;
    pressed.Rim = QColor("#7A7A7A");
    pressed.HighlightTop = Black(0.1);
    pressed.Fill = Black(0.14);
    t.Face = {bare, hot, pressed};
    FrameLook closeHot = hot;
    closeHot.Fill = QColor("#B5493E");
    FrameLook closePressed = hot;
    closePressed.Fill = QColor("#93362D");
    t.CloseFace = {bare, closeHot, closePressed};
    t.Icon = {QColor("#3C3C3C"), QColor("#202020"), QColor("#101010")};
    t.CloseIcon = {QColor("#3C3C3C"), Qt::white, Qt::white};
    t.IconSize = 8;
    t.Stroke = 1.4;

    const std::array<HugeLook, 3> huge = {HugeLook{Window,
                                                   Rim,
                                                   6,
                                                   QColor("#FAFAFA"),
                                                   QColor("#F0F0F0"),
                                                   QColor("#E2E2E2"),
                                                   QColor("#D8D8D8"),
                                                   {},
                                                   White(0.8)},
                                          HugeLook{Window,
                                                   QColor("#5F5F5F"),
                                                   6,
                                                   QColor("#FFFFFF"),
                                                   QColor("#FBFBFB"),
                                                   QColor("#F1F1F1"),
                                                   QColor("#E8E8E8"),
                                                   {},
                                                   White(1)},
                                          HugeLook{Window,
                                                   PressedRim,
                                                   6,
                                                   QColor("#D0D0D0"),
                                                   QColor("#D8D8D8"),
                                                   QColor("#DCDCDC"),
                                                   QColor("#E2E2E2"),
                                                   {},
                                                   Black(0.1)}};
    s.PaintHugeButton = [huge](QPainter& p, const QRect& cell, int column) {
        PaintHugeButton(p, cell, huge[column]);
    };
}

} // namespace

SkinStyle Neutral2Style() {
    SkinStyle s;
    s.Name = "Neutral2";
    s.Version = "6.5";
    s.Description = "Quiet neutral greys";
    s.MasterSize = QSize(189, 312);
    s.MasterBits = 8;
    s.SectionCount = 61;
    s.Metrics.TitleHeight = 24;
    s.Metrics.BorderWidth = 3;
    s.Metrics.FrameMargin = 3;
    s.Metrics.TitleButton = QSize(24, 18);
    s.Metrics.TitleButtonMaskType = 1;
    s.Metrics.BiRight = 2;
    s.Metrics.BiTop = 4;
    s.Metrics.BiSpace = 0;
    s.Metrics.Box = 13;
    s.Metrics.SmallBox = 9;
    s.Metrics.BoxMaskType = 1;
    s.Metrics.ButtonMargin = 3;
    s.Metrics.EditMargin = 3;
    s.Metrics.TabMargin = 3;
    SetSections(s);
    SetFrames(s);
    SetGlyphs(s);
    s.HasGlowRegion = true;
    // Where each picture sits in the master image (planned once, largest first).
    s.Layout = {
        {"Close", {0, 0}},           {"Maximise", {72, 0}},       {"GlowRegion", {144, 0}},
        {"ComboButton", {156, 0}},   {"StatusRule", {156, 16}},   {"MenuLine", {160, 16}},
        {"GaugeFrame", {180, 16}},   {"SmallChecked", {144, 24}}, {"Progress", {180, 32}},
        {"Restore", {0, 36}},        {"Minimise", {72, 36}},      {"SmallUnchecked", {144, 42}},
        {"TitleBar", {176, 60}},     {"Help", {0, 72}},           {"BoxChecked", {72, 72}},
        {"BoxUnchecked", {124, 72}}, {"PageFrame", {176, 76}},    {"GroupFrame", {176, 92}},
        {"BoxGrayed", {72, 98}},     {"RadioChecked", {124, 98}}, {"RadioUnchecked", {0, 108}},
        {"FormFrame", {52, 108}},    {"HintFrame", {176, 108}},   {"RadioGrayed", {52, 124}},
        {"SmallGrayed", {104, 124}}, {"Button", {140, 124}},      {"PanelFrame", {180, 124}}, {"MenuFrame", {180, 140}},
        {"Edit", {0, 134}},          {"Selection", {32, 134}},    {"MenuItem", {140, 140}},
        {"TrackFrame", {172, 140}},  {"ScrollPart", {104, 142}},  {"GripH", {0, 150}},
        {"GripV", {32, 150}},        {"ArrowUp", {64, 150}},      {"ArrowDown", {136, 156}},
        {"ArrowLeft", {96, 158}},    {"ArrowRight", {0, 166}},    {"Header", {32, 166}},
        {"ToolButton", {64, 166}},   {"TabTop", {128, 172}},      {"TabBottom", {96, 174}},
        {"TabLeft", {0, 182}},       {"TabRight", {32, 182}},     {"ComboArrow", {128, 188}},
    };
    return s;
}
