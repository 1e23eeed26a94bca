#pragma once
// Push button of the skinned window, drawn from its skin section (normal, hot, pressed,
// disabled, focused), with a short fade between states where the section asks for one. Without
// a skin, or when its section is missing, it is a standard push button. Enter clicks it as Space
// does.

#include "SkinState.h"
#include "TsCommonData.h"

#include <QPixmap>
#include <QPushButton>
#include <array>

class HoverFade;

// What a button shows: its state, and the focus rim laid over a hot or pressed face, so that a
// focused button under the mouse or held down still shows its focus.
struct TsButtonLook {
    TsState State = TsState::Normal;
    bool FocusRim = false;
    bool operator==(const TsButtonLook&) const = default;
};

class TsButton : public QPushButton {
    Q_OBJECT
public:
    explicit TsButton(QWidget* parent = nullptr);

    TsCommonData SkinData; // "BUTTON" unless a section is set

    QString SkinSection() const { return SkinData.EffectiveSection(); }
    // The pictures drawn for the old section go with it.
    void SetSkinSection(const QString& section) {
        SkinData.SetSkinSection(section);
        Invalidate();
    }

    // The state it is drawn in now: held down only while the pointer is over it, hot only
    // while the pointer is over it, as Qt's own button tracks isDown().
    TsState State() const;
    TsButtonLook Look() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPixmap Picture(TsButtonLook look);
    void StateMayHaveChanged();
    void Invalidate();

    void TrackPointer(QEvent* event);

    std::array<QPixmap, 7> pictures_; // by state, then the hot and the pressed face with the
                                      // focus rim, for the current size, text and skin
    QString picturesText_;
    TsButtonLook shown_;
    bool pointerInside_ = false; // the pointer's last known place, also while a button is held
    bool painted_ = false; // a state has been on the screen, so a change can fade from it
    HoverFade* fade_;
};
