// LongHorn: a light, glassy blue-grey theme; frosted title and frame, soft two-band buttons that
// turn sky blue under the mouse.
#include "SkinOptions.h"
#include "SkinStyle.h"
#include "StyleKit.h"

namespace {

const QColor Window("#EDF1F6");
const QColor Text("#1B2733");
// The gauge's percentage on the fill: thin strokes of small text over a gradient need 8:1.
const QColor FillText("#0B1520");
const QColor Accent("#3C7BC6");
const QColor Rim("#8DA4C0");
const QColor ButtonRim("#6F86A5"); // 3:1 from the window
const QColor HotRim("#3C7FB1");
const QColor PressedRim("#2C628B");
const QColor DisabledRim("#B8C5D4");
constexpr double DisabledWashAlpha = 0.55; // of the window colour over a disabled button

const std::vector<GradientStep> ButtonFace =
    TwoBands(QColor("#F8FAFD"), QColor("#EEF2F8"), QColor("#DCE4EE"), QColor("#D4DEEA"), 45);
const std::vector<GradientStep> HotFace =
    TwoBands(QColor("#F2F9FE"), QColor("#E1F1FC"), QColor("#C4E4FA"), QColor("#B3D9F4"), 45);
const std::vector<GradientStep> TitleFace =
    TwoBands(QColor("#E6EEF7"), QColor("#D3E0EE"), QColor("#C2D3E6"), QColor("#AFC3DA"), 50);

FrameLook ButtonLook(const QColor& rim) {
    FrameLook look;
    look.Radius = 3;
    look.Margin = 4;
    look.Outside = Window;
    look.Rim = rim;
    look.HighlightTop = White(0.95);
    look.Highlight = White(0.45);
    return look;
}

std::array<FrameLook, 5> Buttons() {
    FrameLook normal = ButtonLook(ButtonRim);
    FrameLook hot = ButtonLook(HotRim);
    FrameLook pressed = ButtonLook(PressedRim);
    pressed.HighlightTop = Alpha(QColor("#1D4F7A"), 0.35);
    pressed.Highlight = Alpha(QColor("#1D4F7A"), 0.12);
    pressed.Fill = Alpha(QColor("#2C6CA8"), 0.20);
    pressed.FillBottom = Alpha(QColor("#2C6CA8"), 0.12);
    FrameLook disabled = ButtonLook(DisabledRim);
    disabled.Fill = Alpha(Window, DisabledWashAlpha);
    disabled.Highlight = White(0.3);
    FrameLook focused = normal;
    focused.Rim = Accent;
    // The ring inside the rim stands at 3:1 and more from the face it covers.
    focused.Ring = Alpha(Accent, 0.85);
    return {normal, hot, pressed, disabled, focused};
}

std::array<FrameLook, 4> EditFrames() {
    FrameLook base;
    base.Radius = 2;
    base.Margin = 3;
    base.Outside = Window;
    base.Rim = QColor("#A6B6CA");
    base.HighlightTop = Alpha(QColor("#6E85A3"), 0.18);
    FrameLook hot = base;
    hot.Rim = QColor("#6F98C8");
    FrameLook focused = base;
    // Ringed twice in the accent: a read-only field's thin caret alone is easily missed.
    focused.Rim = Accent;
    focused.HighlightTop = Accent;
    focused.Highlight = Accent;
    FrameLook disabled = base;
    disabled.Rim = QColor("#C9D2DD");
    disabled.HighlightTop = QColor();
    disabled.Fill = Alpha(Window, 0.6);
    return {base, hot, focused, disabled};
}

std::array<FrameLook, 4> ScrollParts() {
    const std::array<FrameLook, 5> b = Buttons();
    std::array<FrameLook, 4> parts = {b[0], b[1], b[2], b[3]};
    for (FrameLook& part : parts) {
        part.Radius = 2;
        part.Outside = QColor("#E8EDF3");
    }
    parts[0].Rim = QColor("#9EB0C6");
    return parts;
}

std::array<FrameLook, 4> TabLooks() {
    FrameLook normal = ButtonLook(Rim);
    normal.Margin = 3;
    normal.Radius = 3;
    normal.Open = Qt::BottomEdge;
    normal.Highlight = White(0.3);
    FrameLook hot = normal;
    hot.Rim = HotRim;
    FrameLook selected = normal;
    selected.Highlight = White(1);
    selected.Fill = QColor("#FCFDFE");
    return WithDisabled(normal, hot, selected, Alpha(Window, 0.55));
}

void SetSections(SkinStyle& s) {
    s.Form = {Window, {}, GradientDirection::Down, Text};
    s.Title.Color = QColor("#9FB0C4");
    s.Title.Gradient = TitleFace;
    s.Title.Text = Text;
    s.Dialog = {Window, {}, GradientDirection::Down, Text};
    // The button's colour only sets its disabled caption: the lower band, washed, under it.
    s.Button.Color =
        DisabledCaptionBase(Text, Mix(ButtonFace[1].To, Window, DisabledWashAlpha), DisabledCaptionRatio);
    s.Button.Gradient = ButtonFace;
    s.Button.Text = Text;
    s.Button.HotColor = QColor("#D4ECFB");
    s.Button.HotGradient = HotFace;
    s.Button.HotText = Text;
    s.ComboButton = s.Button;
    s.ToolButton = {QColor("#C3CEDB"), {},  GradientDirection::Down, Text, {}, QColor("#D4ECFB"),
                    HotFace,           Text};
    s.ScrollButton = s.Button;
    s.ScrollButton.Color = QColor("#E8EDF3");
    s.ScrollButton.Gradient = OneBand(QColor("#F3F6FA"), QColor("#E1E8F0"));
    s.Thumb = s.Button;
    s.Track = {QColor("#E8EDF3"), OneBand(QColor("#E2E8EF"), QColor("#EEF2F7")), GradientDirection::Down,
               Text};
    s.Edit = {Qt::white, {}, GradientDirection::Down, Text, {}, Qt::white, {}, Text};
    s.Selection = {QColor("#CFE3FA"),
                   OneBand(QColor("#DCEBFC"), QColor("#C4DDFA")),
                   GradientDirection::Down,
                   Text,
                   {},
                   QColor("#BBD8F8"),
                   OneBand(QColor("#CDE4FB"), QColor("#A9CDF5")),
                   Text};
    s.CheckBox = {Window, {}, GradientDirection::Down, Text, {}, Window, {}, Text};
    s.Gauge = {QColor("#E9EDF2"), OneBand(QColor("#DDE3EA"), QColor("#F4F6F9")), GradientDirection::Down,
               Text};
    s.Progress = {QColor("#93C5F2"),
                  TwoBands(QColor("#BFE0FA"), QColor("#A3D0F5"), QColor("#86BCF0"), QColor("#9CCAF3")),
                  GradientDirection::Down, FillText};
    s.StatusBar = {QColor("#E3E9F1"), OneBand(QColor("#F1F4F8"), QColor("#D9E1EB")), GradientDirection::Down,
                   Text};
    s.Hint = {QColor("#F2F5F9"), OneBand(Qt::white, QColor("#E4EBF3")), GradientDirection::Down, Text};
    s.Header = {QColor("#F5F7FA"),
                OneBand(Qt::white, QColor("#EEF2F7")),
                GradientDirection::Down,
                Text,
                {},
                QColor("#DCEEFB"),
                OneBand(QColor("#EAF6FD"), QColor("#CFE8F9")),
                Text};
    s.Menu = {QColor("#F5F7FA"), {}, GradientDirection::Down, Text};
    s.MenuItem = {QColor("#F5F7FA"),
                  {},
                  GradientDirection::Down,
                  Text,
                  {},
                  QColor("#DCEAF9"),
                  OneBand(QColor("#EAF2FC"), QColor("#D3E5F8")),
                  Text};
    s.MenuLine = {QColor("#F5F7FA"), {}, GradientDirection::Down, Text};
    s.Page = {QColor("#FCFDFE"), {}, GradientDirection::Down, Text};
    s.Tab = {QColor("#E4EAF1"),
             OneBand(QColor("#F3F6FA"), QColor("#DCE4ED")),
             GradientDirection::Down,
             Text,
             {},
             QColor("#D9EEFB"),
             OneBand(QColor("#EDF7FE"), QColor("#C9E6F8")),
             Text};
    s.Group = {Window, {}, GradientDirection::Down, QColor("#1E395B")};
    s.Panel = {Window, {}, GradientDirection::Down, Text};
    s.Splitter = {QColor("#DDE4ED"), {}, GradientDirection::Down, Text};
    s.Link = QColor("#1C5FAF");
}

// A flat tool button: the colour of what it stands on, square, so the section's colour (which
// sets the disabled text's mix) does not show.
void SetFrames(SkinStyle& s) {
    WindowFrameLook frame{QColor("#5E7592"), QColor("#B7C9DD"), White(0.45), QColor("#8DA4C0"), White(0.75)};
    WindowFrameLook inactive{QColor("#8C9AAB"), QColor("#D6DEE8"), White(0.4), QColor("#AEBBCB"), White(0.6)};
    s.FormFrame = {frame, inactive};
    s.TitleBar = {StripLook{{}, QColor("#8DA4C0"), {}},
                  StripLook{{}, QColor("#AEBBCB"), Alpha(QColor("#F3F6FA"), 0.6)}};
    s.ButtonFrames = Buttons();
    const std::array<FrameLook, 5> b = s.ButtonFrames;
    s.ComboButtonFrames = {b[0], b[1], b[2], b[3]};
    for (FrameLook& look : s.ComboButtonFrames)
        look.Outside = QColor();
    s.ComboButtonFrames[0].Rim = QColor("#B3C2D4");
    s.EditFrames = EditFrames();
    s.ScrollParts = ScrollParts();
    FrameLook selection = Simple(QColor("#84ACDD"), Qt::white, 2);
    selection.HighlightTop = White(0.6);
    selection.Highlight = White(0.35);
    FrameLook focusedSelection = selection;
    focusedSelection.Rim = QColor("#5C90D2");
    s.SelectionFrames = {selection, focusedSelection};
    // The current item's frame stands at 3:1 from the menu, so the keys' choice shows.
    FrameLook item = Simple(QColor("#4F86CB"), QColor("#F5F7FA"), 2);
    item.HighlightTop = White(0.7);
    item.Highlight = White(0.4);
    s.MenuItemFrames = {FrameLook{}, item, item, FrameLook{}};
    FrameLook header;
    header.Margin = 3;
    header.Radius = 0;
    header.Open = Qt::LeftEdge | Qt::TopEdge;
    header.Rim = QColor("#D5DDE7");
    s.HeaderFrames = {header, header, header, header};
    s.HeaderFrames[3].Fill = Alpha(Window, 0.55);
    s.HeaderFrames[1].Rim = QColor("#88BCE8");
    s.HeaderFrames[2].Rim = QColor("#6F9FCB");
    s.HeaderFrames[2].Fill = Alpha(QColor("#2C6CA8"), 0.16);
    s.HeaderFrames[2].HighlightTop = Alpha(QColor("#2C6CA8"), 0.3);
    FrameLook flat;
    s.ToolButtonFrames = {FlatOn(Window), b[1], b[2], FlatOn(Window)};
    s.TabFrames = TabLooks();
    s.GaugeFrame = Simple(QColor("#A0AFC2"), Window, 2);
    s.GaugeFrame.HighlightTop = Black(0.08);
    s.ProgressFrame = Simple(QColor("#5A93D6"), QColor(), 2);
    s.ProgressFrame.HighlightTop = White(0.55);
    s.ProgressFrame.Highlight = White(0.2);
    s.GlowRegion = FrameLook{};
    s.GlowRegion.Radius = 4;
    s.GlowRegion.Fill = White(1);
    s.PageFrame = Simple(Rim, Window, 0);
    s.GroupFrame = Simple(QColor("#C3CFDD"), QColor(), 3);
    s.GroupFrame.HighlightTop = White(0.8);
    s.GroupFrame.RimOnly = true;
    s.HintFrame = Simple(QColor("#767C85"), QColor(), 2);
    s.PanelFrame = Simple(QColor("#A9B8CB"), QColor(), 0);
    s.MenuFrame = Simple(QColor("#97A7BD"), QColor(), 0);
    s.TrackFrame = Simple(QColor("#D2DBE6"), QColor(), 0);
    s.StatusRule = QColor("#A5B6CA");
    s.StatusRuleLight = White(0.8);
    s.MenuLineDark = QColor("#D3DBE5");
    s.MenuLineLight = Qt::white;
}

void SetGlyphs(SkinStyle& s) {
    s.ScrollArrow =
        GlyphLook{{QColor("#4D6185"), QColor("#1E4F86"), QColor("#0E2F57"), QColor("#A9B4C2")}, {}, false};
    s.ComboArrow =
        GlyphLook{{QColor("#33465E"), QColor("#1E4F86"), QColor("#0E2F57"), QColor("#A9B4C2")}, {}, false};
    s.Grip = GlyphLook{
        {QColor("#7F93AD"), QColor("#3C6FA6"), QColor("#2C5A8A"), QColor("#BAC5D2")}, White(0.8), false};
    s.Box.Radius = 1;
    s.Box.Rim = {QColor("#8A98AA"), HotRim, PressedRim, QColor("#C2CBD6")};
    s.Box.FillTop = {QColor("#DCE3EB"), QColor("#CFE8F9"), QColor("#B5DAF3"), QColor("#F1F3F6")};
    s.Box.FillBottom = {QColor("#FDFEFE"), QColor("#F3FAFE"), QColor("#E2F1FB"), QColor("#F7F8FA")};
    s.Box.Mark = {QColor("#1F4E87"), QColor("#1A4A85"), QColor("#0E3566"), QColor("#A9B4C2")};
    s.Box.Highlight = White(0.6);

    TitleButtonLook& t = s.TitleButtons;
    FrameLook face;
    face.Radius = 3;
    face.Margin = 4;
    face.Rim = QColor("#6F86A3");
    face.HighlightTop = White(0.75);
    face.Highlight = White(0.35);
    face.Fill = White(0.35);
    face.FillBottom = White(0.05);
    FrameLook hot = face;
    hot.Rim = HotRim;
    hot.Fill = Alpha(QColor("#CDE9FC"), 0.9);
    hot.FillBottom = Alpha(QColor("#8CC6F2"), 0.9);
    FrameLook pressed = face;
    pressed.Rim = PressedRim;
    pressed.Fill = Alpha(QColor("#6BA6DC"), 0.95);
    pressed.FillBottom = Alpha(QColor("#3F7FC0"), 0.95);
    pressed.HighlightTop = Black(0.2);
    t.Face = {face, hot, pressed};
    FrameLook close = face;
    close.Rim = QColor("#8A3A34");
    close.Fill = QColor("#E7A091");
    close.FillBottom = QColor("#C9473B");
    close.HighlightTop = White(0.6);
    FrameLook closeHot = close;
    closeHot.Fill = QColor("#F5A897");
    closeHot.FillBottom = QColor("#E2402F");
    FrameLook closePressed = close;
    closePressed.Fill = QColor("#C2655A");
    closePressed.FillBottom = QColor("#A1251B");
    closePressed.HighlightTop = Black(0.2);
    t.CloseFace = {close, closeHot, closePressed};
    t.Icon = {QColor("#2F4A6B"), QColor("#183A63"), Qt::white};
    t.CloseIcon = {Qt::white, Qt::white, Qt::white};
    t.IconSize = 8;
    t.Stroke = 1.8;

    const std::array<HugeLook, 3> huge = {
        HugeLook{Window, Rim, 10, QColor("#FCFDFE"), QColor("#EAF0F7"), QColor("#DCE4EE"), QColor("#E8EEF5"),
                 White(0.85), White(0.8)},
        HugeLook{Window, HotRim, 10, QColor("#F6FBFF"), QColor("#D8EEFC"), QColor("#B9DDF7"),
                 QColor("#CBE6F9"), White(0.8), White(0.7)},
        HugeLook{Window, PressedRim, 10, QColor("#B8D9F2"), QColor("#9CCBF0"), QColor("#8CC0EC"),
                 QColor("#A8D1F2"), White(0.25), Alpha(QColor("#1D4F7A"), 0.3)}};
    s.PaintHugeButton = [huge](QPainter& p, const QRect& cell, int column) {
        PaintHugeButton(p, cell, huge[column]);
    };
}

} // namespace

