#pragma once
// Loads a skin's content into a fresh set of tables: master image, masks, patterns, the
// GLOBALINFO values and the section table, in that order. Any error leaves the load at once;
// the caller still has whatever tables it held before.

#include "SkinIni.h"
#include "SkinPictureSource.h"
#include "SkinTables.h"

#include <cstdint>
#include <functional>
#include <span>
#include <string>
#include <vector>

// Receives a message that the user should see (the newer-version warning); the tables stay
// free of widgets, so showing it is the caller's business.
using SkinMessageHandler = std::function<void(const std::string& message)>;

struct SkinContentSource {
    const SkinIni& Ini;
    SkinPictureSource& Pictures;
    std::string SkinPath; // empty for packages
    SkinMessageHandler OnMessage;
};

// What the skin manager asks of every load, applied before the tables are handed out.
struct SkinLoadOptions {
    int HueOffset = 0;  // degrees added to the hue of every picture and colour
    int Saturation = 0; // percent, -100 (grey) .. 100 (twice as saturated)
    // INI lines laid over the skin's Options.dat: their keys win, their sections that the skin
    // lacks are added at the end.
    std::vector<std::string> CommonSections;
};

// The tables come back resolved for painting (see SkinResolve.h) and immutable. Over one of
// the budgets (SkinBudget.h, MaxIniEntries) the load fails with ESkinTooLarge or an Exception;
// an Options.dat without a single section fails with an Exception of NoSectionsMessage.
inline constexpr const char* NoSectionsMessage = "The skin's Options.dat has no sections";
SkinTablesPtr LoadSkinContent(const SkinContentSource& source, const SkinLoadOptions& options = {});

// An unpacked package's Options.dat and images.
SkinTablesPtr LoadSkinPackage(std::span<const std::uint8_t> package, const SkinMessageHandler& onMessage,
                              const SkinLoadOptions& options = {});

// A skin folder: Options.dat and loose picture files under `skinPath` (which ends in a
// separator). A folder without Options.dat is a load error.
SkinTablesPtr LoadSkinFolder(const std::string& skinPath, const SkinMessageHandler& onMessage,
                             const SkinLoadOptions& options = {});
