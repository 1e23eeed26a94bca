#include "TsEditAdapter.h"

#include "AttachedObject.h"
#include "ReadableColors.h"
#include "SkinColor.h"
#include "SkinCommand.h"
#include "SkinPaint.h"
#include "TsSkinManager.h"

#include <QTextEdit>

TsEditAdapter::TsEditAdapter(QWidget* control, TsSkinManager* manager)
    : SkinData(control, QStringLiteral("EDIT")), control_(control) {
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
        control_->setAttribute(Qt::WA_Hover);
        applied_ = true;
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
    SetWrittenColorBackground(control_, QColor(), QColor());
    if (auto* edit = qobject_cast<QTextEdit*>(control_))
        ShowWrittenColors(*edit->document(), QColor(), QColor());
    control_->update();
}

bool TsEditAdapter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != control_)
        return false;
    if (TsSkinCommandEvent* command = AsSkinCommand(event)) {
        AnswerSkinCommand(*command, SkinData,
                          ApplyOrRestoreActions(SkinData, [this] { Apply(); }, [this] { Restore(); }));
        return true;
    }
    // The frame shows focus and the mouse: repaint it when either comes or goes.
    if (applied_ && (event->type() == QEvent::FocusIn || event->type() == QEvent::FocusOut ||
                     event->type() == QEvent::HoverEnter || event->type() == QEvent::HoverLeave))
        control_->update();
    return false;
}
