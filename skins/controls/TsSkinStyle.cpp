#include "TsSkinStyle.h"

#include "ReadableColors.h"
#include "SkinCacheIndexes.h"
#include "SkinColor.h"
#include "SkinPaint.h"
#include "SkinRowSelection.h"
#include "SkinScrollBar.h"
#include "TsSkinManager.h"

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QComboBox>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QStyleFactory>
#include <QStyleOption>

namespace {

QColor FocusFrameColor(const QPalette& palette) {
    return ReadableOn(palette.color(QPalette::Highlight), palette.color(QPalette::Base));
}

constexpr int ScrollBarExtent = 16;
constexpr int MinimumSlider = 18;
constexpr int MenuMargin = 2; // pixels between a menu's border and its items

int PartIndex(TsScrollPart part) {
    return static_cast<int>(part);
}

// Which of a scroll bar's parts is hot or held.
TsState PartState(const QStyleOptionComplex* option, QStyle::SubControl part) {
    if (!(option->state & QStyle::State_Enabled))
        return TsState::Disabled;
    // A bar with nothing to scroll looks disabled, arrows and all.
    if (const auto* bar = qstyleoption_cast<const QStyleOptionSlider*>(option); bar && bar->maximum <= bar->minimum)
        return TsState::Disabled;
    if (option->activeSubControls & part)
        return option->state & QStyle::State_Sunken ? TsState::Pressed : TsState::Hot;
    return TsState::Normal;
}

void DrawPart(QPainter* painter, const SkinTables& skin, const TsSectionIndexes& part, const QRect& rect,
              TsState state) {
    DrawSectionBackground(*painter, skin, SectionPaint{part.Section, rect, state});
    if (const TsMaskData* glyph = skin.Mask(part.GlyphMask))
        DrawGlyph(*painter, *glyph, rect, state);
}

// The colour a section shows where nothing is drawn on it: its fill, gradient and texture as
// painted, averaged over the middle of a piece the size of a small button. A section's own
// colour may lie hidden under its gradient or texture (the built-in skins use the buttons' colour
// only to set their disabled captions), so it is no guide to what the user sees.
QColor ShownSectionColor(const SkinTables& skin, int section) {
    QImage piece(QSize(48, 24), QImage::Format_ARGB32_Premultiplied);
    piece.fill(Qt::transparent);
    {
        QPainter painter(&piece);
        DrawSectionBackground(painter, skin, SectionPaint{section, piece.rect(), TsState::Normal});
    }
    const QRect middle = piece.rect().adjusted(6, 6, -6, -6);
    double red = 0, green = 0, blue = 0;
    for (int y = middle.top(); y <= middle.bottom(); ++y) {
        const auto* line = reinterpret_cast<const QRgb*>(piece.constScanLine(y));
        for (int x = middle.left(); x <= middle.right(); ++x) {
            red += qRed(line[x]);
            green += qGreen(line[x]);
            blue += qBlue(line[x]);
        }
    }
    const double count = double(middle.width()) * middle.height();
    return QColor(int(red / count + 0.5), int(green / count + 0.5), int(blue / count + 0.5));
}

} // namespace

TsState OptionState(const QStyleOption* option) {
    return StateOf(option->state);
}

TsState StateOf(QStyle::State s) {
    if (!(s & QStyle::State_Enabled))
        return TsState::Disabled;
    if (s & (QStyle::State_Sunken | QStyle::State_On))
        return TsState::Pressed;
    if (s & QStyle::State_MouseOver)
        return TsState::Hot;
    if (s & QStyle::State_HasFocus)
        return TsState::Focused;
    return TsState::Normal;
}

// An edit frame's state: focused (its third column), hot, disabled or normal. A sunken frame is
// just how the frame is shaped, not a pressed state.
static TsState FrameState(const QStyleOption* option) {
    const QStyle::State s = option->state;
    if (!(s & QStyle::State_Enabled))
        return TsState::Disabled;
    if (s & QStyle::State_HasFocus)
        return TsState::Pressed;
    if (s & QStyle::State_MouseOver)
        return TsState::Hot;
    return TsState::Normal;
}

