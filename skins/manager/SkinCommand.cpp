#include "SkinCommand.h"

#include <QCoreApplication>

TsSkinCommandEvent::TsSkinCommandEvent(TsSkinCommand command, TsSkinManager* manager)
    : QEvent(static_cast<QEvent::Type>(SkinCommandEventType)),
      wParam_(static_cast<std::uint32_t>(command) << 16), manager_(manager) {}

int SendSkinCommand(QObject* receiver, TsSkinCommand command, TsSkinManager* manager) {
    TsSkinCommandEvent event(command, manager);
    QCoreApplication::sendEvent(receiver, &event);
    return event.Result;
}

TsSkinCommandEvent* AsSkinCommand(QEvent* event) {
    return event->type() == SkinCommandEventType ? static_cast<TsSkinCommandEvent*>(event) : nullptr;
}
