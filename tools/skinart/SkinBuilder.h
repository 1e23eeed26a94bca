#pragma once
// Turns a skin style into its package: draws the master image and the large button picture,
// writes Options.dat and adds the skin's own extra pictures.

#include "PackageWriter.h"
#include "SkinStyle.h"

#include <QImage>
#include <string>
#include <vector>

struct BuiltSkin {
    std::string Name;     // "DarkGlass"
    std::string FileName; // "DarkGlass.ktz"
    std::vector<PackageEntry> Entries;
    std::vector<std::uint8_t> Package;
};

BuiltSkin BuildSkin(const SkinStyle& style);

// The five built-in skins in their stored order.
std::vector<SkinStyle> BuiltInStyles();
