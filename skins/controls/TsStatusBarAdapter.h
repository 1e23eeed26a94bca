#pragma once
// Skins a standard status bar: its background from the STATUSBAR section and its panels' text in
// the section's font colour. Put back when the skin is removed or the adapter goes.

#include "TsCommonData.h"

#include <QObject>
#include <QPalette>
#include <QPointer>

class TsSkinCommandEvent;

class TsStatusBarAdapter : public QObject {
    Q_OBJECT
public:
    TsStatusBarAdapter(QWidget* bar, TsSkinManager* manager);
    ~TsStatusBarAdapter() override;

    TsCommonData SkinData;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply();
    void Restore();

    QPointer<QWidget> bar_; // null once the bar is gone
    bool applied_ = false;
    QPalette savedPalette_;
};
