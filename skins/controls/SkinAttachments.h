#pragma once
// Registers with the skin manager how the controls library skins windows and standard controls:
// providers for top-level windows, adapters for edits and status bars, and the application
// style for everything else. Called once at start-up, before the first skin is applied.

void RegisterSkinAttachments();
