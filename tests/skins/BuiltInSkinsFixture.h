#pragma once
// The five built-in skins as the program carries them (its Qt resources), and what each must
// hold: entries in order, picture sizes and depths, version and section count.

#include "BuiltInSkinPackages.h"
#include "SkinIni.h"
#include "SkinLoader.h"
#include "SkinPackage.h"

#include <QByteArray>
#include <cstdint>
#include <string>
#include <vector>

enum class PictureFormat { Text, Bitmap, Png, Jpeg };

struct ExpectedEntry {
    const char* Name;
    PictureFormat Format;
    int Width = 0;
    int Height = 0;
    int Bits = 0;               // bits per pixel (PNG: per channel; JPEG: components x 8)
    std::uint32_t Unpacked = 0; // 0: not fixed (texts, compressed pictures)
};

struct ExpectedSkin {
    const char* Name; // "DarkGlass"
    const char* File; // "DarkGlass.ktz"
    const char* Version;
    int Sections;
    std::vector<ExpectedEntry> Entries;
    bool GlowRegion; // "LRGN" in PROGRESSH
};

const std::vector<ExpectedSkin>& ExpectedSkins();

struct LoadedBuiltInSkin {
    std::vector<std::uint8_t> Bytes;
    TacSkinConvertor Package;
    SkinIni Ini;
    SkinTablesPtr Tables;
};

// The skin's package from the program's resources, unpacked and loaded into the tables.
const LoadedBuiltInSkin& LoadBuiltInSkin(const ExpectedSkin& expected);
