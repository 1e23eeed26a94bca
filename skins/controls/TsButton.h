#pragma once
// Push button of the skinned window. It carries the skin section it is drawn with; until a
// skin paints it, it looks like a standard push button. Enter on the focused button clicks it.

#include <QPushButton>

class TsButton : public QPushButton {
    Q_OBJECT
public:
    explicit TsButton(QWidget* parent = nullptr);

    QString SkinSection() const { return skinSection_; }
    void SetSkinSection(const QString& section) { skinSection_ = section; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    QString skinSection_ = QStringLiteral("SPEEDBUTTON");
};
