// NextAlpha: clean, modern and light; white surfaces, hairline rims with small rounded corners,
// a blue accent, and title buttons that glow blue, red and yellow under the mouse.
#include "Exceptions.h"
#include "PackageWriter.h"
#include "PictureWriters.h"
#include "SkinElements.h"
#include "SkinOptions.h"
#include "SkinStyle.h"
#include "StyleKit.h"

#include <QPainter>
#include <QRadialGradient>
#include <cmath>

namespace {

const QColor Window("#F6F7F9");
const QColor Text("#1F2328");
const QColor Accent("#2F7BEA");
const QColor FocusRing("#1B62D6");
const QColor Rim("#C9CFD8");
const QColor HotFill("#EEF4FB");
const QColor HotRim("#9DB7DB");
// A button's outline stands at 3:1 from the window, as a control's edge must to be seen; a
// disabled one keeps the faint rim.
const QColor ButtonRim("#868F9C");
const QColor ButtonHotRim("#6B8FC4");
const QColor PressedFill("#CFDFF3"); // a clear step below the hot fill (1.2:1)
const QColor PressedRim("#7FA3D6");
// A selected row: a tint of the accent that stands out from the white list (1.56:1) and keeps
// the text at 10:1, with the pressed rim around it; the row under the mouse is a faint copy.
const QColor SelectionFill("#B6D1F8");
const QColor HotSelectionFill("#1E6ADB");
const QColor DisabledWash("#F4F5F7");
constexpr double DisabledWashAlpha = 0.8;

// The values of the gauge sections, as the skin's texts must hold them.
const char* const GaugeBorder = "^0195^0213^0210^0228^0003^0003^0003^0003^1^0^5^1";
const char* const GaugeGradient = "15128513;15525597;99;0;0;15525597;15525597;0;0;0";
const char* const ProgressBorder = "^0135^0135^0159^0150^0000^0000^0000^0000^1^0^1^2";
const char* const ProgressGradient = "40940;8454143;99;0;0;8454143;8454143;0;0;0";
const char* const GlowRegionBorder = "^0081^0073^0096^0088^0005^0005^0005^0005^1^0^5^1";

const QColor GaugeTop("#C1D7E6"), GaugeBottom("#DDE5EC");
const QColor ProgressTop("#EC9F00"), ProgressBottom("#FFFF80");

FrameLook ButtonLook(const QColor& rim) {
    FrameLook look;
    look.Radius = 3;
    look.Margin = 4;
    look.Outside = Window;
    look.Rim = rim;
    return look;
}

std::array<FrameLook, 5> Buttons() {
    FrameLook normal = ButtonLook(ButtonRim);
    normal.Highlight = Black(0.03);
    FrameLook hot = ButtonLook(ButtonHotRim);
    FrameLook pressed = ButtonLook(PressedRim);
    pressed.Fill = PressedFill;
    FrameLook disabled = ButtonLook(QColor("#E0E4EA"));
    disabled.Fill = Alpha(DisabledWash, DisabledWashAlpha);
    // Two pixels of the accent, the inner one at 3:1 and more from the face it covers.
    FrameLook focused = ButtonLook(Accent);
    focused.Ring = Alpha(Accent, 0.85);
    return {normal, hot, pressed, disabled, focused};
}

std::array<FrameLook, 4> EditFrames() {
    FrameLook base = Simple(Rim, Window, 3);
    FrameLook hot = Simple(HotRim, Window, 3);
    // Ringed twice in the accent: a read-only field's thin caret alone is easily missed. The
    // inner line is a deeper blue: drawn over the field, it comes out lighter than the rim.
    FrameLook focused = Simple(Accent, Window, 3);
    focused.HighlightTop = FocusRing;
    focused.Highlight = FocusRing;
    FrameLook disabled = Simple(QColor("#E1E5EA"), Window, 3);
    disabled.Fill = Alpha(QColor("#F4F5F7"), 0.75);
    return {base, hot, focused, disabled};
}

std::array<FrameLook, 4> TabLooks() {
    FrameLook normal = ButtonLook(Rim);
    normal.Margin = 3;
    normal.Open = Qt::BottomEdge;
    FrameLook hot = normal;
    hot.Rim = HotRim;
    hot.HighlightTop = Alpha(HotRim, 1);
    FrameLook selected = normal;
    selected.Fill = Qt::white;
    selected.HighlightTop = Alpha(Accent, 1);
    return WithDisabled(normal, hot, selected, Alpha(Window, 0.6));
}

void SetSections(SkinStyle& s) {
    s.Form = {Window, {}, GradientDirection::Down, Text};
    s.Title = {QColor("#9AA1AB"), OneBand(Qt::white, Qt::white), GradientDirection::Down, Text};
    s.Dialog = s.Form;
    // The button's colour only sets its disabled caption: the foot of the face, washed, under it.
    const QColor disabledFace = Mix(QColor("#F9FAFB"), DisabledWash, DisabledWashAlpha);
    s.Button = {DisabledCaptionBase(Text, disabledFace, DisabledCaptionRatio),
                OneBand(Qt::white, QColor("#F9FAFB")),
                GradientDirection::Down,
                Text,
                {},
                HotFill,
                OneBand(QColor("#F3F7FC"), QColor("#EAF1FA")),
                Text};
    s.ComboButton = {Qt::white, {}, GradientDirection::Down, Text, {}, HotFill, {}, Text};
    s.ToolButton = {QColor("#C5CBD3"), {}, GradientDirection::Down, Text, {}, HotFill, {}, Text};
    s.ScrollButton = {QColor("#F0F2F5"), {}, GradientDirection::Down, Text, {}, QColor("#E3E7EC"), {}, Text};
    s.Thumb = {QColor("#C5CCD6"), {}, GradientDirection::Down, Text, {}, QColor("#A9B3C0"), {}, Text};
    s.Track = {QColor("#F0F2F5"), {}, GradientDirection::Down, Text};
    s.Edit = {Qt::white, {}, GradientDirection::Down, Text, {}, Qt::white, {}, Text};
    s.Selection = {SelectionFill, {}, GradientDirection::Down, Text, {}, HotSelectionFill, {}, Qt::white};
    s.CheckBox = {Window, {}, GradientDirection::Down, Text, {}, Window, {}, Text};
    s.StatusBar = {QColor("#F0F2F5"), OneBand(Qt::white, QColor("#EEF0F3")), GradientDirection::Down, Text};
    s.Hint = {Qt::white, {}, GradientDirection::Down, Text};
    s.Header = {Qt::white, {}, GradientDirection::Down, Text, {}, HotFill, {}, Text};
    s.Menu = {Qt::white, {}, GradientDirection::Down, Text};
    // The item under the mouse or the keys (a drop-down list's current one) is the selection.
    s.MenuItem = {Qt::white, {}, GradientDirection::Down, Text, {}, SelectionFill, {}, Text};
    s.MenuLine = {Qt::white, {}, GradientDirection::Down, Text};
    s.Page = {Qt::white, {}, GradientDirection::Down, Text};
    s.Tab = {QColor("#EEF1F5"), {}, GradientDirection::Down, Text, {}, QColor("#F6F9FD"), {}, Text};
    s.Group = {Window, {}, GradientDirection::Down, Text};
    s.Panel = {Window, {}, GradientDirection::Down, Text};
    s.Splitter = {QColor("#E6E9ED"), {}, GradientDirection::Down, Text};
    s.Link = QColor("#1A5FCC");
    // Written as quoted in FinishOptions; these only drive the artwork.
    s.Gauge = {Qt::white, OneBand(GaugeTop, GaugeBottom), GradientDirection::Down, Qt::black};
    s.Progress = {Qt::white, OneBand(ProgressTop, ProgressBottom), GradientDirection::Down, Qt::black};
}

// A flat tool button: the colour of what it stands on, square, so the section's colour (which
// sets the disabled text's mix) does not show.
void SetFrames(SkinStyle& s) {
    WindowFrameLook frame{QColor("#AEB6C2"), Qt::white, QColor(), QColor(), QColor()};
    WindowFrameLook inactive{QColor("#C9CFD8"), QColor("#FBFBFC"), QColor(), QColor(), QColor()};
    s.FormFrame = {frame, inactive};
    s.TitleBar = {StripLook{{}, QColor("#D3D8DF"), {}}, StripLook{{}, QColor("#DDE1E6"), Alpha(Window, 0.6)}};
    s.ButtonFrames = Buttons();
    FrameLook bare;
    FrameLook comboHot;
    comboHot.Radius = 2;
    comboHot.Margin = 4;
    comboHot.Fill = HotFill;
    FrameLook comboPressed = comboHot;
    comboPressed.Fill = PressedFill;
    s.ComboButtonFrames = {bare, comboHot, comboPressed, bare};
    s.EditFrames = EditFrames();
    FrameLook thumb;
    thumb.Radius = 3;
    thumb.Margin = 4;
    thumb.Outside = QColor("#F0F2F5");
    s.ScrollParts = {thumb, thumb, thumb, thumb};
    s.ScrollParts[2].Fill = Alpha(QColor("#4A5563"), 0.35);
    s.ScrollParts[3].Fill = Alpha(QColor("#F0F2F5"), 0.6);
    FrameLook selection = Simple(PressedRim, Qt::white, 2);
    FrameLook hotSelection = Simple(HotSelectionFill.darker(115), Qt::white, 2);
    s.SelectionFrames = {selection, hotSelection};
    FrameLook item;
    item.Margin = 3;
    FrameLook hotItem = Simple(PressedRim, Qt::white, 2);
    s.MenuItemFrames = {item, hotItem, hotItem, item};
    FrameLook header;
    header.Margin = 3;
    header.Radius = 0;
    header.Open = Qt::LeftEdge | Qt::TopEdge;
    header.Rim = QColor("#E1E5EA");
    s.HeaderFrames = {header, header, header, header};
    s.HeaderFrames[3].Fill = Alpha(Window, 0.6);
    s.HeaderFrames[1].Rim = HotRim;
    s.HeaderFrames[2].Rim = PressedRim;
    s.HeaderFrames[2].Fill = PressedFill;
    s.ToolButtonFrames = {FlatOn(Window), Simple(HotRim, Window, 3), Simple(PressedRim, Window, 3),
                          FlatOn(Window)};
    s.ToolButtonFrames[2].Fill = PressedFill;
    s.TabFrames = TabLooks();
    s.GaugeFrame = Simple(QColor("#A9BCCB"), Window, 3);
    s.ProgressFrame.Radius = 0;
    s.ProgressFrame.Rim = QColor("#D08A00");
    s.ProgressFrame.HighlightTop = White(0.55);
    s.GlowRegion.Radius = 5;
    s.GlowRegion.Fill = Qt::white;
    s.PageFrame = Simple(Rim, Window, 0);
    s.GroupFrame = Simple(QColor("#D3D8DF"), QColor(), 3);
    s.GroupFrame.RimOnly = true;
    s.HintFrame = Simple(Rim, QColor(), 3);
    s.PanelFrame = Simple(QColor("#D3D8DF"), QColor(), 0);
    s.MenuFrame = Simple(QColor("#AEB6C1"), QColor(), 0);
    s.TrackFrame = FrameLook{};
    s.StatusRule = QColor("#D3D8DF");
    s.StatusRuleLight = QColor();
    s.MenuLineDark = QColor("#E5E8EC");
    s.MenuLineLight = QColor();
}

void SetGlyphs(SkinStyle& s) {
    s.ScrollArrow =
        GlyphLook{{QColor("#6B7480"), QColor("#3A4048"), QColor("#1F2328"), QColor("#C3C9D1")}, {}, true};
    s.ComboArrow = s.ScrollArrow;
    s.Grip =
        GlyphLook{{QColor("#C5CCD6"), QColor("#A9B3C0"), QColor("#8E99A8"), QColor("#DDE1E6")}, {}, false};
    s.Box.Radius = 3;
    s.Box.Rim = {QColor("#9AA3AF"), Accent, QColor("#1F64C8"), QColor("#D3D8DF")};
    s.Box.FillTop = {Qt::white, Qt::white, PressedFill, QColor("#F4F5F7")};
    s.Box.FillBottom = s.Box.FillTop;
    s.Box.MarkedRim = {Accent, QColor("#5A9BF7"), QColor("#1A56B0"), QColor("#C9CFD8")};
    s.Box.MarkedFill = {Accent, QColor("#5A9BF7"), QColor("#1A56B0"), QColor("#C9CFD8")};
    s.Box.Mark = {Qt::white, Qt::white, Qt::white, Qt::white};

    TitleButtonLook& t = s.TitleButtons;
    FrameLook bare;
    FrameLook hot;
    hot.Radius = 3;
    hot.Margin = 4;
    hot.Fill = Black(0.09);
    FrameLook pressed = hot;
    pressed.Fill = Black(0.18);
    t.Face = {bare, hot, pressed};
    FrameLook closeHot = hot;
    closeHot.Fill = QColor("#E5484D");
    FrameLook closePressed = hot;
    closePressed.Fill = QColor("#C5383D");
    t.CloseFace = {bare, closeHot, closePressed};
    t.Icon = {QColor("#3A4048"), QColor("#1F2328"), QColor("#1F2328")};
    t.CloseIcon = {QColor("#3A4048"), Qt::white, Qt::white};
    t.IconSize = 10;
    t.Stroke = 1.2;
    t.Thin = true;

    const std::array<HugeLook, 3> huge = {
        HugeLook{Window, Rim, 6, Qt::white, Qt::white, QColor("#FAFBFC"), QColor("#F3F5F8"), {}, {}},
        HugeLook{Window,
                 HotRim,
                 6,
                 QColor("#F3F7FC"),
                 QColor("#E8F0FA"),
                 QColor("#E8F0FA"),
                 QColor("#DDE8F6"),
                 {},
                 White(1)},
        HugeLook{Window, PressedRim, 6, PressedFill, PressedFill, PressedFill, QColor("#D3E2F4"), {}, {}}};
    s.PaintHugeButton = [huge](QPainter& p, const QRect& cell, int column) {
        PaintHugeButton(p, cell, huge[column]);
    };
}

// A soft oval of light, strongest in the middle, for a title button under the mouse.
QImage Glow(const QColor& color) {
    QImage glow(36, 34, QImage::Format_ARGB32);
    glow.fill(Qt::transparent);
    QPainter p(&glow);
    p.setRenderHint(QPainter::Antialiasing);
    QRadialGradient light(QPointF(18, 17), 17);
    light.setColorAt(0, Alpha(color, 0.75));
    light.setColorAt(0.55, Alpha(color, 0.35));
    light.setColorAt(1, Alpha(color, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(light);
    p.scale(1, 34.0 / 36.0);
    p.drawEllipse(QRectF(0, 0, 36, 36));
    return glow;
}

void AddGlows(std::vector<PackageEntry>& entries) {
    entries.push_back({"GlowBlue.png", EncodePng(Glow(QColor("#2F8CFF")))});
    entries.push_back({"GlowRed.png", EncodePng(Glow(QColor("#FF3B30")))});
    entries.push_back({"GlowYellow.png", EncodePng(Glow(QColor("#FFC400")))});
}

// The section rebuilt with exactly these keys, in this order.
void Rewrite(OptionsText& text, const std::string& name,
             const std::vector<std::pair<std::string, std::string>>& keys) {
    OptionsSection& section = text.Section(name);
    section.Lines.clear();
    for (const auto& [key, value] : keys)
        section.Set(key, value);
}

void FinishOptions(OptionsText& text) {
    OptionsSection& g = text.Section("GLOBALINFO");
    for (const auto& [button, picture] :
         {std::pair{"BICONCLOSE", "!GLOWRED.PNG!1!0!4"}, std::pair{"BICONMAX", "!GLOWBLUE.PNG!1!0!4"},
          std::pair{"BICONMIN", "!GLOWYELLOW.PNG!1!0!4"}}) {
        const std::string key = button;
        g.Set(key + "GLOW", 6).Set(key + "GLOWMARGIN", 3).Set(key + "GLOW0", picture);
    }
    // The artwork was drawn at exactly the rectangles these values name.
    if (*text.Section("GAUGE").Find("BORDERSMASK") != GaugeBorder ||
        *text.Section("PROGRESSH").Find("BORDERSMASK") != ProgressBorder ||
        *text.Section("PROGRESSH").Find("LRGN") != GlowRegionBorder)
        throw Exception("NextAlpha's gauge pictures are not where its texts say");
    Rewrite(text, "GAUGE",
            {{"BORDERSMASK", GaugeBorder}, {"GRADIENTDATA", GaugeGradient}, {"GRADIENTPERCENT", "100"}});
    Rewrite(text, "PROGRESSH",
            {{"BORDERSMASK", ProgressBorder},
             {"GRADIENTDATA", ProgressGradient},
             {"HOTGRADIENTDATA", ProgressGradient},
             {"GRADIENTPERCENT", "100"},
             {"HOTGRADIENTPERCENT", "100"},
             {"LRGN", GlowRegionBorder}});
    AddAlphaSections(text);
}

} // namespace

SkinStyle NextAlphaStyle() {
    SkinStyle s;
    s.Name = "NextAlpha";
    s.Version = "6.5";
    s.Description = "Clean modern light";
    s.MasterSize = QSize(210, 300);
    s.MasterBits = 24;
    s.SectionCount = 63;
    s.Metrics.TitleHeight = 32;
    s.Metrics.BorderWidth = 3;
    s.Metrics.FrameMargin = 3;
    s.Metrics.TitleButton = QSize(27, 20);
    s.Metrics.TitleButtonMaskType = 1;
    s.Metrics.BiRight = 4;
    s.Metrics.BiTop = 7;
    s.Metrics.BiSpace = 2;
    s.Metrics.Box = 14;
    s.Metrics.SmallBox = 10;
    s.Metrics.BoxMaskType = 1;
    s.Metrics.ButtonMargin = 4;
    s.Metrics.EditMargin = 3;
    s.Metrics.TabMargin = 3;
    SetSections(s);
    SetFrames(s);
    SetGlyphs(s);
    s.HasGlowRegion = true;
    s.Cells = {{"GaugeFrame", AtlasCell{1, 0, QSize(15, 15)}},
               {"Progress", AtlasCell{1, 0, QSize(24, 15)}},
               {"GlowRegion", AtlasCell{1, 0, QSize(15, 15)}}};
    s.Borders = {{"GaugeFrame", BorderOptions{QMargins(3, 3, 3, 3), 5, 1}},
                 {"Progress", BorderOptions{QMargins(0, 0, 0, 0), 1, 2}},
                 {"GlowRegion", BorderOptions{QMargins(5, 5, 5, 5), 5, 1}}};
    s.Backdrop = [](const std::string& element, QSize cell) {
        if (element == "GaugeFrame")
            return GradientBackdrop(OneBand(GaugeTop, GaugeBottom), cell.height(), 0, cell);
        if (element == "Progress")
            return GradientBackdrop(OneBand(ProgressTop, ProgressBottom), cell.height(), 0, cell);
        return SolidBackdrop(Qt::white, cell);
    };
    s.FinishOptions = FinishOptions;
    s.ExtraEntries = AddGlows;
    // Where each picture sits in the master image (planned once, largest first).
    s.Layout = {
        {"Close", {0, 0}},           {"Maximise", {81, 0}},
        {"ComboButton", {162, 0}},   {"PageFrame", {202, 0}},
        {"GroupFrame", {202, 16}},   {"ScrollPart", {162, 20}},
        {"StatusRule", {202, 32}},   {"MenuLine", {206, 32}},
        {"Restore", {0, 40}},        {"TitleBar", {81, 40}},
        {"Minimise", {96, 40}},      {"Edit", {177, 40}},
        {"HintFrame", {81, 56}},     {"MenuItem", {177, 56}},
        {"GlowRegion", {81, 73}},    {"Help", {0, 80}},
        {"BoxChecked", {96, 80}},    {"BoxUnchecked", {152, 80}},
        {"PanelFrame", {81, 88}}, {"MenuFrame", {202, 108}},    {"TrackFrame", {81, 104}},
        {"Button", {112, 108}},      {"ToolButton", {162, 108}},
        {"BoxGrayed", {0, 120}},     {"RadioChecked", {56, 120}},
        {"FormFrame", {112, 128}},   {"SmallChecked", {159, 128}},
        {"Progress", {135, 135}},    {"RadioUnchecked", {0, 148}},
        {"RadioGrayed", {56, 148}},  {"SmallUnchecked", {159, 148}},
        {"SmallGrayed", {112, 150}}, {"GripH", {152, 168}},
        {"Selection", {184, 168}},   {"GripV", {112, 170}},
        {"ArrowUp", {0, 176}},       {"ArrowDown", {32, 176}},
        {"ArrowLeft", {64, 176}},    {"ArrowRight", {144, 184}},
        {"Header", {176, 184}},      {"TabTop", {96, 186}},
        {"TabBottom", {0, 192}},     {"TabLeft", {32, 192}},
        {"TabRight", {64, 192}},     {"ComboArrow", {128, 200}},
        {"GaugeFrame", {195, 213}},
    };
    return s;
}
