#pragma once
// One press of Enter clicks one button. While Enter is held, the keyboard repeats it; a repeat
// must not click the button that took the focus after the first click (the next step), nor the
// default button of a dialog that click opened, or one held key would run step after step.
// An application-wide filter drops every press of Enter that comes while the key is down: a
// press Qt marks as a repeat, a press with no release since the last one that comes within the
// keyboard's repeat delay of it (the X server's detectable repeat sends no releases), and a
// press stamped with the very time of the release before it (a repeat sent as a release and a
// press that Qt did not pair). When the focus moves to another window, a missing release says
// nothing any more.
// Space, which clicks a button on its release, is judged the same way while a button has the
// focus: the first unpaired repeat's release clicks the button the key went down on, and its
// twin press must not put the next step down for the one after to click it. (In a text box a
// held Space goes on typing blanks.)

#include <QObject>
#include <optional>

class TKeyRepeatGuard : public QObject {
    Q_OBJECT
public:
    // Filters the application's events for as long as it lives.
    explicit TKeyRepeatGuard(QObject* parent = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Longer than any keyboard's delay before it repeats a held key, shorter than a second press.
    static constexpr quint64 RepeatWindow = 1200; // ms
    struct TKeyState {
        bool Held = false;
        quint64 PressedAt = 0;
        std::optional<quint64> ReleasedAt; // the time of the key's last release
    };
    TKeyState enter_, space_;
    // A key event goes to the focus widget and then to its parents, through this filter each
    // time: the verdict on one event is kept for all of them. (An event is known by its place,
    // type and time together: the next event may well be made in the same place.)
    const QEvent* judged_ = nullptr;
    int judgedType_ = 0;
    quint64 judgedTime_ = 0;
    bool dropped_ = false;
};
