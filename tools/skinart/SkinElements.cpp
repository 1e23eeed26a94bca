#include "SkinElements.h"

#include "Exceptions.h"

#include <QPainter>

namespace {

AtlasCell Square(int columns, int side, int maskType = 1) {
    return AtlasCell{columns, maskType, QSize(side, side)};
}

std::vector<ElementCell> DefaultElements(const SkinStyle& s) {
    const SkinMetrics& m = s.Metrics;
    const int frame = 2 * m.FrameMargin + 2;
    const int button = 2 * m.ButtonMargin + 2;
    const int edit = 2 * m.EditMargin + 2;
    const int tab = 2 * m.TabMargin + 2;
    const AtlasCell titleButton{3, m.TitleButtonMaskType, m.TitleButton};
    std::vector<ElementCell> list = {
        {"FormFrame", Square(2, frame)},
        {"TitleBar", {2, 1, QSize(6, 8)}},
        {"Close", titleButton},
        {"Maximise", titleButton},
        {"Restore", titleButton},
        {"Minimise", titleButton},
        {"Help", titleButton},
        {"Button", Square(5, button)},
        {"ComboButton", Square(4, button)},
        {"ComboArrow", {4, 1, QSize(11, 7)}},
        {"Edit", Square(4, edit)},
        {"Selection", Square(2, edit)},
        {"MenuItem", Square(4, edit)},
        {"ScrollPart", Square(4, button)},
        {"GripH", Square(4, 8)},
        {"GripV", Square(4, 8)},
        {"ArrowUp", Square(4, 8)},
        {"ArrowDown", Square(4, 8)},
        {"ArrowLeft", Square(4, 8)},
        {"ArrowRight", Square(4, 8)},
        {"Header", Square(4, edit)},
        {"ToolButton", Square(4, button)},
        {"TabTop", Square(4, tab)},
        {"TabBottom", Square(4, tab)},
        {"TabLeft", Square(4, tab)},
        {"TabRight", Square(4, tab)},
        {"GaugeFrame", Square(1, edit)},
        {"Progress", Square(1, edit)},
        {"PageFrame", Square(1, edit)},
        {"GroupFrame", Square(1, edit)},
        {"HintFrame", Square(1, edit)},
        {"PanelFrame", Square(1, edit)},
        {"MenuFrame", Square(1, edit)},
        {"TrackFrame", Square(1, edit)},
        {"StatusRule", {1, 1, QSize(4, 4)}},
        {"MenuLine", {1, 1, QSize(4, 2)}},
    };
    for (const char* box :
         {"BoxChecked", "BoxUnchecked", "BoxGrayed", "RadioChecked", "RadioUnchecked", "RadioGrayed"})
        list.push_back({box, Square(4, m.Box, m.BoxMaskType)});
    for (const char* box : {"SmallChecked", "SmallUnchecked", "SmallGrayed"})
        list.push_back({box, Square(4, m.SmallBox, m.BoxMaskType)});
    if (s.HasGlowRegion)
        list.push_back({"GlowRegion", Square(1, 12)});
    return list;
}

const Placement& PlacementOf(const SkinStyle& s, const std::string& name) {
    for (const Placement& p : s.Layout)
        if (name == p.Element)
            return p;
    throw Exception(s.Name + " has no place for " + name + " in its master image");
}

FrameLook Turned(FrameLook look, Qt::Edge open) {
    look.Open = open;
    return look;
}

void DrawFrames(Atlas& atlas, const std::string& name, const FrameLook* looks) {
    atlas.Paint(name,
                [looks](QPainter& p, const QRect& cell, int column) { PaintFrame(p, cell, looks[column]); });
}

void DrawGlyphs(Atlas& atlas, const SkinStyle& s) {
    const struct {
        const char* Name;
        bool Radio;
        BoxMark Mark;
    } boxes[] = {{"BoxChecked", false, BoxMark::Check},   {"BoxUnchecked", false, BoxMark::None},
                 {"BoxGrayed", false, BoxMark::Partial},  {"RadioChecked", true, BoxMark::Check},
                 {"RadioUnchecked", true, BoxMark::None}, {"RadioGrayed", true, BoxMark::Partial},
                 {"SmallChecked", false, BoxMark::Check}, {"SmallUnchecked", false, BoxMark::None},
                 {"SmallGrayed", false, BoxMark::Partial}};
    for (const auto& box : boxes)
        atlas.Paint(box.Name, [&](QPainter& p, const QRect& cell, int column) {
            if (box.Radio)
                PaintRadio(p, cell, s.Box, column, box.Mark);
            else
                PaintCheckBox(p, cell, s.Box, column, box.Mark);
        });
    const struct {
        const char* Name;
        ArrowDirection Direction;
    } arrows[] = {{"ArrowUp", ArrowDirection::Up},
                  {"ArrowDown", ArrowDirection::Down},
                  {"ArrowLeft", ArrowDirection::Left},
                  {"ArrowRight", ArrowDirection::Right}};
    for (const auto& arrow : arrows)
        atlas.Paint(arrow.Name, [&](QPainter& p, const QRect& cell, int column) {
            PaintArrow(p, cell.adjusted(0, 1, 0, -1), s.ScrollArrow, column, arrow.Direction);
        });
    atlas.Paint("ComboArrow", [&](QPainter& p, const QRect& cell, int column) {
        PaintArrow(p, cell.adjusted(1, 1, -1, -1), s.ComboArrow, column, ArrowDirection::Down);
    });
    atlas.Paint("GripH", [&](QPainter& p, const QRect& cell, int column) {
        PaintGrip(p, cell, s.Grip, column, true);
    });
    atlas.Paint("GripV", [&](QPainter& p, const QRect& cell, int column) {
        PaintGrip(p, cell, s.Grip, column, false);
    });
    const struct {
        const char* Name;
        TitleIcon Icon;
    } icons[] = {{"Close", TitleIcon::Close},
                 {"Maximise", TitleIcon::Maximise},
                 {"Restore", TitleIcon::Restore},
                 {"Minimise", TitleIcon::Minimise},
                 {"Help", TitleIcon::Help}};
    for (const auto& icon : icons)
        atlas.Paint(icon.Name, [&](QPainter& p, const QRect& cell, int column) {
            PaintTitleButton(p, cell, s.TitleButtons, column, icon.Icon);
        });
}

void DrawLines(Atlas& atlas, const SkinStyle& s) {
    atlas.Paint("StatusRule", [&](QPainter& p, const QRect& cell, int) {
        PaintEdgeLines(p, cell, Qt::TopEdge, s.StatusRule, s.StatusRuleLight);
    });
    atlas.Paint("MenuLine", [&](QPainter& p, const QRect& cell, int) {
        p.fillRect(QRect(cell.left(), cell.top(), cell.width(), 1), s.MenuLineDark);
        if (s.MenuLineLight.isValid())
            p.fillRect(QRect(cell.left(), cell.top() + 1, cell.width(), 1), s.MenuLineLight);
    });
}

} // namespace

