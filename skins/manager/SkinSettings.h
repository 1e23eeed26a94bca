#pragma once
// The manager's published settings that are plain values: animation effects, menu support,
// skinning rules and the built-in skins.

#include <QByteArray>
#include <QString>
#include <cstdint>
#include <vector>

enum class TacAnimType { atFading, atAero };

struct TacAnimEffect {
    bool Active = true;
    int Time = 0; // milliseconds
    TacAnimType Mode = TacAnimType::atAero;
};

enum TacBtnEvent : std::uint8_t { beMouseEnter = 1, beMouseLeave = 2, beMouseDown = 4, beMouseUp = 8 };

struct TacAnimEffects {
    struct {
        std::uint8_t Events = beMouseEnter | beMouseLeave | beMouseDown | beMouseUp;
    } Buttons;
    TacAnimEffect DialogShow;
    TacAnimEffect FormShow;
    TacAnimEffect FormHide;
    TacAnimEffect DialogHide;
    TacAnimEffect PageChange;
    TacAnimEffect SkinChanging{true, 100, TacAnimType::atFading};
};

struct TacMenuSupport {
    QString IcoLineSkin = QStringLiteral("ICOLINE");
    bool UseExtraLine = false;
    int ExtraLineWidth = 32;
    QString ExtraLineFontName;
    int ExtraLineFontHeight = 0;
};

enum TacSkinningRule : std::uint8_t { srStdForms = 1, srStdDialogs = 2, srThirdParty = 4 };
using TacSkinningRules = std::uint8_t;
inline constexpr TacSkinningRules AllSkinningRules = srStdForms | srStdDialogs | srThirdParty;

// A built-in skin. When Data holds a package it is the whole skin and the other values are not
// consulted; every built-in skin of the program is of that kind.
struct TsStoredSkin {
    QString Name;
    QByteArray Data;
    std::int32_t Shadow1Color = 0;
    int Shadow1Offset = 0;
    int Shadow1Blur = -1;
    int Shadow1Transparency = 0;
    std::int32_t BorderColor = 0xFF00FF;
    double Version = 0;
    QString Author;
    QString Description;
};
using TsStoredSkins = std::vector<TsStoredSkin>;
