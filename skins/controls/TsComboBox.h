#pragma once
// Drop-down list of the skinned window: the user can only pick an item, the text is centred.

#include <QComboBox>

class TsComboBox : public QComboBox {
    Q_OBJECT
public:
    explicit TsComboBox(QWidget* parent = nullptr);

    // Index of the selected item, -1 when none.
    int ItemIndex() const { return currentIndex(); }
    // Selects an item from the program; -1 or an index out of range selects none. Unlike a
    // pick by the user, this raises no change event.
    void SetItemIndex(int index);

    QString SkinSection() const { return skinSection_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QString skinSection_ = QStringLiteral("COMBOBOX");
};
