#pragma once
// Skins a standard edit-like control (a text box or any scroll area): its border from the EDIT
// section in the state it is in, its background and text colours from the section, and coloured
// text kept readable on that background. Everything it changes is put back when the skin is
// removed or the adapter goes.

#include "TsCommonData.h"

#include <QFrame>
#include <QMargins>
#include <QObject>
#include <QPalette>
#include <QPointer>

class QAbstractScrollArea;
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
    void HandleCommand(TsSkinCommandEvent& command);
    void Apply();
    void Restore();
    void Paint();

    QPointer<QWidget> control_; // null once the control is gone
    QAbstractScrollArea* area_; // null for an edit that does not scroll
    bool applied_ = false;
    QPalette savedPalette_;
    QMargins savedMargins_;
    int savedFrameShape_ = QFrame::NoFrame;
};
