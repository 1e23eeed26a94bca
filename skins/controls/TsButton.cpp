#include "TsButton.h"

#include "HoverFade.h"
#include "SkinCommand.h"
#include "SkinPaint.h"
#include "TsSkinManager.h"

#include <QKeyEvent>
#include <QPainter>

TsButton::TsButton(QWidget* parent)
    : QPushButton(parent), SkinData(this, QStringLiteral("BUTTON")), fade_(new HoverFade(this)) {
    setAutoDefault(false);
    setAttribute(Qt::WA_Hover);
    SkinData.UpdateIndexes();
}

TsState TsButton::State() const {
    if (!isEnabled())
        return TsState::Disabled;
    if (isDown() || isChecked())
        return TsState::Pressed;
    if (underMouse())
        return TsState::Hot;
    if (hasFocus())
        return TsState::Focused;
    return TsState::Normal;
}

void TsButton::Invalidate() {
    pictures_ = {};
    SkinData.BGChanged = true;
    fade_->Stop();
    update();
}

QPixmap TsButton::Picture(TsState state) {
    if (text() != picturesText_) {
        pictures_ = {};
        picturesText_ = text();
    }
    QPixmap& picture = pictures_[static_cast<std::size_t>(state)];
    const qreal ratio = devicePixelRatioF();
    if (!picture.isNull() && picture.size() == size() * ratio)
        return picture;
    picture = QPixmap(size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    const SkinTables& skin = *SkinData.Skin();
    QPainter painter(&picture);
    DrawSectionBackground(painter, skin, SectionPaint{SkinData.SkinIndex, rect(), state});
    painter.setFont(font());
    const int shift = state == TsState::Pressed ? 1 : 0;
    DrawCaption(
        painter, *SkinData.Section(),
        CaptionPaint{text(), rect().translated(shift, shift), Qt::AlignCenter | Qt::TextShowMnemonic, state});
    return picture;
}

void TsButton::StateMayHaveChanged() {
    if (!SkinData.Skinned())
        return;
    const TsState now = State();
    if (now == shown_)
        return;
    const TsGeneralData* section = SkinData.Section();
    // Nothing fades in from a state that was never painted (a button focused as its window opens).
    const bool fading = painted_ && section->FadingEnabled && !TsSkinManager::SkinChanging() && isVisible() &&
                        now != TsState::Disabled && shown_ != TsState::Disabled;
    if (fading)
        fade_->Start(Picture(shown_), Picture(now), std::clamp(section->FadingIterations, 1, 20));
    else
        fade_->Stop();
    shown_ = now;
    update();
}

bool TsButton::event(QEvent* event) {
    if (TsSkinCommandEvent* command = AsSkinCommand(event)) {
        const auto invalidate = [this] {
            Invalidate();
        };
        AnswerSkinCommand(*command, SkinData, {invalidate, invalidate, invalidate, [this] {
                                                   fade_->Stop();
                                               }});
        return true;
    }
    const bool handled = QPushButton::event(event);
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverLeave:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::FocusIn:
    case QEvent::FocusOut:
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
        StateMayHaveChanged();
        break;
    default:
        break;
    }
    return handled;
}

void TsButton::changeEvent(QEvent* event) {
    QPushButton::changeEvent(event);
    if (event->type() == QEvent::EnabledChange) {
        fade_->Stop();
        StateMayHaveChanged();
    } else if (event->type() == QEvent::FontChange) {
        Invalidate();
    }
}

void TsButton::resizeEvent(QResizeEvent* event) {
    QPushButton::resizeEvent(event);
    pictures_ = {};
}

void TsButton::keyPressEvent(QKeyEvent* event) {
    // Enter clicks the focused button, as Space does: what a keyboard user tries first. A key
    // held down clicks once, so a step is never started again and again.
    const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
    if (enter && (event->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier) {
        if (!event->isAutoRepeat())
            click();
        event->accept();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void TsButton::paintEvent(QPaintEvent* event) {
    if (!SkinData.Skinned() || SkinData.Section() == nullptr) {
        QPushButton::paintEvent(event);
        return;
    }
    shown_ = State();
    painted_ = true;
    QPainter painter(this);
    painter.drawPixmap(0, 0, fade_->Running() ? fade_->Current() : Picture(shown_));
}