TsSkinStyle::TsSkinStyle() : QProxyStyle(QStyleFactory::create(QStringLiteral("Fusion"))) {}

const TsSkinManager* TsSkinStyle::Manager() const {
    const TsSkinManager* manager = TsSkinManager::DefaultManager();
    return manager && manager->Active() && manager->Skin() ? manager : nullptr;
}

const SkinTables* TsSkinStyle::Skin() const {
    const TsSkinManager* manager = Manager();
    if (manager == nullptr)
        return nullptr;
    const SkinTablesPtr skin = manager->Skin();
    if (skin != sectionsFor_) {
        sectionsFor_ = skin;
        sections_ = FindSections(*skin);
    }
    return skin.get();
}

const TsStyleSections& TsSkinStyle::Sections() const {
    return sections_;
}

TsStyleSections TsSkinStyle::FindSections(const SkinTables& skin) {
    TsStyleSections s;
    s.Form = skin.FindSection("FORM");
    s.Dialog = skin.FindSection("DIALOG");
    s.Button = skin.FindSection("BUTTON");
    s.Edit = skin.FindSection("EDIT");
    s.Selection = skin.FindSection("SELECTION");
    s.ColHeader = skin.FindSection("COLHEADER");
    s.ToolButton = skin.FindSection("TOOLBUTTON");
    s.CheckBox = skin.FindSection("CHECKBOX");
    s.MainMenu = skin.FindSection("MAINMENU");
    s.MenuItem = skin.FindSection("MENUITEM");
    s.MenuLine = skin.FindSection("MENULINE");
    s.Hint = skin.FindSection("HINT");
    s.ComboBox = skin.FindSection("COMBOBOX");
    s.GroupBox = skin.FindSection("GROUPBOX");
    return s;
}

bool TsSkinStyle::DrawSection(int section, const QStyleOption* option, QPainter* painter,
                              bool withBorder) const {
    const SkinTables* skin = Skin();
    if (skin == nullptr || skin->Section(section) == nullptr)
        return false;
    DrawSectionBackground(*painter, *skin,
                          SectionPaint{section, option->rect, OptionState(option), withBorder});
    return true;
}

