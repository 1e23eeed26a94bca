#include "SkinBroadcast.h"

#include "SkinHook.h"

#include <QApplication>
#include <QWidget>

namespace {

void SendToChildren(QWidget* parent, TsSkinCommand command, TsSkinManager* manager) {
    for (QObject* child : parent->children()) {
        // While a widget deletes its children (a manager owned by a window that is going), the
        // list holds null where a child is already gone.
        if (child == nullptr || !child->isWidgetType())
            continue;
        auto* control = static_cast<QWidget*>(child);
        if (control->isWindow())
            continue; // a window of its own is reached as a form
        if (SendSkinCommand(control, TsSkinCommand::QuerySkinned, manager) == 1)
            SendSkinCommand(control, command, manager);
        SendToChildren(control, command, manager);
    }
}

} // namespace

void SendToFormAndChildren(QWidget* form, TsSkinCommand command, TsSkinManager* manager) {
    SendSkinCommand(form, command, manager);
    SendToChildren(form, command, manager);
}

void BroadcastSkinCommand(TsSkinManager* manager, TsSkinCommand command) {
    const QWidgetList windows = QApplication::topLevelWidgets();
    for (auto it = windows.crbegin(); it != windows.crend(); ++it) {
        QWidget* form = *it;
        if (IsSkinnableWindow(form) && SendSkinCommand(form, TsSkinCommand::QuerySkinned, manager) != 1)
            SendToFormAndChildren(form, command, manager);
    }
    for (QWidget* form : TsSkinHook::ProviderForms(manager))
        SendToFormAndChildren(form, command, manager);
    // Hidden ones too: a dialog shown again later must draw from the skin of its time.
    for (QWidget* window : TsSkinHook::HookedWindows())
        SendSkinCommand(window, command, manager);
}
