#pragma once
// The main window's stored layout: every control with its place, caption, tab order and state,
// kept in one table so the window can be read at a glance.

#include <QRect>
#include <QString>
#include <span>

enum class ControlKind { Button, RichEdit, LogPane, ComboBox, Label, Gauge, StatusBar };

struct ControlLayout {
    const char* Name;
    ControlKind Kind;
    QRect Position; // client pixels: left, top, width, height
    const char* Caption;
    bool Enabled;
    int TabOrder; // 0: not a tab stop
    bool HandCursor;
};

std::span<const ControlLayout> MainFormControls();

// Window caption and client size.
inline constexpr const char* kMainFormCaption = "Quellmark v0.0.2";
inline constexpr int kClientWidth = 734;
inline constexpr int kClientHeight = 414;

// Skin list of the combo box, by skin number.
inline constexpr const char* kSkinItems[] = {"BluePlastic", "DarkGlass", "LongHorn", "Neutral2", "NextAlpha"};

inline constexpr const char* kStatusPanel1Text = "원본파일은 미리 복사해두시기 바랍니다.";
inline constexpr int kStatusPanel1Width = 250;
inline constexpr const char* kStatusPanel2Text = "Morvane 0.0.2";
inline constexpr int kStatusPanel2Width = 50;

inline constexpr const char* kOpenDialogFilter = "Firebird, Interbase|*.FDB;*.GDB|모든파일|*.*";

// Folder searched for skin package files and skin folders before the built-in skins; a relative
// name is taken beside the program.
#ifdef _WIN32
inline constexpr const char* kSkinDirectory = "c:\\Skin";
#else
inline constexpr const char* kSkinDirectory = "Skin";
#endif

// The font asked for; where it is missing a Hangul-capable sans of the same pixel size serves.
inline constexpr const char* kFormFontFamily = "MS Sans Serif";
inline constexpr int kFormFontPixels = 11;