void TsSkinStyle::drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                                const QWidget* widget) const {
    const SkinTables* skin = Skin();
    if (skin != nullptr) {
        const TsStyleSections& s = Sections();
        switch (element) {
        case PE_PanelButtonCommand:
            // A dialog's default button, the one Enter clicks (a file dialog's Open while the
            // name is typed), is marked as a focused one is, as desktops mark it.
            if (const auto* button = qstyleoption_cast<const QStyleOptionButton*>(option);
                button != nullptr && (button->features & QStyleOptionButton::DefaultButton) &&
                !(option->state & State_HasFocus)) {
                QStyleOptionButton marked = *button;
                marked.state |= State_HasFocus;
                drawPrimitive(element, &marked, painter, widget);
                return;
            }
            if (DrawSection(s.Button, option, painter)) {
                // Under the mouse or held down the hot or pressed face is drawn; focus keeps
                // its rim on it.
                if ((OptionState(option) == TsState::Hot || OptionState(option) == TsState::Pressed) &&
                    (option->state & State_HasFocus))
                    DrawFocusRim(*painter, *skin, s.Button, option->rect);
                return;
            }
            break;
        case PE_FrameFocusRect:
            // Buttons and boxes show focus in their pictures. The current item of a list has no
            // picture: without its frame a keyboard user would not see where the arrow keys
            // start from (the file dialog's list before the first press, say).
            if (qobject_cast<const QAbstractItemView*>(widget) != nullptr) {
                painter->save();
                // A one-pixel line in the skin's highlight hue, made dark or light enough to
                // stand out on the list (a pale highlight would all but vanish on white).
                painter->setPen(QPen(FocusFrameColor(option->palette), 1));
                painter->setBrush(Qt::NoBrush);
                painter->drawRect(QRectF(option->rect).adjusted(0.5, 0.5, -0.5, -0.5));
                painter->restore();
            }
            return;
        case PE_PanelLineEdit:
            if (skin->Section(s.Edit)) {
                painter->fillRect(option->rect, SectionColor(*skin->Section(s.Edit), TsState::Normal));
                if (const TsMaskData* border =
                        skin->Mask(skin->Section(s.Edit)->Mask(SectionMask::BordersMask)))
                    DrawMask(*painter, *border, option->rect, FrameState(option));
                return;
            }
            break;
        case PE_FrameLineEdit:
        case PE_Frame:
            if (const TsGeneralData* edit = skin->Section(s.Edit)) {
                // A frame that is a popup of its own (a combo box's list) has nothing painted
                // under it: the border's see-through pixels would show whatever the window
                // system left there, white on most.
                if (widget != nullptr && widget->windowType() == Qt::Popup)
                    painter->fillRect(option->rect, SectionColor(*edit, TsState::Normal));
                if (const TsMaskData* border = skin->Mask(edit->Mask(SectionMask::BordersMask)))
                    DrawMask(*painter, *border, option->rect, FrameState(option));
                return;
            }
            break;
        case PE_PanelItemViewItem:
            if (skin->Section(s.Selection) && (option->state & (State_Selected | State_MouseOver))) {
                DrawRowSelection(*painter, *skin, s.Selection, option);
                return;
            }
            break;
        case PE_PanelButtonTool:
            if (!(option->state & (State_MouseOver | State_Sunken | State_On)) &&
                (option->state & State_AutoRaise))
                return;
            if (DrawSection(s.ToolButton, option, painter))
                return;
            break;
        case PE_IndicatorCheckBox:
        case PE_IndicatorRadioButton:
        case PE_IndicatorItemViewItemCheck:
            if (DrawCheckGlyph(element, option, painter))
                return;
            break;
        case PE_PanelMenu:
        case PE_FrameMenu:
            if (DrawSection(s.MainMenu, option, painter))
                return;
            break;
        case PE_PanelTipLabel:
            if (DrawSection(s.Hint, option, painter))
                return;
            break;
        case PE_FrameGroupBox:
            if (const TsGeneralData* group = skin->Section(s.GroupBox))
                if (const TsMaskData* border = skin->Mask(group->Mask(SectionMask::BordersMask))) {
                    DrawMask(*painter, *border, option->rect, TsState::Normal);
                    return;
                }
            break;
        case PE_FrameStatusBarItem:
            return;
        default:
            break;
        }
    }
    QProxyStyle::drawPrimitive(element, option, painter, widget);
}

bool TsSkinStyle::DrawCheckGlyph(PrimitiveElement element, const QStyleOption* option,
                                 QPainter* painter) const {
    const TsSkinManager* manager = Manager();
    const SkinTables* skin = Skin();
    const bool radio = element == PE_IndicatorRadioButton;
    const bool partial = option->state & State_NoChange;
    const bool on = option->state & State_On;
    const TsCheckGlyph which = radio     ? (on ? TsCheckGlyph::RadioChecked : TsCheckGlyph::RadioUnchecked)
                               : partial ? TsCheckGlyph::BoxGrayed
                               : on      ? TsCheckGlyph::BoxChecked
                                         : TsCheckGlyph::BoxUnchecked;
    const TsMaskData* glyph = skin->Mask(manager->Cache().CheckGlyph(which));
    if (glyph == nullptr)
        return false;
    // Checked or not is the glyph itself; its column is only the mouse's.
    DrawGlyph(*painter, *glyph, option->rect, StateOf(option->state & ~(State_On | State_HasFocus)));
    return true;
}

