#include "TsButton.h"

#include "HoverFade.h"
#include "SkinCommand.h"
#include "SkinPaint.h"
#include "TsSkinManager.h"

#include <QHoverEvent>
#include <QKeyEvent>
#include <QMouseEvent>
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
    // While the mouse button is held the pointer is grabbed and the button counts as under the
    // mouse wherever the pointer is; only the pointer's own place tells.
    if (underMouse() && pointerInside_)
        return TsState::Hot;
    if (hasFocus())
        return TsState::Focused;
    return TsState::Normal;
}

TsButtonLook TsButton::Look() const {
    const TsState state = State();
    return {state, (state == TsState::Hot || state == TsState::Pressed) && hasFocus()};
}

void TsButton::TrackPointer(QEvent* event) {
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
        pointerInside_ = rect().contains(static_cast<QHoverEvent*>(event)->position().toPoint());
        break;
    case QEvent::HoverLeave:
        pointerInside_ = false;
        break;
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseMove:
        pointerInside_ = rect().contains(static_cast<QMouseEvent*>(event)->position().toPoint());
        break;
    default:
        break;
    }
}

void TsButton::Invalidate() {
    pictures_ = {};
    SkinData.BGChanged = true;
    fade_->Stop();
    update();
}

QPixmap TsButton::Picture(TsButtonLook look) {
    if (text() != picturesText_) {
        pictures_ = {};
        picturesText_ = text();
    }
    const TsState state = look.State;
    const std::size_t slot = !look.FocusRim              ? static_cast<std::size_t>(state)
                             : state == TsState::Pressed ? pictures_.size() - 1
                                                         : pictures_.size() - 2;
    QPixmap& picture = pictures_[slot];
    const qreal ratio = devicePixelRatioF();
    if (!picture.isNull() && picture.size() == size() * ratio)
        return picture;
    picture = QPixmap(size() * ratio);
    picture.setDevicePixelRatio(ratio);
    picture.fill(Qt::transparent);
    const SkinTables& skin = *SkinData.Skin();
    QPainter painter(&picture);
    DrawSectionBackground(painter, skin, SectionPaint{SkinData.SkinIndex, rect(), state});
    if (look.FocusRim)
        DrawFocusRim(painter, skin, SkinData.SkinIndex, rect());
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
    const TsButtonLook now = Look();
    if (now == shown_)
        return;
    const TsGeneralData* section = SkinData.Section();
    // Nothing fades in from a state that was never painted (a button focused as its window opens).
    const bool fading = painted_ && section->FadingEnabled && !TsSkinManager::SkinChanging() && isVisible() &&
                        now.State != TsState::Disabled && shown_.State != TsState::Disabled;
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
    TrackPointer(event);
    const bool handled = QPushButton::event(event);
    switch (event->type()) {
    case QEvent::HoverEnter:
    case QEvent::HoverMove:
    case QEvent::HoverLeave:
    case QEvent::MouseMove:
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
    shown_ = Look();
    painted_ = true;
    QPainter painter(this);
    painter.drawPixmap(0, 0, fade_->Running() ? fade_->Current() : Picture(shown_));
}
