#pragma once
// Everything that makes one built-in skin look the way it does: sizes, the colours and gradients
// of its sections, the looks of its framed controls and glyphs, and where each picture sits in
// its master image. One builder turns any style into a package, so the five skins share one
// structure and differ only in these values.

#include "ArtColor.h"
#include "Atlas.h"
#include "FramePainter.h"
#include "GlyphPainters.h"
#include "References.h"

#include <QImage>
#include <QPoint>
#include <QSize>
#include <array>
#include <functional>
#include <map>
#include <string>
#include <vector>

class OptionsText;
struct PackageEntry;

// The background and text keys of a section. Hot values left invalid or empty are not written,
// so the section's normal values (or its parent's) apply.
struct SectionLook {
    QColor Color;
    std::vector<GradientStep> Gradient;
    GradientDirection Direction = GradientDirection::Down;
    QColor Text;
    QColor Outline; // the four one-pixel outline steps; invalid: none
    QColor HotColor;
    std::vector<GradientStep> HotGradient;
    QColor HotText;
    QColor HotOutline;
};

struct SkinMetrics {
    int TitleHeight = 24;
    int BorderWidth = 4;
    int FrameMargin = 6; // nine-part margin of the window frame (at least BorderWidth)
    QSize TitleButton{25, 18};
    int TitleButtonMaskType = 1;
    int BiRight = 4;
    int BiTop = 3;
    int BiSpace = 2;
    int Box = 13;
    int SmallBox = 9;
    int BoxMaskType = 1;
    int ButtonMargin = 4; // buttons, combo buttons, scroll-bar parts, tool buttons
    int EditMargin = 3;   // edit frames, selection, menu items, panels
    int TabMargin = 4;
};

// A placement in the master image: the element's name and its top-left corner.
struct Placement {
    const char* Element;
    QPoint At;
};

struct SkinStyle {
    std::string Name;    // "DarkGlass"
    std::string Version; // "6.4"
    std::string Description;
    QSize MasterSize;
    int MasterBits = 8;
    int SectionCount = 63;
    SkinMetrics Metrics;

    SectionLook Form, Title, Dialog, Button, ComboButton, Edit, Selection, Gauge, Progress, StatusBar, Hint,
        Header, ToolButton, Menu, MenuItem, MenuLine, Page, Tab, Group, Panel, Track, Thumb, ScrollButton,
        CheckBox, Splitter;

    std::array<WindowFrameLook, 2> FormFrame; // active, inactive
    std::array<StripLook, 2> TitleBar;        // active, inactive
    std::array<FrameLook, 5> ButtonFrames;
    std::array<FrameLook, 4> ComboButtonFrames;
    std::array<FrameLook, 4> EditFrames;
    std::array<FrameLook, 4> ScrollParts;
    std::array<FrameLook, 2> SelectionFrames;
    // Four columns: normal, hot, pressed (a selected tab), disabled. The StyleKit helper
    // WithDisabled() fills the last from the normal look.
    std::array<FrameLook, 4> MenuItemFrames;
    std::array<FrameLook, 4> HeaderFrames;
    std::array<FrameLook, 4> ToolButtonFrames;
    std::array<FrameLook, 4> TabFrames; // a top tab; the other sides turn it
    FrameLook GaugeFrame, ProgressFrame, GlowRegion, PageFrame, GroupFrame, HintFrame, PanelFrame, TrackFrame;
    FrameLook MenuFrame; // round a menu, to stand out from the window it opens over
    QColor Link; // text of link buttons
    QColor StatusRule, StatusRuleLight, MenuLineDark, MenuLineLight;

    GlyphLook ComboArrow, ScrollArrow, Grip;
    BoxLook Box;
    TitleButtonLook TitleButtons;
    // The large button picture: normal, hot, pressed.
    std::function<void(QPainter&, const QRect&, int column)> PaintHugeButton;

    bool HasGlowRegion = true; // "LRGN" in PROGRESSH

    std::vector<Placement> Layout;
    // Cells and border options that differ from what the metrics give (pictures whose
    // rectangles are fixed by the skin's texts).
    std::map<std::string, AtlasCell> Cells;
    std::map<std::string, BorderOptions> Borders;
    // Last touches on the texts and extra package entries (textures, glow pictures).
    std::function<void(OptionsText&)> FinishOptions;
    std::function<void(std::vector<PackageEntry>&)> ExtraEntries;
    // What mask-type-0 glyphs are blended with, per element (title buttons on the title bar).
    std::function<QImage(const std::string& element, QSize cell)> Backdrop;
};

SkinStyle DarkGlassStyle();
SkinStyle LongHornStyle();
SkinStyle Neutral2Style();
SkinStyle NextAlphaStyle();
SkinStyle BluePlasticStyle();