void TsSkinStyle::drawControl(ControlElement element, const QStyleOption* option, QPainter* painter,
                              const QWidget* widget) const {
    const SkinTables* skin = Skin();
    if (skin != nullptr) {
        const TsStyleSections& s = Sections();
        switch (element) {
        case CE_PushButtonLabel:
            if (const TsGeneralData* button = skin->Section(s.Button)) {
                QStyleOptionButton copy = *qstyleoption_cast<const QStyleOptionButton*>(option);
                const QColor text = SectionTextColor(*button, OptionState(option));
                copy.palette.setColor(QPalette::ButtonText, text);
                copy.palette.setColor(QPalette::Disabled, QPalette::ButtonText, text);
                QProxyStyle::drawControl(element, &copy, painter, widget);
                return;
            }
            break;
        case CE_HeaderSection:
            if (DrawSection(s.ColHeader, option, painter))
                return;
            break;
        case CE_HeaderEmptyArea:
            // Right of the last column the header goes on as an empty section, never hot.
            if (skin->Section(s.ColHeader)) {
                const TsState state = option->state & State_Enabled ? TsState::Normal : TsState::Disabled;
                DrawSectionBackground(*painter, *skin, SectionPaint{s.ColHeader, option->rect, state});
                return;
            }
            break;
        case CE_HeaderLabel:
            if (const TsGeneralData* header = skin->Section(s.ColHeader)) {
                QStyleOptionHeader copy = *qstyleoption_cast<const QStyleOptionHeader*>(option);
                copy.palette.setColor(QPalette::ButtonText, SectionTextColor(*header, OptionState(option)));
                QProxyStyle::drawControl(element, &copy, painter, widget);
                return;
            }
            break;
        case CE_ComboBoxLabel:
            if (const TsGeneralData* combo = skin->Section(s.ComboBox)) {
                QStyleOptionComboBox copy = *qstyleoption_cast<const QStyleOptionComboBox*>(option);
                // The text takes the colour of the state its field is drawn in.
                const QColor text = SectionTextColor(*combo, OptionState(option));
                copy.palette.setColor(QPalette::ButtonText, text);
                copy.palette.setColor(QPalette::Text, text);
                QProxyStyle::drawControl(element, &copy, painter, widget);
                return;
            }
            break;
        case CE_MenuItem:
            if (DrawMenuItem(option, painter, widget))
                return;
            break;
        case CE_MenuEmptyArea:
        case CE_MenuBarEmptyArea:
            if (DrawSection(s.MainMenu, option, painter, false))
                return;
            break;
        default:
            break;
        }
    }
    QProxyStyle::drawControl(element, option, painter, widget);
}

bool TsSkinStyle::DrawMenuItem(const QStyleOption* option, QPainter* painter, const QWidget* widget) const {
    const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
    const SkinTables* skin = Skin();
    const TsStyleSections& s = Sections();
    const TsGeneralData* section = skin->Section(s.MenuItem);
    if (item == nullptr || section == nullptr)
        return false;
    if (item->menuItemType == QStyleOptionMenuItem::Separator) {
        // MENULINE is an etched line two pixels high: its dark row over its light one.
        const QRect line(item->rect.left() + 4, item->rect.center().y(), item->rect.width() - 8, 2);
        if (skin->Section(s.MenuLine) != nullptr)
            DrawSectionBackground(*painter, *skin, SectionPaint{s.MenuLine, line, TsState::Normal});
        else
            painter->fillRect(line.adjusted(0, 0, 0, -1), SectionTextColor(*section, TsState::Disabled));
        return true;
    }
    const bool selected = (item->state & State_Selected) && (item->state & State_Enabled);
    DrawSectionBackground(*painter, *skin,
                          SectionPaint{s.MenuItem, item->rect, selected ? TsState::Hot : TsState::Normal});
    QStyleOptionMenuItem copy = *item;
    const TsState state = !(item->state & State_Enabled) ? TsState::Disabled
                          : selected                     ? TsState::Hot
                                                         : TsState::Normal;
    const QColor text = SectionTextColor(*section, state);
    copy.palette.setColor(QPalette::ButtonText, text);
    copy.palette.setColor(QPalette::WindowText, text);
    copy.palette.setColor(QPalette::Text, text);
    copy.palette.setColor(QPalette::HighlightedText, text);
    copy.palette.setColor(QPalette::Highlight, Qt::transparent);
    copy.palette.setBrush(QPalette::Window, Qt::transparent);
    copy.state &= ~State_Selected;
    QProxyStyle::drawControl(CE_MenuItem, &copy, painter, widget);
    return true;
}

