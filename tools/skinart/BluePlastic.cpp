// BluePlastic: glossy blue plastic; a deep blue two-band title, light blue gel buttons with a
// bright sheen over a saturated lower band, dark navy text.
#include "SkinOptions.h"
#include "SkinStyle.h"
#include "StyleKit.h"

namespace {

const QColor Window("#DCE5F2");
const QColor Text("#10213D");
// The gauge's percentage on the fill: thin strokes of small text over a gradient need 8:1.
const QColor FillText("#0A1833");
const QColor Accent("#2D6AD0");
const QColor Rim("#3D6FBF");
const QColor DeepRim("#1B4A9C");
const QColor DisabledRim("#A3B5D0");
const QColor DisabledWash("#E4EAF3");
constexpr double DisabledWashAlpha = 0.72;

const std::vector<GradientStep> ButtonFace =
    TwoBands(QColor("#CFE3FC"), QColor("#A6C9F7"), QColor("#6A9DEA"), QColor("#8DB8F3"));
// Under the mouse the gel lights up: both bands a clear step paler, the lower one brighter blue.
const std::vector<GradientStep> HotFace =
    TwoBands(QColor("#EEF6FF"), QColor("#CBE3FD"), QColor("#8EC2F8"), QColor("#B4D9FD"));
const std::vector<GradientStep> TitleFace =
    TwoBands(QColor("#3A70C9"), QColor("#2E62BA"), QColor("#1C4FA8"), QColor("#285DB6"), 48);

FrameLook ButtonLook(const QColor& rim) {
    FrameLook look;
    look.Radius = 4;
    look.Margin = 4;
    look.Outside = Window;
    look.Rim = rim;
    look.HighlightTop = White(0.95);
    look.Highlight = White(0.4);
    return look;
}

std::array<FrameLook, 5> Buttons() {
    FrameLook normal = ButtonLook(Rim);
    FrameLook hot = ButtonLook(QColor("#2F7BE0"));
    hot.Highlight = White(0.8);
    FrameLook pressed = ButtonLook(DeepRim);
    pressed.HighlightTop = Alpha(DeepRim, 0.45);
    pressed.Highlight = Alpha(DeepRim, 0.15);
    pressed.Fill = Alpha(QColor("#2F66C4"), 0.30);
    pressed.FillBottom = Alpha(QColor("#2F66C4"), 0.08);
    FrameLook disabled = ButtonLook(DisabledRim);
    disabled.Fill = Alpha(DisabledWash, DisabledWashAlpha);
    disabled.Highlight = White(0.3);
    FrameLook focused = normal;
    focused.Rim = DeepRim;
    // A deep blue ring inside the rim, set off from the gel by a white one: 3:1 and more from
    // the face wherever it is drawn.
    focused.Ring = Alpha(QColor("#FFFFFF"), 0.9);
    focused.RingOuter = Alpha(DeepRim, 0.9);
    return {normal, hot, pressed, disabled, focused};
}

std::array<FrameLook, 4> EditFrames() {
    FrameLook base = Simple(QColor("#8AA3C8"), Window, 2);
    base.HighlightTop = Alpha(QColor("#3D5F94"), 0.18);
    FrameLook hot = base;
    hot.Rim = QColor("#5685CF");
    FrameLook focused = base;
    // Focused, a field is ringed twice in the accent, as a desktop's focus ring is: a read-only
    // field's thin caret alone is easily missed.
    focused.Rim = Accent;
    focused.HighlightTop = Accent;
    focused.Highlight = Accent;
    FrameLook disabled = Simple(QColor("#B7C6DC"), Window, 2);
    disabled.Fill = Alpha(QColor("#E8EDF5"), 0.65);
    return {base, hot, focused, disabled};
}

std::array<FrameLook, 4> TabLooks() {
    FrameLook normal = ButtonLook(Rim);
    normal.Margin = 3;
    normal.Open = Qt::BottomEdge;
    normal.Highlight = White(0.3);
    FrameLook hot = normal;
    hot.Rim = Accent;
    FrameLook selected = normal;
    selected.Highlight = White(1);
    selected.Fill = QColor("#F4F8FE");
    return WithDisabled(normal, hot, selected, Alpha(Window, 0.55));
}

void SetSections(SkinStyle& s) {
    s.Form = {Window, {}, GradientDirection::Down, Text};
    s.Title.Color = QColor("#000814");
    s.Title.Gradient = TitleFace;
    s.Title.Text = Qt::white;
    s.Title.Outline = QColor("#123A7A");
    s.Dialog = {Window, {}, GradientDirection::Down, Text};
    // The button's colour only sets its disabled caption: the darkest washed band under it.
    const QColor disabledFace = Mix(ButtonFace[1].From, DisabledWash, DisabledWashAlpha);
    s.Button = {DisabledCaptionBase(Text, disabledFace, DisabledCaptionRatio),
                ButtonFace,
                GradientDirection::Down,
                Text,
                {},
                QColor("#AACBF6"),
                HotFace,
                Text};
    s.ComboButton = s.Button;
    s.ToolButton = {DisabledCaptionBase(Text, Window, DisabledCaptionRatio),
                    {},
                    GradientDirection::Down,
                    Text,
                    {},
                    QColor("#AACBF6"),
                    HotFace,
                    Text};
    s.ScrollButton = s.Button;
    s.Thumb = s.Button;
    s.Track = {QColor("#CBD8EB"), OneBand(QColor("#C3D2E8"), QColor("#DCE5F2")), GradientDirection::Down,
               Text};
    s.Edit = {Qt::white, {}, GradientDirection::Down, Text, {}, Qt::white, {}, Text};
    s.Selection = {QColor("#2B63C6"),
                   OneBand(QColor("#3470D0"), QColor("#2559BB")),
                   GradientDirection::Down,
                   Qt::white,
                   {},
                   QColor("#2458B8"),
                   OneBand(QColor("#2C66CB"), QColor("#1C4FA8")),
                   Qt::white};
    s.CheckBox = {Window, {}, GradientDirection::Down, Text, {}, Window, {}, Text};
    s.Gauge = {QColor("#EEF3FA"), OneBand(QColor("#DCE6F4"), Qt::white), GradientDirection::Down, Text};
    s.Progress = {QColor("#9DC4F5"),
                  TwoBands(QColor("#D2E5FC"), QColor("#A7CAF7"), QColor("#86B5F2"), QColor("#9DC4F5")),
                  GradientDirection::Down, FillText};
    s.StatusBar = {QColor("#D3DFF0"), OneBand(QColor("#EAF0F9"), QColor("#C8D6EB")), GradientDirection::Down,
                   Text};
    s.Hint = {QColor("#EEF4FD"), OneBand(QColor("#F8FBFF"), QColor("#DCE8F8")), GradientDirection::Down,
              Text};
    s.Header = {QColor("#E9F0FA"),
                OneBand(QColor("#FBFDFF"), QColor("#DCE7F7")),
                GradientDirection::Down,
                Text,
                {},
                QColor("#D4E5FB"),
                OneBand(QColor("#EEF5FF"), QColor("#C3DAF8")),
                Text};
    s.Menu = {QColor("#F2F6FC"), {}, GradientDirection::Down, Text};
    s.MenuItem = {QColor("#F2F6FC"),
                  {},
                  GradientDirection::Down,
                  Text,
                  {},
                  QColor("#B9D4F8"),
                  OneBand(QColor("#D6E7FD"), QColor("#A9CAF6")),
                  Text};
    s.MenuLine = {QColor("#F2F6FC"), {}, GradientDirection::Down, Text};
    s.Page = {QColor("#F4F8FE"), {}, GradientDirection::Down, Text};
    s.Tab = {QColor("#D9E5F6"),
             OneBand(QColor("#F2F7FE"), QColor("#CCDDF4")),
             GradientDirection::Down,
             Text,
             {},
             QColor("#CFE2FB"),
             OneBand(QColor("#F4F9FF"), QColor("#B9D5F8")),
             Text};
    s.Group = {Window, {}, GradientDirection::Down, DeepRim};
    s.Panel = {Window, {}, GradientDirection::Down, Text};
    s.Splitter = {QColor("#C9D6EA"), {}, GradientDirection::Down, Text};
    s.Link = QColor("#1A4FA8");
}

// A flat tool button: the colour of what it stands on, square, so the section's colour (which
// sets the disabled text's mix) does not show.
void SetFrames(SkinStyle& s) {
    WindowFrameLook frame{QColor("#123A7A"), QColor("#2E62BA"), White(0.2), QColor("#1B4A9C"), White(0.45)};
    WindowFrameLook inactive{QColor("#6A7D9E"), QColor("#B4C3DB"), White(0.35), QColor("#8D9FBE"),
                             White(0.5)};
    s.FormFrame = {frame, inactive};
    s.TitleBar = {StripLook{{}, QColor("#123A7A"), {}},
                  StripLook{{}, QColor("#8D9FBE"), Alpha(QColor("#D3DCEA"), 0.88)}};
    s.ButtonFrames = Buttons();
    const std::array<FrameLook, 5> b = s.ButtonFrames;
    s.ComboButtonFrames = {b[0], b[1], b[2], b[3]};
    for (FrameLook& look : s.ComboButtonFrames) {
        look.Outside = Qt::white;
        look.Radius = 3;
    }
    s.EditFrames = EditFrames();
    s.ScrollParts = {b[0], b[1], b[2], b[3]};
    for (FrameLook& look : s.ScrollParts) {
        look.Outside = QColor("#CBD8EB");
        look.Radius = 3;
    }
    FrameLook selection = Simple(QColor("#1B4A9C"), Qt::white, 2);
    selection.HighlightTop = White(0.45);
    selection.Highlight = White(0.15);
    s.SelectionFrames = {selection, selection};
    FrameLook item = Simple(Rim, QColor("#F2F6FC"), 3);
    item.HighlightTop = White(0.8);
    item.Highlight = White(0.4);
    s.MenuItemFrames = {FrameLook{}, item, item, FrameLook{}};
    FrameLook header;
    header.Margin = 3;
    header.Radius = 0;
    header.Open = Qt::LeftEdge | Qt::TopEdge;
    header.Rim = QColor("#A8BCDB");
    header.HighlightTop = White(0.9);
    s.HeaderFrames = {header, header, header, header};
    s.HeaderFrames[3].Fill = Alpha(Window, 0.55);
    s.HeaderFrames[1].Rim = Rim;
    s.HeaderFrames[2].Rim = DeepRim;
    s.HeaderFrames[2].Fill = Alpha(QColor("#2F66C4"), 0.18);
    s.HeaderFrames[2].HighlightTop = Alpha(DeepRim, 0.35);
    s.ToolButtonFrames = {FlatOn(Window), b[1], b[2], FlatOn(Window)};
    s.TabFrames = TabLooks();
    s.GaugeFrame = Simple(QColor("#7F9CC8"), Window, 2);
    s.GaugeFrame.HighlightTop = Alpha(QColor("#1B4A9C"), 0.12);
    s.ProgressFrame = Simple(QColor("#5A8CD6"), QColor(), 2);
    s.ProgressFrame.HighlightTop = White(0.8);
    s.ProgressFrame.Highlight = White(0.25);
    s.PageFrame = Simple(QColor("#7F9CC8"), Window, 0);
    s.GroupFrame = Simple(QColor("#A8BCDB"), QColor(), 3);
    s.GroupFrame.HighlightTop = White(0.8);
    s.GroupFrame.RimOnly = true;
    s.HintFrame = Simple(QColor("#3D6FBF"), QColor(), 2);
    s.PanelFrame = Simple(QColor("#8AA3C8"), QColor(), 0);
    s.MenuFrame = s.PanelFrame;
    s.TrackFrame = Simple(QColor("#A9BCD9"), QColor(), 0);
    s.StatusRule = QColor("#8FA7CC");
    s.StatusRuleLight = White(0.7);
    s.MenuLineDark = QColor("#BFCFE6");
    s.MenuLineLight = Qt::white;
}

void SetGlyphs(SkinStyle& s) {
    s.ScrollArrow =
        GlyphLook{{QColor("#1B3F7E"), QColor("#0E2A5C"), QColor("#FFFFFF"), QColor("#9AACC8")}, {}, false};
    s.ComboArrow =
        GlyphLook{{QColor("#1B3F7E"), QColor("#0E2A5C"), QColor("#FFFFFF"), QColor("#9AACC8")}, {}, false};
    s.Grip = GlyphLook{
        {QColor("#3D6FBF"), QColor("#2D5CAA"), QColor("#FFFFFF"), QColor("#A3B5D0")}, White(0.7), false};
    s.Box.Radius = 3;
    s.Box.Rim = {QColor("#5F85BF"), Accent, DeepRim, QColor("#B3C2D8")};
    s.Box.FillTop = {QColor("#FFFFFF"), QColor("#F2F8FF"), QColor("#B5D2F7"), QColor("#EEF2F7")};
    s.Box.FillBottom = {QColor("#D6E3F5"), QColor("#C6DBF8"), QColor("#8DB8F3"), QColor("#E5EAF1")};
    s.Box.Mark = {DeepRim, QColor("#123A7A"), QColor("#0E2A5C"), QColor("#A3B5D0")};
    s.Box.Highlight = White(0.7);

    TitleButtonLook& t = s.TitleButtons;
    FrameLook face;
    face.Radius = 4;
    face.Margin = 4;
    face.Rim = QColor("#0F2F66");
    face.HighlightTop = White(0.6);
    face.Highlight = White(0.2);
    face.Fill = Alpha(QColor("#6E9BE0"), 0.85);
    face.FillBottom = Alpha(QColor("#2A5DB8"), 0.85);
    FrameLook hot = face;
    hot.Fill = Alpha(QColor("#9CC3F5"), 0.95);
    hot.FillBottom = Alpha(QColor("#4B84DE"), 0.95);
    FrameLook pressed = face;
    pressed.Fill = Alpha(QColor("#2C5FB4"), 0.95);
    pressed.FillBottom = Alpha(QColor("#173F86"), 0.95);
    pressed.HighlightTop = Black(0.25);
    t.Face = {face, hot, pressed};
    FrameLook close = face;
    close.Rim = QColor("#6B160F");
    close.Fill = QColor("#EE8F80");
    close.FillBottom = QColor("#CF3A28");
    FrameLook closeHot = close;
    closeHot.Fill = QColor("#FBA898");
    closeHot.FillBottom = QColor("#E64A33");
    FrameLook closePressed = close;
    closePressed.Fill = QColor("#C25446");
    closePressed.FillBottom = QColor("#99200F");
    closePressed.HighlightTop = Black(0.25);
    t.CloseFace = {close, closeHot, closePressed};
    t.Icon = {Qt::white, Qt::white, Qt::white};
    t.CloseIcon = t.Icon;
    t.IconHalo = Alpha(QColor("#0B2455"), 0.6);
    t.IconSize = 8;
    t.Stroke = 1.8;

    const std::array<HugeLook, 3> huge = {
        HugeLook{Window, Rim, 12, QColor("#E4EFFD"), QColor("#A9CBF7"), QColor("#6FA1EB"), QColor("#9CC3F5"),
                 White(0.8), White(0.8)},
        HugeLook{Window, Accent, 12, QColor("#EEF5FF"), QColor("#BAD6FA"), QColor("#80B0F2"),
                 QColor("#AFD0F8"), White(0.85), White(0.85)},
        HugeLook{Window, DeepRim, 12, QColor("#8CB6F0"), QColor("#6C9DE6"), QColor("#5A8FE0"),
                 QColor("#77A6EC"), White(0.2), Alpha(DeepRim, 0.4)}};
    s.PaintHugeButton = [huge](QPainter& p, const QRect& cell, int column) {
        PaintHugeButton(p, cell, huge[column]);
    };
}

void FinishOptions(OptionsText& text) {
    AddAlphaSections(text);
    text.Section("BUTTON_BIG").Set("PARENTCLASS", "BUTTON_HUGE");
    text.Section("STATUSPANEL").Set("PARENTCLASS", "STATUSBAR");
    // Ten glyph keys written a second time, broken over two lines; the first, complete
    // occurrence is the one a reader keeps.
    OptionsSection& g = text.Section("GLOBALINFO");
    for (const char* key : {"BOXCHECKED", "BOXUNCHECKED", "BOXGRAYED", "RADIOCHECKED", "RADIOUNCHECKED",
                            "RADIOGRAYED", "SMALLCHECKED", "SMALLUNCHECKED", "SMALLGRAYED", "BICONHELP"})
        g.AppendSplit(key, *g.Find(key));
}

} // namespace

