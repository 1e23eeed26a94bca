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

    // The state it is drawn in now.
    TsState State() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    QPixmap Picture(TsState state);
    void StateMayHaveChanged();
    void Invalidate();

    std::array<QPixmap, 5> pictures_; // by state, for the current size, text and skin
    QString picturesText_;
    TsState shown_ = TsState::Normal;
    bool painted_ = false; // a state has been on the screen, so a change can fade from it
    HoverFade* fade_;
};
