#pragma once
// Delivers a skin command to every window and control, in order: forms that do not skin
// themselves and their children, forms with a provider and their children, then the standard
// dialogs skinned through the hook.

#include "SkinCommand.h"

#include <vector>

class QWidget;

void BroadcastSkinCommand(TsSkinManager* manager, TsSkinCommand command);

// The form and, depth first in child order, every control under it that answers "query
// skinned"; controls that do not are skipped, but their children are visited.
void SendToFormAndChildren(QWidget* form, TsSkinCommand command, TsSkinManager* manager);
