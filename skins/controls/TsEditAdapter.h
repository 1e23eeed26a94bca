#pragma once
// Skins a standard edit-like control (a text box or any scroll area): its background and text
// colours from the EDIT section, and coloured text kept readable on that background. Its border
// is the frame the application style draws from EDIT. Everything it changes is put back when the
// skin is removed or the adapter goes.

#include "TsCommonData.h"

#include <QObject>
#include <QPalette>
#include <QPointer>
#include <QWidget>

class TsSkinCommandEvent;

class TsEditAdapter : public QObject {
    Q_OBJECT
public:
    TsEditAdapter(QWidget* control, TsSkinManager* manager);
    ~TsEditAdapter() override;

    TsCommonData SkinData;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void Apply();
    void Restore();

    QPointer<QWidget> control_; // null once the control is gone
    bool applied_ = false;
    QPalette savedPalette_;
};