SkinStyle BluePlasticStyle() {
    SkinStyle s;
    s.Name = "BluePlastic";
    s.Version = "6.5";
    s.Description = "Glossy blue plastic";
    s.MasterSize = QSize(192, 298);
    s.MasterBits = 8;
    s.SectionCount = 65;
    s.Metrics.TitleHeight = 28;
    s.Metrics.BorderWidth = 4;
    s.Metrics.FrameMargin = 4;
    s.Metrics.TitleButton = QSize(25, 19);
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
    // Where each picture sits in the master image (planned once, largest first; the title
    // buttons with their mask layer are twice as high, and three of them fit only below).
    s.Layout = {
        {"BoxChecked", {0, 0}},        {"BoxUnchecked", {52, 0}},  {"BoxGrayed", {104, 0}},
        {"FormFrame", {156, 0}},       {"Selection", {176, 0}},    {"MenuLine", {176, 16}},
        {"SmallChecked", {156, 20}},   {"RadioChecked", {0, 26}},  {"RadioUnchecked", {52, 26}},
        {"RadioGrayed", {104, 26}},    {"StatusRule", {156, 38}},  {"TitleBar", {170, 38}},
        {"GaugeFrame", {182, 38}},     {"Button", {0, 52}},        {"ComboButton", {50, 52}},
        {"ScrollPart", {90, 52}},      {"ToolButton", {130, 52}},  {"Progress", {170, 54}},
        {"PageFrame", {178, 54}},      {"Close", {0, 72}},         {"Maximise", {75, 72}},
        {"SmallUnchecked", {150, 72}}, {"SmallGrayed", {150, 90}}, {"Edit", {150, 108}},
        {"GroupFrame", {182, 108}},    {"MenuItem", {75, 110}},    {"GripH", {107, 110}},
        {"GripV", {139, 124}},         {"HintFrame", {171, 124}},  {"PanelFrame", {179, 124}}, {"MenuFrame", {0, 110}},
        {"ArrowUp", {75, 126}},        {"ArrowDown", {107, 126}},  {"ArrowLeft", {0, 129}},
        {"ArrowRight", {32, 129}},     {"Header", {139, 140}},     {"TrackFrame", {171, 140}},
        {"TabTop", {64, 142}},         {"TabBottom", {96, 142}},   {"TabLeft", {0, 145}},
        {"TabRight", {32, 145}},       {"ComboArrow", {128, 156}}, {"Restore", {0, 222}},
        {"Minimise", {75, 222}},       {"Help", {0, 260}},
    };
    return s;
}