void TsSkinStyle::drawComplexControl(ComplexControl control, const QStyleOptionComplex* option,
                                     QPainter* painter, const QWidget* widget) const {
    if (Skin() != nullptr) {
        if (control == CC_ScrollBar && DrawScrollBar(option, painter))
            return;
        if (control == CC_ComboBox && DrawComboBox(option, painter))
            return;
        if (control == CC_ToolButton) {
            QProxyStyle::drawComplexControl(control, option, painter, widget);
            if (option->state & State_HasFocus)
                DrawFocusMark(option, painter);
            return;
        }
    }
    QProxyStyle::drawComplexControl(control, option, painter, widget);
}

bool TsSkinStyle::DrawScrollBar(const QStyleOptionComplex* complex, QPainter* painter) const {
    const auto* option = qstyleoption_cast<const QStyleOptionSlider*>(complex);
    const SkinTables* skin = Skin();
    const TsCacheIndexes& cache = Manager()->Cache();
    if (option == nullptr)
        return false;
    const bool horizontal = option->orientation == Qt::Horizontal;
    // Right to left, a horizontal bar starts at its right end: the parts change places, and
    // each is drawn with the picture of the end it stands at.
    const bool mirrored = horizontal && option->direction == Qt::RightToLeft;
    const auto part = [&](TsScrollPart p) {
        return cache.Scroll[PartIndex(p)];
    };
    TsSectionIndexes before = part(horizontal ? TsScrollPart::Bar1H : TsScrollPart::Bar1V);
    TsSectionIndexes after = part(horizontal ? TsScrollPart::Bar2H : TsScrollPart::Bar2V);
    const TsSectionIndexes slider = part(horizontal ? TsScrollPart::SliderH : TsScrollPart::SliderV);
    TsSectionIndexes subLine = part(horizontal ? TsScrollPart::BtnLeft : TsScrollPart::BtnTop);
    TsSectionIndexes addLine = part(horizontal ? TsScrollPart::BtnRight : TsScrollPart::BtnBottom);
    if (before.Section < 0 || slider.Section < 0 || subLine.Section < 0 || addLine.Section < 0)
        return false;
    if (after.Section < 0)
        after = before;
    if (mirrored) {
        std::swap(before, after);
        std::swap(subLine, addLine);
    }
    const auto rect = [&](SubControl sub) {
        return visualRect(option->direction, option->rect, ScrollBarPart(*option, sub, MinimumSlider));
    };
    painter->save();
    DrawPart(painter, *skin, before, rect(SC_ScrollBarSubPage), PartState(option, SC_ScrollBarSubPage));
    DrawPart(painter, *skin, after, rect(SC_ScrollBarAddPage), PartState(option, SC_ScrollBarAddPage));
    if (const QRect r = rect(SC_ScrollBarSlider); !r.isEmpty())
        DrawPart(painter, *skin, slider, r, PartState(option, SC_ScrollBarSlider));
    DrawPart(painter, *skin, subLine, rect(SC_ScrollBarSubLine), PartState(option, SC_ScrollBarSubLine));
    DrawPart(painter, *skin, addLine, rect(SC_ScrollBarAddLine), PartState(option, SC_ScrollBarAddLine));
    painter->restore();
    return true;
}