SkinStyle LongHornStyle() {
    SkinStyle s;
    s.Name = "LongHorn";
    s.Version = "6.4";
    s.Description = "Light glassy blue-grey";
    s.MasterSize = QSize(249, 196);
    s.MasterBits = 8;
    s.SectionCount = 63;
    s.Metrics.TitleHeight = 28;
    s.Metrics.BorderWidth = 4;
    s.Metrics.FrameMargin = 4;
    s.Metrics.TitleButton = QSize(26, 17);
    s.Metrics.TitleButtonMaskType = 1;
    s.Metrics.BiRight = 3;
    s.Metrics.BiTop = 7;
    s.Metrics.BiSpace = 1;
    s.Metrics.Box = 13;
    s.Metrics.SmallBox = 9;
    s.Metrics.BoxMaskType = 0;
    s.Metrics.ButtonMargin = 4;
    s.Metrics.EditMargin = 3;
    s.Metrics.TabMargin = 3;
    SetSections(s);
    SetFrames(s);
    SetGlyphs(s);
    s.HasGlowRegion = true;
    s.FinishOptions = AddAlphaSections;
    // Where each picture sits in the master image (planned once, largest first; the title
    // buttons with their mask layer, twice as high, below the rest).
    s.Layout = {
        {"GlowRegion", {0, 0}},     {"Button", {12, 0}},         {"ComboButton", {62, 0}},
        {"ScrollPart", {102, 0}},   {"ToolButton", {142, 0}},    {"FormFrame", {182, 0}},
        {"Edit", {202, 0}},         {"TitleBar", {234, 0}},      {"MenuLine", {202, 16}},
        {"StatusRule", {0, 24}},    {"MenuItem", {156, 37}},     {"GripH", {188, 37}},
        {"Selection", {220, 37}},   {"GaugeFrame", {236, 37}},   {"GripV", {156, 53}},
        {"ArrowUp", {188, 53}},     {"Progress", {220, 53}},     {"PageFrame", {228, 53}},
        {"GroupFrame", {236, 53}},  {"ArrowDown", {0, 54}},      {"ArrowLeft", {32, 54}},
        {"ArrowRight", {64, 54}},   {"Header", {96, 54}},        {"TabTop", {128, 69}},
        {"TabBottom", {160, 69}},   {"TabLeft", {192, 69}},      {"HintFrame", {224, 69}},
        {"PanelFrame", {232, 69}}, {"MenuFrame", {206, 16}},  {"TrackFrame", {240, 69}},   {"TabRight", {0, 70}},
        {"ComboArrow", {32, 70}},   {"BoxChecked", {76, 70}},    {"BoxUnchecked", {76, 83}},
        {"BoxGrayed", {128, 85}},   {"RadioChecked", {180, 85}}, {"RadioUnchecked", {0, 86}},
        {"RadioGrayed", {52, 96}},  {"SmallChecked", {104, 98}}, {"SmallUnchecked", {140, 98}},
        {"SmallGrayed", {176, 98}}, {"Close", {0, 128}},         {"Maximise", {78, 128}},
        {"Restore", {156, 128}},    {"Minimise", {0, 162}},      {"Help", {78, 162}},
    };
    // The check glyphs have no mask layer: their soft edges are blended with the window.
    s.Backdrop = [](const std::string&, QSize cell) {
        return SolidBackdrop(Window, cell);
    };
    return s;
}
