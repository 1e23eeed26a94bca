#include "TsComboBox.h"

#include "ReadableColors.h"
#include "SkinCacheIndexes.h"
#include "SkinCommand.h"
#include "SkinPaint.h"
#include "TsSkinManager.h"

#include <QAbstractItemView>
#include <QCursor>
#include <QPainter>
#include <QTimer>
#include <QStyleOptionComboBox>
#include <QStylePainter>

namespace {

constexpr int MinButtonWidth = 17;

} // namespace

TsComboBox::TsComboBox(QWidget* parent) : QComboBox(parent), SkinData(this, QStringLiteral("COMBOBOX")) {
    setEditable(false);
    setAttribute(Qt::WA_Hover);
    SkinData.UpdateIndexes();
}

void TsComboBox::SetItemIndex(int index) {
    if (index < 0 || index >= count())
        index = -1;
    if (index != currentIndex())
        setCurrentIndex(index);
}

// The list is made the first time it opens. Asking the combo box for it before then would make
// it, a list view with its frame and scrollers, in the middle of the first paint, only to learn
// that it is closed.
bool TsComboBox::PopupOpen() const {
    return popupMade_ && view()->isVisible();
}

void TsComboBox::showPopup() {
    popupMade_ = true;
    QComboBox::showPopup();
}

void TsComboBox::hidePopup() {
    QComboBox::hidePopup();
    ForgetPointerIfGone();
}

// While the list is open it has the pointer to itself, so the box hears nothing of the pointer
// leaving it and would stay hot until the pointer next crossed it; once the list is gone, where
// the pointer really is decides.
void TsComboBox::ForgetPointerIfGone() {
    if (underMouse() && !rect().contains(mapFromGlobal(QCursor::pos()))) {
        setAttribute(Qt::WA_UnderMouse, false);
        update();
    }
}

TsState TsComboBox::State() const {
    if (!isEnabled())
        return TsState::Disabled;
    if (PopupOpen())
        return TsState::Pressed;
    if (underMouse())
        return TsState::Hot;
    if (hasFocus())
        return TsState::Focused;
    return TsState::Normal;
}

// The arrow, from the tables the combo box is bound to (as is its button): the manager may
// have others by now (a load under way, or no manager at all any more).
const TsMaskData* TsComboBox::ArrowGlyph() const {
    return SkinData.Skin() ? SkinData.Skin()->Mask(SectionIndexes(*SkinData.Skin(), "COMBOBOX").GlyphMask)
                           : nullptr;
}

QRect TsComboBox::ButtonRect() const {
    return ButtonRectFor(ArrowGlyph());
}

QRect TsComboBox::ButtonRectFor(const TsMaskData* glyph) const {
    const int width = glyph ? std::max(MinButtonWidth, glyph->ColumnWidth() + 8) : MinButtonWidth;
    return QRect(rect().right() + 1 - width, 0, width, height());
}

bool TsComboBox::event(QEvent* event) {
    if (TsSkinCommandEvent* command = AsSkinCommand(event)) {
        const auto repaint = [this] {
            update();
            // A new skin can give the window another frame, which moves the box out from under
            // a pointer that has not moved: once the window is laid out anew, the box is hot
            // only if the pointer is still over it.
            QTimer::singleShot(0, this, [this] { ForgetPointerIfGone(); });
        };
        AnswerSkinCommand(*command, SkinData, {repaint, repaint, repaint, nullptr});
        return true;
    }
    return QComboBox::event(event);
}

void TsComboBox::paintEvent(QPaintEvent*) {
    if (SkinData.Skinned() && SkinData.Section() != nullptr) {
        PaintSkinned();
        return;
    }
    QStylePainter painter(this);
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.textAlignment = Qt::AlignCenter;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
}

namespace {

// A skin's selection has a quiet look (its first state) and, as its second, the look of a list
// with the focus: that one, unless the skin left it out and it stands no further from the
// field than the quiet one (a missing hot colour is white).
TsState FocusedSelectionLook(const TsGeneralData& selection, const QColor& field) {
    return ContrastRatio(SectionColor(selection, TsState::Hot), field) >
                   ContrastRatio(SectionColor(selection, TsState::Normal), field)
               ? TsState::Hot
               : TsState::Normal;
}

} // namespace

void TsComboBox::PaintSkinned() {
    const SkinTables& skin = *SkinData.Skin();
    const TsState state = State();
    QPainter painter(this);
    DrawSectionBackground(painter, skin, SectionPaint{SkinData.SkinIndex, rect(), state});
    const TsMaskData* glyph = ArrowGlyph();
    const QRect button = ButtonRectFor(glyph);
    // The button sits inside the field's border.
    const QRect inner = button.adjusted(0, 1, -1, -1);
    DrawSectionBackground(painter, skin, SectionPaint{skin.FindSection("COMBOBTN"), inner, state});
    if (glyph != nullptr)
        DrawGlyph(painter, *glyph, inner, state);
    painter.setFont(font());
    const QRect textRect = rect().adjusted(4, 0, -button.width() - 2, 0);
    const QString shown = painter.fontMetrics().elidedText(currentText(), Qt::ElideRight, textRect.width());
    // With the keyboard's focus the chosen item is marked as a list with the focus marks its
    // selection, so that the focus shows and the arrow keys are not seen to change the item out
    // of nowhere.
    const int selection = skin.FindSection("SELECTION");
    if (hasFocus() && state != TsState::Disabled && skin.Section(selection) != nullptr && !PopupOpen()) {
        const TsState look = FocusedSelectionLook(*skin.Section(selection), SectionColor(*SkinData.Section(), state));
        const QRect marked = rect().adjusted(3, 3, -button.width() - 2, -3);
        DrawSectionBackground(painter, skin, SectionPaint{selection, marked, look});
        DrawCaption(painter, *skin.Section(selection), CaptionPaint{shown, textRect, Qt::AlignCenter, look});
        return;
    }
    // The text takes the colour of the state its background is drawn in.
    DrawCaption(painter, *SkinData.Section(), CaptionPaint{shown, textRect, Qt::AlignCenter, state});
}
