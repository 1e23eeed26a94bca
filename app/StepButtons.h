#pragma once
// The step buttons (pick, backup, optimise, confirm) while a step waits for the engine: they
// look and are closed from the moment the job is asked for until the step has ended. What the
// step decides for them meanwhile, which ones are open next and which one takes the focus,
// takes effect when it ends, all at once: they never show the state from before the job for a
// moment between the job's end and the step's.

#include <QPointer>
#include <vector>

class TsButton;

class TStepButtons {
public:
    void Add(TsButton* button);

    // Closes every step, remembering what each one is meant to be.
    void Hold();
    // Shows what the steps are meant to be and gives the focus to the one chosen meanwhile.
    void Release();

    // What a step is meant to be: shown at once unless the steps are held.
    void SetEnabled(TsButton* button, bool enabled);
    bool IsEnabled(const TsButton* button) const;
    // Focuses the button and paints it now, or when the steps are released.
    void FocusAndRepaint(TsButton* button);

private:
    struct TStep {
        QPointer<TsButton> Button;
        bool Enabled = true;
    };
    TStep* Find(const TsButton* button);
    const TStep* Find(const TsButton* button) const;

    std::vector<TStep> steps_;
    bool held_ = false;
    QPointer<TsButton> focusOnRelease_;
};
