#include "TsComboBox.h"

#include "SkinCacheIndexes.h"
#include "SkinCommand.h"
#include "SkinPaint.h"
#include "TsSkinManager.h"

#include <QAbstractItemView>
#include <QPainter>
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

TsState TsComboBox::State() const {
    if (!isEnabled())
        return TsState::Disabled;
    if (view() && view()->isVisible())
        return TsState::Pressed;
    if (underMouse())
        return TsState::Hot;
    if (hasFocus())
        return TsState::Focused;
    return TsState::Normal;
}

// The button and its arrow, from the tables the combo box is bound to: the manager may have
// others by now (a load under way, or no manager at all any more).
TsSectionIndexes TsComboBox::ButtonIndexes() const {
    return SkinData.Skin() ? SectionIndexes(*SkinData.Skin(), "COMBOBTN") : TsSectionIndexes{};
}

const TsMaskData* TsComboBox::ArrowGlyph() const {
    return SkinData.Skin() ? SkinData.Skin()->Mask(SectionIndexes(*SkinData.Skin(), "COMBOBOX").GlyphMask)
                           : nullptr;
}

QRect TsComboBox::ButtonRect() const {
    int width = MinButtonWidth;
    if (const TsMaskData* glyph = ArrowGlyph())
        width = std::max(width, glyph->ColumnWidth() + 8);
    return QRect(rect().right() + 1 - width, 0, width, height());
}

bool TsComboBox::event(QEvent* event) {
    if (TsSkinCommandEvent* command = AsSkinCommand(event)) {
        const auto repaint = [this] {
            update();
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

void TsComboBox::PaintSkinned() {
    const SkinTables& skin = *SkinData.Skin();
    const TsState state = State();
    QPainter painter(this);
    DrawSectionBackground(painter, skin, SectionPaint{SkinData.SkinIndex, rect(), state});
    const QRect button = ButtonRect();
    // The button sits inside the field's border.
    const QRect inner = button.adjusted(0, 1, -1, -1);
    DrawSectionBackground(painter, skin, SectionPaint{ButtonIndexes().Section, inner, state});
    if (const TsMaskData* glyph = ArrowGlyph())
        DrawGlyph(painter, *glyph, inner, state);
    painter.setFont(font());
    const QRect textRect = rect().adjusted(4, 0, -button.width() - 2, 0);
    const QString shown = painter.fontMetrics().elidedText(currentText(), Qt::ElideRight, textRect.width());
    // The text takes the colour of the state its background is drawn in.
    DrawCaption(painter, *SkinData.Section(), CaptionPaint{shown, textRect, Qt::AlignCenter, state});
}
