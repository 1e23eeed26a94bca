#pragma once
// The skin command message: one custom event type carrying a command in the high 16 bits of its
// wParam and the manager that sends it. Delivered synchronously (QCoreApplication::sendEvent), so
// a skin change is complete when the broadcast returns.

#include <QEvent>
#include <cstdint>

class QObject;
class TsSkinManager;

inline constexpr int SkinCommandEventType = 0xA100; // inside Qt's user event range

enum class TsSkinCommand : std::uint16_t {
    NewSkin = 1,    // look the section and mask indexes up again
    RemoveSkin = 2, // forget them and draw as a standard control
    Refresh = 3,    // redraw with the current skin
    QuerySkinned = 7,
    StopFading = 16,
};

class TsSkinCommandEvent : public QEvent {
public:
    TsSkinCommandEvent(TsSkinCommand command, TsSkinManager* manager);

    std::uint32_t WParam() const { return wParam_; }
    TsSkinCommand Command() const { return static_cast<TsSkinCommand>(wParam_ >> 16); }
    TsSkinManager* Manager() const { return manager_; }

    // What the receiver answers (1 to "query skinned").
    int Result = 0;

private:
    std::uint32_t wParam_;
    TsSkinManager* manager_;
};

// Sends a command and returns the receiver's answer.
int SendSkinCommand(QObject* receiver, TsSkinCommand command, TsSkinManager* manager);

// The command event in `event`, or null when it is another event.
TsSkinCommandEvent* AsSkinCommand(QEvent* event);
