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

QRect TsComboBox::ButtonRect() const {
    int width = MinButtonWidth;
    if (const TsSkinManager* manager = SkinData.SkinManager(); manager && SkinData.Skin())
        if (const TsMaskData* glyph = SkinData.Skin()->Mask(manager->Cache().ComboGlyph))
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
    const TsCacheIndexes& cache = SkinData.SkinManager()->Cache();
    const TsState state = State();
    QPainter painter(this);
    DrawSectionBackground(painter, skin, SectionPaint{SkinData.SkinIndex, rect(), state});
    const QRect button = ButtonRect();
    // The button sits inside the field's border.
    const QRect inner = button.adjusted(0, 1, -1, -1);
    DrawSectionBackground(painter, skin, SectionPaint{cache.ComboBtn.Section, inner, state});
    if (const TsMaskData* glyph = skin.Mask(cache.ComboGlyph))
        DrawGlyph(painter, *glyph, inner, state);
    painter.setFont(font());
    const QRect textRect = rect().adjusted(4, 0, -button.width() - 2, 0);
    const QString shown = painter.fontMetrics().elidedText(currentText(), Qt::ElideRight, textRect.width());
    const TsState textState = state == TsState::Disabled ? TsState::Disabled : TsState::Normal;
    DrawCaption(painter, *SkinData.Section(), CaptionPaint{shown, textRect, Qt::AlignCenter, textState});
}