std::vector<ElementCell> MasterElements(const SkinStyle& style) {
    std::vector<ElementCell> list = DefaultElements(style);
    for (ElementCell& element : list) {
        const auto cell = style.Cells.find(element.Name);
        if (cell != style.Cells.end())
            element.Cell = cell->second;
    }
    return list;
}

BorderOptions BorderOf(const SkinStyle& s, const std::string& element) {
    const auto fixed = s.Borders.find(element);
    if (fixed != s.Borders.end())
        return fixed->second;
    const SkinMetrics& m = s.Metrics;
    const auto same = [](int margin, int stretch = 1) {
        return BorderOptions{QMargins(margin, margin, margin, margin), stretch, 0};
    };
    if (element == "FormFrame")
        return same(m.FrameMargin, 5);
    if (element == "TitleBar")
        return BorderOptions{QMargins(2, 3, 2, 3), 1, 0};
    if (element == "Button" || element == "ComboButton" || element == "ScrollPart" || element == "ToolButton")
        return same(m.ButtonMargin);
    if (element == "Edit" || element == "GaugeFrame" || element == "PageFrame" || element == "GroupFrame" ||
        element == "TrackFrame")
        return same(m.EditMargin, 5);
    if (element.rfind("Tab", 0) == 0)
        return same(m.TabMargin);
    if (element == "StatusRule")
        return BorderOptions{QMargins(0, 2, 0, 0), 1, 0};
    if (element == "MenuLine")
        return BorderOptions{QMargins(0, 1, 0, 1), 1, 0};
    if (element == "GlowRegion")
        return same(5);
    return same(m.EditMargin);
}

