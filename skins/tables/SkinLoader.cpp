#include "SkinLoader.h"

#include "Exceptions.h"
#include "FileSystem.h"
#include "Format.h"
#include "SkinColorChange.h"
#include "SkinGlobalInfo.h"
#include "SkinMasks.h"
#include "SkinPackage.h"
#include "SkinPatterns.h"
#include "SkinResolve.h"
#include "SkinSections.h"

#include <optional>

namespace {

QImage LoadMasterBitmap(const SkinIni& ini, DecodedPictures& pictures) {
    const std::string name = ini.ReadString(GlobalInfoSection, "MASTERBITMAP", "");
    if (name.empty())
        return {};
    // Looked up as written: the reference must be in upper case to match an entry.
    return pictures.Get(name, PictureKind::OpaqueBitmap);
}

bool IsMasterBitmapKey(const SkinIniSection& section, const SkinIniKey& key) {
    return SameText(section.Name, GlobalInfoSection) && SameText(key.Name, "MASTERBITMAP");
}

void LoadMasks(const SkinIni& ini, DecodedPictures& pictures, TsMaskArray& masks) {
    for (const SkinIniSection& section : ini.Sections())
        for (const SkinIniKey& key : section.Keys)
            if (!IsMasterBitmapKey(section, key))
                AddMask(MaskReference{section.Name, key.Name, key.Value}, pictures, masks);
}

void LoadPatterns(const SkinIni& ini, DecodedPictures& pictures, SkinTables& tables) {
    const SkinPatternTables target{tables.Masks, tables.Patterns};
    for (const SkinIniSection& section : ini.Sections())
        for (const SkinIniKey& key : section.Keys)
            AddPattern(MaskReference{section.Name, key.Name, key.Value}, pictures, target);
}

// The skin's INI with the common sections laid over it; none when there are none.
std::optional<SkinIni> WithCommonSections(const SkinIni& ini, const std::vector<std::string>& lines) {
    if (lines.empty())
        return std::nullopt;
    std::string text;
    for (const std::string& line : lines)
        text.append(line).append("\r\n");
    SkinIni merged = ini;
    merged.MergeOver(SkinIni(text));
    return merged;
}

} // namespace

SkinTablesPtr LoadSkinContent(const SkinContentSource& source, const SkinLoadOptions& options) {
    // An empty text, or one with no section at all, describes nothing: taken as a skin it would
    // leave every window drawn as if it had none, with no word of why.
    if (source.Ini.Sections().empty())
        throw Exception(NoSectionsMessage);
    const std::optional<SkinIni> merged = WithCommonSections(source.Ini, options.CommonSections);
    const SkinIni& ini = merged ? *merged : source.Ini;
    auto loaded = std::make_shared<SkinTables>();
    SkinTables& tables = *loaded;
    tables.SkinPath = source.SkinPath;
    PixelBudget budget;
    {
        DecodedPictures pictures(source.Pictures, budget);
        tables.MasterBitmap = LoadMasterBitmap(ini, pictures);
        LoadMasks(ini, pictures, tables.Masks);
        LoadPatterns(ini, pictures, tables);
    }
    tables.SkinData = LoadSkinData(ini);
    if (tables.SkinData.Version > NewestSupportedVersion && source.OnMessage)
        source.OnMessage(UnsupportedVersionMessage);
    tables.GeneralData = LoadSections(ini);
    ResolveSkinTables(tables, budget);
    ChangeSkinColors(tables, SkinColorChange{options.HueOffset, options.Saturation});
    return loaded;
}

SkinTablesPtr LoadSkinPackage(std::span<const std::uint8_t> bytes, const SkinMessageHandler& onMessage,
                              const SkinLoadOptions& options) {
    TacSkinConvertor package;
    package.ReadPackage(bytes);
    const SkinIni ini(package.Options);
    PackagePictureSource pictures(package);
    return LoadSkinContent(SkinContentSource{ini, pictures, std::string(), onMessage}, options);
}

SkinTablesPtr LoadSkinFolder(const std::string& skinPath, const SkinMessageHandler& onMessage,
                             const SkinLoadOptions& options) {
    const std::string optionsPath = skinPath + "Options.dat";
    if (!FileExists(optionsPath))
        throw Exception(FormatMessage("Skin folder %s has no Options.dat", {skinPath}));
    const std::vector<std::uint8_t> text =
        ReadWholeFile(optionsPath, MaxSkinUnpackedBytes, UnpackedBudgetMessage());
    const SkinIni ini(std::string(text.begin(), text.end()));
    FolderPictureSource pictures(skinPath, text.size());
    return LoadSkinContent(SkinContentSource{ini, pictures, skinPath, onMessage}, options);
}
