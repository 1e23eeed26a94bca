#include "StepButtons.h"

#include "TsButton.h"

void TStepButtons::Add(TsButton* button) {
    steps_.push_back({button, button->isEnabled()});
}

void TStepButtons::Hold() {
    if (held_)
        return;
    for (TStep& step : steps_) {
        if (!step.Button)
            continue;
        step.Enabled = step.Button->isEnabled();
        step.Button->setEnabled(false);
    }
    held_ = true;
    focusOnRelease_ = nullptr;
}

void TStepButtons::Release() {
    if (!held_)
        return;
    held_ = false;
    for (const TStep& step : steps_) {
        if (step.Button)
            step.Button->setEnabled(step.Enabled);
    }
    if (TsButton* button = focusOnRelease_.data()) {
        focusOnRelease_ = nullptr;
        FocusAndRepaint(button);
    }
}

void TStepButtons::SetEnabled(TsButton* button, bool enabled) {
    TStep* step = Find(button);
    if (step)
        step->Enabled = enabled;
    if (!held_ || !step)
        button->setEnabled(enabled);
}

bool TStepButtons::IsEnabled(const TsButton* button) const {
    const TStep* step = Find(button);
    return held_ && step ? step->Enabled : button->isEnabled();
}

void TStepButtons::FocusAndRepaint(TsButton* button) {
    if (held_ && Find(button)) {
        focusOnRelease_ = button;
        return;
    }
    button->setFocus();
    button->repaint();
}

TStepButtons::TStep* TStepButtons::Find(const TsButton* button) {
    for (TStep& step : steps_) {
        if (step.Button == button)
            return &step;
    }
    return nullptr;
}

const TStepButtons::TStep* TStepButtons::Find(const TsButton* button) const {
    return const_cast<TStepButtons*>(this)->Find(button);
}