Atlas DrawMaster(const SkinStyle& s) {
    Atlas atlas(s.MasterSize, s.MasterBits == 8 ? 17 : 256);
    for (const ElementCell& element : MasterElements(s)) {
        QImage backdrop;
        if (element.Cell.MaskType == 0 && s.Backdrop)
            backdrop = s.Backdrop(element.Name, element.Cell.Size);
        atlas.Place(element.Name, PlacementOf(s, element.Name).At, element.Cell, backdrop);
    }
    atlas.Paint("FormFrame", [&s](QPainter& p, const QRect& cell, int column) {
        PaintWindowFrame(p, cell, s.Metrics.FrameMargin, s.FormFrame[column]);
    });
    atlas.Paint("TitleBar", [&s](QPainter& p, const QRect& cell, int column) {
        PaintStrip(p, cell, s.TitleBar[column]);
    });
    DrawFrames(atlas, "Button", s.ButtonFrames.data());
    DrawFrames(atlas, "ComboButton", s.ComboButtonFrames.data());
    DrawFrames(atlas, "Edit", s.EditFrames.data());
    DrawFrames(atlas, "Selection", s.SelectionFrames.data());
    DrawFrames(atlas, "MenuItem", s.MenuItemFrames.data());
    DrawFrames(atlas, "ScrollPart", s.ScrollParts.data());
    DrawFrames(atlas, "Header", s.HeaderFrames.data());
    DrawFrames(atlas, "ToolButton", s.ToolButtonFrames.data());
    DrawFrames(atlas, "TabTop", s.TabFrames.data());
    const struct {
        const char* Name;
        Qt::Edge Open;
    } tabs[] = {{"TabBottom", Qt::TopEdge}, {"TabLeft", Qt::RightEdge}, {"TabRight", Qt::LeftEdge}};
    for (const auto& tab : tabs) {
        std::array<FrameLook, 4> looks;
        for (int i = 0; i < 4; ++i) {
            looks[i] = Turned(s.TabFrames[i], tab.Open);
            // The light side of a tab faces away from its page.
            if (tab.Open == Qt::TopEdge)
                std::swap(looks[i].HighlightTop, looks[i].Highlight);
        }
        DrawFrames(atlas, tab.Name, looks.data());
    }
    for (const auto& [name, look] :
         {std::pair{"GaugeFrame", &s.GaugeFrame}, std::pair{"Progress", &s.ProgressFrame},
          std::pair{"PageFrame", &s.PageFrame}, std::pair{"GroupFrame", &s.GroupFrame},
          std::pair{"HintFrame", &s.HintFrame}, std::pair{"PanelFrame", &s.PanelFrame},
          std::pair{"MenuFrame", &s.MenuFrame}, std::pair{"TrackFrame", &s.TrackFrame}})
        DrawFrames(atlas, name, look);
    if (s.HasGlowRegion)
        DrawFrames(atlas, "GlowRegion", &s.GlowRegion);
    DrawGlyphs(atlas, s);
    DrawLines(atlas, s);
    return atlas;
}

Atlas DrawHugeButton(const SkinStyle& s) {
    Atlas atlas(QSize(288, 192), 17);
    atlas.Place("ButtonHuge", QPoint(0, 0), AtlasCell{3, 1, QSize(96, 96)});
    atlas.Paint("ButtonHuge",
                [&s](QPainter& p, const QRect& cell, int column) { s.PaintHugeButton(p, cell, column); });
    return atlas;
}
