#pragma once
// The skins built into the program (the skin manager's InternalSkins), in their stored order:
// index 0 is the one a skin name that matches nothing falls back to.

#include <QByteArray>
#include <span>

struct BuiltInSkinPackage {
    const char* Name;         // "DarkGlass (internal)"
    const char* ResourcePath; // ":/morvane/skins/DarkGlass.ktz"
};

std::span<const BuiltInSkinPackage> BuiltInSkinPackages();

// The package of a built-in skin; empty when the program was built without it.
QByteArray BuiltInSkinPackageData(const BuiltInSkinPackage& skin);
