#include "SkinOptions.h"

#include "Exceptions.h"
#include "SkinElements.h"

#include <algorithm>

namespace {

void WriteOutline(OptionsSection& s, const std::string& prefix, const QColor& outline) {
    const std::string value = outline.isValid() ? SkinText(outline) : "-1";
    for (const char* side : {"TCLEFT", "TCTOP", "TCRIGHT", "TCBOTTOM"})
        s.Set(prefix + side, value);
}

void WriteLook(OptionsSection& s, const SectionLook& look) {
    if (look.Color.isValid())
        s.Set("COLOR", SkinText(look.Color));
    if (look.Text.isValid()) {
        s.Set("FONTCOLOR", SkinText(look.Text));
        WriteOutline(s, "", look.Outline);
    }
    if (!look.Gradient.empty()) {
        s.Set("GRADIENTDATA", GradientText(look.Gradient, look.Direction));
        s.Set("GRADIENTPERCENT", 100);
    }
    if (look.HotColor.isValid())
        s.Set("HOTCOLOR", SkinText(look.HotColor));
    if (look.HotText.isValid()) {
        s.Set("HOTFONTCOLOR", SkinText(look.HotText));
        WriteOutline(s, "HOT", look.HotOutline);
    }
    if (!look.HotGradient.empty()) {
        s.Set("HOTGRADIENTDATA", GradientText(look.HotGradient, look.Direction));
        s.Set("HOTGRADIENTPERCENT", 100);
    }
}

class SectionWriter {
public:
    SectionWriter(const SkinStyle& style, const Atlas& master, OptionsText& text)
        : Style(style), Master(master), Text(text) {}

