#include "TsStatusBarAdapter.h"

#include "AttachedObject.h"
#include "SkinCommand.h"
#include "SkinPaint.h"

#include <QPainter>
#include <QWidget>

TsStatusBarAdapter::TsStatusBarAdapter(QWidget* bar, TsSkinManager* manager)
    : SkinData(bar, QStringLiteral("STATUSBAR")), bar_(bar) {
    DeleteWith(bar, this, bar_);
    SkinData.SetSkinManager(manager);
    bar_->installEventFilter(this);
    SkinData.UpdateIndexes();
    if (SkinData.Skinned())
        Apply();
}

TsStatusBarAdapter::~TsStatusBarAdapter() {
    if (bar_ == nullptr)
        return;
    bar_->removeEventFilter(this);
    Restore();
}

void TsStatusBarAdapter::Apply() {
    const TsGeneralData* section = SkinData.Section();
    if (section == nullptr)
        return;
    if (!applied_) {
        savedPalette_ = bar_->palette();
        applied_ = true;
    }
    QPalette palette = savedPalette_;
    palette.setColor(QPalette::Window, SectionColor(*section, TsState::Normal));
    palette.setColor(QPalette::WindowText, SectionTextColor(*section, TsState::Normal));
    palette.setColor(QPalette::Disabled, QPalette::WindowText, SectionTextColor(*section, TsState::Disabled));
    bar_->setPalette(palette);
    bar_->update();
}

void TsStatusBarAdapter::Restore() {
    if (!applied_)
        return;
    applied_ = false;
    bar_->setPalette(savedPalette_);
    bar_->update();
}

bool TsStatusBarAdapter::eventFilter(QObject* watched, QEvent* event) {
    if (watched != bar_)
        return false;
    if (TsSkinCommandEvent* command = AsSkinCommand(event)) {
        AnswerSkinCommand(*command, SkinData,
                          ApplyOrRestoreActions(SkinData, [this] { Apply(); }, [this] { Restore(); }));
        return true;
    }
    if (event->type() == QEvent::Paint && applied_ && SkinData.Skinned()) {
        // The bar's own painting (panels, size grip) follows on top of the background.
        QPainter painter(bar_);
        DrawSectionBackground(painter, *SkinData.Skin(),
                              SectionPaint{SkinData.SkinIndex, bar_->rect(), TsState::Normal});
    }
    return false;
}