bool TsSkinStyle::DrawComboBox(const QStyleOptionComplex* complex, QPainter* painter) const {
    const auto* option = qstyleoption_cast<const QStyleOptionComboBox*>(complex);
    const SkinTables* skin = Skin();
    const TsCacheIndexes& cache = Manager()->Cache();
    const int field = option && option->editable ? Sections().Edit : Sections().ComboBox;
    if (option == nullptr || skin->Section(field) == nullptr)
        return false;
    const TsState state = OptionState(option);
    // The field is framed as an edit is: in its focused column while it has focus, under the
    // mouse too, so Tab shows where it went.
    DrawSectionBackground(*painter, *skin, SectionPaint{field, option->rect, state, false});
    if (const TsMaskData* border = skin->Mask(skin->Section(field)->Mask(SectionMask::BordersMask)))
        DrawMask(*painter, *border, option->rect, FrameState(option));
    const QRect button =
        subControlRect(CC_ComboBox, option, SC_ComboBoxArrow, nullptr).adjusted(0, 1, -1, -1);
    DrawSectionBackground(*painter, *skin, SectionPaint{cache.ComboBtn.Section, button, state});
    if (const TsMaskData* glyph = skin->Mask(cache.ComboGlyph))
        DrawGlyph(*painter, *glyph, button, state);
    else
        QProxyStyle::drawPrimitive(PE_IndicatorArrowDown, option, painter, nullptr);
    return true;
}

void TsSkinStyle::DrawFocusMark(const QStyleOption* option, QPainter* painter) const {
    // The skins give tool buttons no focus picture; they take the rim of a focused edit, the
    // mark the same dialog shows on its fields.
    const SkinTables* skin = Skin();
    if (const TsGeneralData* edit = skin->Section(Sections().Edit))
        if (const TsMaskData* border = skin->Mask(edit->Mask(SectionMask::BordersMask)))
            DrawMaskRim(*painter, *border, option->rect, FrameState(option));
}

QRect TsSkinStyle::subControlRect(ComplexControl control, const QStyleOptionComplex* option, SubControl sub,
                                  const QWidget* widget) const {
    if (control == CC_ScrollBar && Skin() != nullptr)
        if (const auto* slider = qstyleoption_cast<const QStyleOptionSlider*>(option))
            return visualRect(slider->direction, slider->rect, ScrollBarPart(*slider, sub, MinimumSlider));
    return QProxyStyle::subControlRect(control, option, sub, widget);
}

std::optional<int> TsSkinStyle::BorderWidth(int section) const {
    // As wide as the border mask's margins, thin anyway.
    if (const TsGeneralData* general = Skin()->Section(section))
        if (const TsMaskData* border = Skin()->Mask(general->Mask(SectionMask::BordersMask)))
            return std::clamp<int>(std::max({border->WL, border->WT, border->WR, border->WB}), 1, 3);
    return std::nullopt;
}

int TsSkinStyle::pixelMetric(PixelMetric metric, const QStyleOption* option, const QWidget* widget) const {
    if (Skin() != nullptr) {
        switch (metric) {
        case PM_ScrollBarExtent:
            return ScrollBarExtent;
        case PM_ScrollBarSliderMin:
            return MinimumSlider;
        case PM_DefaultFrameWidth:
            // Frames are the edit section's border.
            if (const std::optional<int> width = BorderWidth(Sections().Edit))
                return *width;
            break;
        case PM_MenuPanelWidth:
            // A menu wears MAINMENU's border all round, so it stands out from the window it
            // opens over, and its items lie inside it.
            if (const std::optional<int> width = BorderWidth(Sections().MainMenu))
                return *width;
            break;
        case PM_MenuHMargin:
        case PM_MenuVMargin:
            // Room between the border and the items: a lit item does not run into the border.
            if (Skin()->Section(Sections().MainMenu) != nullptr)
                return MenuMargin;
            break;
        case PM_IndicatorWidth:
        case PM_IndicatorHeight:
        case PM_ExclusiveIndicatorWidth:
        case PM_ExclusiveIndicatorHeight: {
            const bool radio = metric == PM_ExclusiveIndicatorWidth || metric == PM_ExclusiveIndicatorHeight;
            const TsMaskData* glyph = Skin()->Mask(Manager()->Cache().CheckGlyph(
                radio ? TsCheckGlyph::RadioUnchecked : TsCheckGlyph::BoxUnchecked));
            if (glyph != nullptr && !glyph->Picture.isNull())
                return metric == PM_IndicatorWidth || metric == PM_ExclusiveIndicatorWidth
                           ? glyph->ColumnWidth()
                           : glyph->Picture.height();
            break;
        }
        default:
            break;
        }
    }
    return QProxyStyle::pixelMetric(metric, option, widget);
}