    OptionsSection& Add(const std::string& name, const SectionLook* look = nullptr,
                        const std::string& parent = "") {
        OptionsSection& s = Text.Section(name);
        if (!parent.empty())
            s.Set("PARENTCLASS", parent);
        if (look != nullptr)
            WriteLook(s, *look);
        return s;
    }
    std::string Border(const std::string& element) const {
        return BorderReference(Master.Slot(element), BorderOf(Style, element));
    }
    std::string Glyph(const std::string& element) const { return GlyphReference(Master.Slot(element)); }

private:
    const SkinStyle& Style;
    const Atlas& Master;
    OptionsText& Text;
};

void WriteGlobalInfo(const SkinStyle& style, const SectionWriter& w, OptionsSection& g) {
    const SkinMetrics& m = style.Metrics;
    g.Set("VERSION", style.Version)
        .Set("AUTHOR", "Morvane")
        .Set("DESCRIPTION", style.Description)
        .Set("MASTERBITMAP", "MASTER.BMP")
        .Set("BORDERWIDTH", m.BorderWidth)
        .Set("TITLEHEIGHT", m.TitleHeight)
        .Set("MAXHEIGHT", m.TitleHeight)
        .Set("FORMOFFSET", m.BorderWidth)
        .Set("CENTEROFFSET", 0)
        .Set("BORDERMODE", 0)
        .Set("SHADOW1COLOR", 0)
        .Set("SHADOW1OFFSET", 0)
        .Set("SHADOW1BLUR", -1)
        .Set("SHADOW1TRANSPARENCY", 0)
        .Set("BISPACE", m.BiSpace)
        .Set("BIVALIGN", 0)
        .Set("BIRIGHT", m.BiRight)
        .Set("BILEFT", 0)
        .Set("BITOP", m.BiTop)
        .Set("BORDERCOLOR", SkinText(style.FormFrame[0].Rim))
        .Set("BIKEEPHUE", 0)
        .Set("BICONCLOSEGLOW", 0)
        .Set("BICONCLOSEGLOWMARGIN", 0)
        .Set("BICONMAXGLOW", 0)
        .Set("BICONMAXGLOWMARGIN", 0)
        .Set("BICONMINGLOW", 0)
        .Set("BICONMINGLOWMARGIN", 0);
    const struct {
        const char* Key;
        const char* Element;
    } glyphs[] = {{"BICONCLOSE", "Close"},
                  {"BICONMAX", "Maximise"},
                  {"BICONNORM", "Restore"},
                  {"BICONMIN", "Minimise"},
                  {"BICONHELP", "Help"},
                  {"SICONCLOSE", "Close"},
                  {"SICONMAX", "Maximise"},
                  {"SICONNORM", "Restore"},
                  {"SICONMIN", "Minimise"},
                  {"SICONHELP", "Help"},
                  {"BOXCHECKED", "BoxChecked"},
                  {"BOXUNCHECKED", "BoxUnchecked"},
                  {"BOXGRAYED", "BoxGrayed"},
                  {"RADIOCHECKED", "RadioChecked"},
                  {"RADIOUNCHECKED", "RadioUnchecked"},
                  {"RADIOGRAYED", "RadioGrayed"},
                  {"SMALLCHECKED", "SmallChecked"},
                  {"SMALLUNCHECKED", "SmallUnchecked"},
                  {"SMALLGRAYED", "SmallGrayed"}};
    for (const auto& glyph : glyphs)
        g.Set(glyph.Key, w.Glyph(glyph.Element));
}

void WriteWindowSections(const SkinStyle& s, SectionWriter& w) {
    w.Add("FORM", &s.Form).Set("BORDERSMASK", w.Border("FormFrame")).Set("SHOWFOCUS", "FALSE");
    w.Add("FORMTITLE", &s.Title).Set("BORDERSMASK", w.Border("TitleBar"));
    w.Add("DIALOG", &s.Dialog, "FORM");
    SectionLook mdi = s.Form;
    mdi.Color = Mix(s.Form.Color, Qt::black, 0.06);
    w.Add("MDIAREA", &mdi, "FORM");
}

void WriteButtonSections(const SkinStyle& s, SectionWriter& w) {
    w.Add("BUTTON", &s.Button)
        .Set("BORDERSMASK", w.Border("Button"))
        .Set("SHOWFOCUS", "TRUE")
        .Set("FADINGENABLED", "TRUE")
        .Set("FADINGITERATIONS", 5);
    w.Add("SPEEDBUTTON", nullptr, "BUTTON");
    w.Add("BUTTON_HUGE", nullptr, "BUTTON").Set("BORDERSMASK", "!BUTTONHUGE.BMP!3!1!0");
    w.Add("TOOLBUTTON", &s.ToolButton)
        .Set("BORDERSMASK", w.Border("ToolButton"))
        .Set("FADINGENABLED", "TRUE");
    w.Add("TOOLBAR", &s.Panel, "PANEL");
    w.Add("UPDOWNBTN", &s.ScrollButton).Set("BORDERSMASK", w.Border("ScrollPart"));
}

void WriteEditSections(const SkinStyle& s, SectionWriter& w) {
    w.Add("EDIT", &s.Edit).Set("BORDERSMASK", w.Border("Edit")).Set("SHOWFOCUS", "TRUE");
    w.Add("COMBOBOX")
        .Set("GLYPHMASK", w.Glyph("ComboArrow"))
        .Set("PARENTCLASS", "EDIT")
        .Set("SHOWFOCUS", "TRUE");
    w.Add("COMBOBTN", &s.ComboButton).Set("BORDERSMASK", w.Border("ComboButton"));
    w.Add("GRID", nullptr, "EDIT");
    w.Add("SELECTION", &s.Selection).Set("BORDERSMASK", w.Border("Selection"));
    w.Add("CHECKBOX", &s.CheckBox);
    w.Add("RADIOBUTTON", nullptr, "CHECKBOX");
}

void WriteScrollSections(const SkinStyle& s, SectionWriter& w) {
    SectionLook across = s.Track;
    across.Direction = GradientDirection::Across;
    w.Add("SCROLLBAR1H", &s.Track).Set("BORDERSMASK", w.Border("TrackFrame"));
    w.Add("SCROLLBAR1V", &across).Set("BORDERSMASK", w.Border("TrackFrame"));
    w.Add("SCROLLBAR2H", nullptr, "SCROLLBAR1H");
    w.Add("SCROLLBAR2V", nullptr, "SCROLLBAR1V");
    w.Add("SCROLLBTNTOP", &s.ScrollButton)
        .Set("BORDERSMASK", w.Border("ScrollPart"))
        .Set("GLYPHMASK", w.Glyph("ArrowUp"));
    w.Add("SCROLLBTNBOTTOM", nullptr, "SCROLLBTNTOP").Set("GLYPHMASK", w.Glyph("ArrowDown"));
    w.Add("SCROLLBTNLEFT", nullptr, "SCROLLBTNTOP").Set("GLYPHMASK", w.Glyph("ArrowLeft"));
    w.Add("SCROLLBTNRIGHT", nullptr, "SCROLLBTNTOP").Set("GLYPHMASK", w.Glyph("ArrowRight"));
    SectionLook thumbAcross = s.Thumb;
    thumbAcross.Direction = GradientDirection::Across;
    w.Add("SCROLLSLIDERH", &s.Thumb)
        .Set("BORDERSMASK", w.Border("ScrollPart"))
        .Set("GLYPHMASK", w.Glyph("GripH"));
    w.Add("SCROLLSLIDERV", &thumbAcross)
        .Set("BORDERSMASK", w.Border("ScrollPart"))
        .Set("GLYPHMASK", w.Glyph("GripV"));
}

void WriteProgressSections(const SkinStyle& s, SectionWriter& w) {
    w.Add("GAUGE", &s.Gauge).Set("BORDERSMASK", w.Border("GaugeFrame"));
    OptionsSection& bar = w.Add("PROGRESSH", &s.Progress).Set("BORDERSMASK", w.Border("Progress"));
    if (s.HasGlowRegion)
        bar.Set("LRGN", w.Border("GlowRegion"));
    SectionLook vertical = s.Progress;
    vertical.Direction = GradientDirection::Across;
    w.Add("PROGRESSV", &vertical, "PROGRESSH");
    w.Add("TRACKBAR", &s.CheckBox, "FORM");
    w.Add("SLIDERCHANNEL", nullptr, "SCROLLBAR1H");
}

void WriteBarSections(const SkinStyle& s, SectionWriter& w) {
    w.Add("STATUSBAR", &s.StatusBar).Set("BORDERSMASK", w.Border("StatusRule"));
    w.Add("HINT", &s.Hint).Set("BORDERSMASK", w.Border("HintFrame"));
    w.Add("COLHEADER", &s.Header).Set("BORDERSMASK", w.Border("Header"));
    w.Add("MAINMENU", &s.Menu).Set("BORDERSMASK", w.Border("MenuFrame"));
    w.Add("MENUITEM", &s.MenuItem).Set("BORDERSMASK", w.Border("MenuItem"));
    w.Add("MENULINE", &s.MenuLine).Set("BORDERSMASK", w.Border("MenuLine"));
    w.Add("MENUCAPTION", nullptr, "MAINMENU");
    SectionLook icons = s.Menu;
    icons.Color = Mix(s.Menu.Color, Qt::black, 0.04);
    icons.Gradient.clear();
    w.Add("ICOLINE", &icons, "MAINMENU");
}

void WriteContainerSections(const SkinStyle& s, SectionWriter& w) {
    w.Add("PAGECONTROL", &s.Page).Set("BORDERSMASK", w.Border("PageFrame"));
    w.Add("TABTOP", &s.Tab).Set("BORDERSMASK", w.Border("TabTop"));
    SectionLook bottom = s.Tab;
    for (std::vector<GradientStep>* steps : {&bottom.Gradient, &bottom.HotGradient}) {
        std::reverse(steps->begin(), steps->end());
        for (GradientStep& step : *steps)
            std::swap(step.From, step.To);
    }
    w.Add("TABBOTTOM", &bottom, "TABTOP").Set("BORDERSMASK", w.Border("TabBottom"));
    SectionLook side = s.Tab;
    side.Direction = GradientDirection::Across;
    w.Add("TABLEFT", &side, "TABTOP").Set("BORDERSMASK", w.Border("TabLeft"));
    w.Add("TABRIGHT", &side, "TABTOP").Set("BORDERSMASK", w.Border("TabRight"));
    w.Add("TABCONTROL", nullptr, "PAGECONTROL");
    w.Add("GROUPBOX", &s.Group).Set("BORDERSMASK", w.Border("GroupFrame"));
    w.Add("PANEL", &s.Panel);
    w.Add("PANEL_LOW", nullptr, "PANEL").Set("BORDERSMASK", w.Border("PanelFrame"));
    w.Add("SPLITTER", &s.Splitter);
    w.Add("BEVEL", nullptr, "PANEL_LOW");
    w.Add("GRIP", nullptr, "STATUSBAR");
    w.Add("DRAGBAR", nullptr, "FORMTITLE");
    w.Add("BAR", nullptr, "PANEL");
    w.Add("BARTITLE", nullptr, "FORMTITLE");
    w.Add("BARPANEL", nullptr, "PANEL");
    w.Add("TRANSPARENT", nullptr, "FORM").Set("TRANSPARENCY", 100).Set("HOTTRANSPARENCY", 100);
    SectionLook link;
    link.Text = s.Link;
    link.HotText = s.Link;
    w.Add("WEBBUTTON", &link, "CHECKBOX");
    w.Add("SPEEDBUTTON_SMALL", nullptr, "TOOLBUTTON");
    w.Add("TREEVIEW", nullptr, "EDIT");
}

} // namespace

OptionsText BuildOptions(const SkinStyle& style, const Atlas& master) {
    OptionsText text;
    SectionWriter writer(style, master, text);
    WriteGlobalInfo(style, writer, text.Section("GLOBALINFO"));
    WriteWindowSections(style, writer);
    WriteButtonSections(style, writer);
    WriteEditSections(style, writer);
    WriteScrollSections(style, writer);
    WriteProgressSections(style, writer);
    WriteBarSections(style, writer);
    WriteContainerSections(style, writer);
    if (style.FinishOptions)
        style.FinishOptions(text);
    if (static_cast<int>(text.Sections().size()) != style.SectionCount)
        throw Exception(style.Name + " has " + std::to_string(text.Sections().size()) + " sections, not " +
                        std::to_string(style.SectionCount));
    return text;
}

void AddAlphaSections(OptionsText& text) {
    text.Section("ALPHAEDIT").Set("PARENTCLASS", "EDIT").Set("TRANSPARENCY", 20).Set("HOTTRANSPARENCY", 0);
    text.Section("ALPHACOMBOBOX")
        .Set("PARENTCLASS", "COMBOBOX")
        .Set("TRANSPARENCY", 20)
        .Set("HOTTRANSPARENCY", 0);
}
