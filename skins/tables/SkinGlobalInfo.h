#pragma once
// The skin-wide values of the GLOBALINFO section.

#include "SkinIni.h"
#include "SkinTables.h"

inline constexpr const char* GlobalInfoSection = "GLOBALINFO";

// Skins newer than this were made for a later release of the skin engine.
inline constexpr double NewestSupportedVersion = 6.99;

inline constexpr const char* UnsupportedVersionMessage =
    "This version of the skin have not complete support by used Zentrile package release.\r\n"
    "Components must be updated up to latest version for using this skin.";

// Raises EConvertError when one of the strictly read integers is not an integer.
TsSkinData LoadSkinData(const SkinIni& ini);

// The version number with "." as decimal separator whatever the locale; 0 when the text is not
// a finite number.
double ParseSkinVersion(const std::string& text);
