#include "TsEditAdapter.h"

#include "AttachedObject.h"
#include "ReadableColors.h"
#include "SkinColor.h"
#include "SkinCommand.h"
#include "SkinPaint.h"
#include "TsSkinManager.h"

#include <QAbstractScrollArea>
#include <QPainter>
#include <QTextEdit>

namespace {

// Edit borders are thin whatever the skin's mask says.
constexpr int MaxEditBorder = 4;

TsState EditState(const QWidget* control) {
    if (!control->isEnabled())
        return TsState::Disabled;
    if (control->hasFocus())
        return TsState::Pressed; // the focused column
    if (control->underMouse())
        return TsState::Hot;
    return TsState::Normal;
}

} // namespace

TsEditAdapter::TsEditAdapter(QWidget* control, TsSkinManager* manager)
    : SkinData(control, QStringLiteral("EDIT")), control_(control),
      area_(qobject_cast<QAbstractScrollArea*>(control)) {
    DeleteWith(control, this, control_);
    SkinData.SetSkinManager(manager);
    control_->installEventFilter(this);
    SkinData.UpdateIndexes();
    if (SkinData.Skinned())
        Apply();
}

TsEditAdapter::~TsEditAdapter() {
    if (control_ == nullptr)
        return; // going with its control: nothing to give back
    control_->removeEventFilter(this);
    Restore();
}

void TsEditAdapter::Apply() {
    const TsGeneralData* section = SkinData.Section();
    if (section == nullptr)
        return;
    if (!applied_) {
        savedPalette_ = control_->palette();
        savedMargins_ = control_->contentsMargins();
        if (area_)
            savedFrameShape_ = area_->frameShape();
        control_->setAttribute(Qt::WA_Hover);
        applied_ = true;
    }
    if (area_) {
        area_->setFrameShape(QFrame::NoFrame);
        const TsMaskData* border = SkinData.Skin()->Mask(SkinData.BorderIndex);
        const auto width = [](int w) {
            return std::clamp(w, 0, MaxEditBorder);
        };
        const QMargins margins =
            border ? QMargins(width(border->WL), width(border->WT), width(border->WR), width(border->WB))
                   : QMargins(1, 1, 1, 1);
        control_->setContentsMargins(margins);
    }
    QPalette palette = savedPalette_;
    const QColor base = SectionColor(*section, TsState::Normal);
    const QColor text = SkinColor(section->FontColor.Color);
    for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
        if (!SkinData.CustomColor)
            palette.setColor(group, QPalette::Base, base);
        if (!SkinData.CustomFont)
            palette.setColor(group, QPalette::Text, text);
    }
    control_->setPalette(palette);
    SetWrittenColorBackground(control_, palette.color(QPalette::Base), palette.color(QPalette::Text));
    if (auto* edit = qobject_cast<QTextEdit*>(control_))
        ShowWrittenColors(*edit->document(), palette.color(QPalette::Base), palette.color(QPalette::Text));
    control_->update();
}

void TsEditAdapter::Restore() {
    if (!applied_)
        return;
    applied_ = false;
    control_->setPalette(savedPalette_);
    control_->setContentsMargins(savedMargins_);
    if (area_)
        area_->setFrameShape(static_cast<QFrame::Shape>(savedFrameShape_));
    SetWrittenColorBackground(control_, QColor(), QColor());
    if (auto* edit = qobject_cast<QTextEdit*>(control_))
        ShowWrittenColors(*edit->document(), QColor(), QColor());
    control_->update();
}

bool TsEditAdapter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != control_)
        return false;
    if (TsSkinCommandEvent* command = AsSkinCommand(event)) {
        HandleCommand(*command);
        return true;
    }
    if (!applied_ || !SkinData.Skinned())
        return false;
    switch (event->type()) {
    case QEvent::Paint:
        Paint();
        return area_ != nullptr; // a line edit still draws its text itself
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::EnabledChange:
        control_->update();
        return false;
    default:
        return false;
    }
}

void TsEditAdapter::HandleCommand(TsSkinCommandEvent& command) {
    command.Result = 1;
    if (!SkinData.Accepts(command))
        return;
    switch (command.Command()) {
    case TsSkinCommand::NewSkin:
        SkinData.UpdateIndexes();
        if (!SkinData.Skinned())
            Restore();
        break;
    case TsSkinCommand::RemoveSkin:
        SkinData.ClearIndexes();
        Restore();
        break;
    case TsSkinCommand::Refresh:
        SkinData.BGChanged = true;
        if (SkinData.Skinned())
            Apply();
        break;
    default:
        break;
    }
}

void TsEditAdapter::Paint() {
    QPainter painter(control_);
    const QRect rect = control_->rect();
    painter.fillRect(rect, control_->palette().color(QPalette::Base));
    if (const TsMaskData* border = SkinData.Skin()->Mask(SkinData.BorderIndex))
        DrawMask(painter, *border, rect, EditState(control_));
}