int TsSkinStyle::styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                           QStyleHintReturn* returnData) const {
    // Skinned scroll bars are always there, and dialog buttons carry words, not pictures.
    if (Skin() != nullptr && (hint == SH_ScrollBar_Transient || hint == SH_DialogButtonBox_ButtonsHaveIcons))
        return 0;
    return QProxyStyle::styleHint(hint, option, widget, returnData);
}

QPalette TsSkinStyle::SkinPalette(const SkinTables& skin, const TsStyleSections& s, const QPalette& base) {
    QPalette palette = base;
    const auto set = [&palette](QPalette::ColorRole role, const QColor& normal, const QColor& disabled) {
        palette.setColor(QPalette::Active, role, normal);
        palette.setColor(QPalette::Inactive, role, normal);
        palette.setColor(QPalette::Disabled, role, disabled);
    };
    const auto pair = [&](int section, QPalette::ColorRole back, QPalette::ColorRole text) {
        const TsGeneralData* data = skin.Section(section);
        if (data == nullptr)
            return;
        set(back, SectionColor(*data, TsState::Normal), SectionColor(*data, TsState::Normal));
        set(text, SectionTextColor(*data, TsState::Normal), SectionTextColor(*data, TsState::Disabled));
    };
    pair(s.Dialog >= 0 ? s.Dialog : s.Form, QPalette::Window, QPalette::WindowText);
    pair(s.Edit, QPalette::Base, QPalette::Text);
    pair(s.Button, QPalette::Button, QPalette::ButtonText);
    if (skin.Section(s.Button) != nullptr) {
        const QColor face = ShownSectionColor(skin, s.Button);
        set(QPalette::Button, face, face);
    }
    pair(s.Selection, QPalette::Highlight, QPalette::HighlightedText);
    pair(s.Hint, QPalette::ToolTipBase, QPalette::ToolTipText);
    const QColor field = palette.color(QPalette::Base);
    const QColor text = palette.color(QPalette::Text);
    palette.setColor(QPalette::AlternateBase,
                     field.lightness() > 128 ? field.darker(104) : field.lighter(115));
    const auto skinColor = [](const QColor& c) {
        return c.red() | c.green() << 8 | c.blue() << 16;
    };
    palette.setColor(QPalette::PlaceholderText, DisabledTextColor(skinColor(text), skinColor(field)));
    const QColor window = palette.color(QPalette::Window);
    palette.setColor(QPalette::Light, window.lighter(150));
    palette.setColor(QPalette::Midlight, window.lighter(125));
    palette.setColor(QPalette::Mid, window.darker(130));
    palette.setColor(QPalette::Dark, window.darker(160));
    palette.setColor(QPalette::Shadow, window.darker(250));
    return palette;
}

QPalette TsSkinStyle::standardPalette() const {
    const QPalette base = QProxyStyle::standardPalette();
    const SkinTables* skin = Skin();
    return skin ? SkinPalette(*skin, Sections(), base) : base;
}

void TsSkinStyle::polish(QWidget* widget) {
    QProxyStyle::polish(widget);
    if (qobject_cast<QAbstractButton*>(widget) || qobject_cast<QScrollBar*>(widget) ||
        qobject_cast<QComboBox*>(widget) || qobject_cast<QAbstractItemView*>(widget))
        widget->setAttribute(Qt::WA_Hover);
    if (auto* view = qobject_cast<QAbstractItemView*>(widget))
        view->viewport()->setAttribute(Qt::WA_Hover);
}

void TsSkinStyle::SkinChanged() {
    // Every widget hears of a new application palette; the same skin again needs none.
    const QPalette palette = standardPalette();
    if (palette != QApplication::palette())
        QApplication::setPalette(palette);
}

void InstallSkinStyle() {
    static QPointer<TsSkinStyle> style;
    if (style && QApplication::style() == style.data())
        return;
    style = new TsSkinStyle;
    QApplication::setStyle(style);
}
