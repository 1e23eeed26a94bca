#pragma once
// Drop-down list of the skinned window: the user can only pick an item, the text is centred.
// Under a skin the field is drawn from its section (COMBOBOX), the button from COMBOBTN with the
// section's arrow glyph; the list takes the skin through the application's style.

#include "SkinState.h"
#include "TsCommonData.h"

#include <QComboBox>

class TsComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TsComboBox(QWidget* parent = nullptr);

    TsCommonData SkinData; // "COMBOBOX" unless a section is set

    // Index of the selected item, -1 when none.
    int ItemIndex() const { return currentIndex(); }
    // Selects an item from the program; -1 or an index out of range selects none. Unlike a
    // pick by the user, this raises no change event.
    void SetItemIndex(int index);

    QString SkinSection() const { return SkinData.EffectiveSection(); }
    void SetSkinSection(const QString& section) { SkinData.SetSkinSection(section); }

    TsState State() const;
    // Whether the list is open.
    bool PopupOpen() const;
    void showPopup() override;
    void hidePopup() override;
    // The drop-down button's place.
    QRect ButtonRect() const;

protected:
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    void PaintSkinned();
    const TsMaskData* ArrowGlyph() const;
    QRect ButtonRectFor(const TsMaskData* glyph) const;
    void ForgetPointerIfGone();

    bool popupMade_ = false;
};
