#include "SkinLoader.h"

#include "Exceptions.h"
#include "FileSystem.h"
#include "Format.h"
#include "SkinGlobalInfo.h"
#include "SkinMasks.h"
#include "SkinPackage.h"
#include "SkinPatterns.h"
#include "SkinResolve.h"
#include "SkinSections.h"

namespace {

constexpr std::uint64_t MaxOptionsFileSize = 16u << 20;

QImage LoadMasterBitmap(const SkinIni& ini, DecodedPictures& pictures) {
    const std::string name = ini.ReadString(GlobalInfoSection, "MASTERBITMAP", "");
    if (name.empty())
        return {};
    // Looked up as written: the reference must be in upper case to match an entry.
    return pictures.Get(name, PictureKind::Bitmap);
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

} // namespace

SkinTablesPtr LoadSkinContent(const SkinContentSource& source) {
    auto loaded = std::make_shared<SkinTables>();
    SkinTables& tables = *loaded;
    tables.SkinPath = source.SkinPath;
    DecodedPictures pictures(source.Pictures);
    tables.MasterBitmap = LoadMasterBitmap(source.Ini, pictures);
    LoadMasks(source.Ini, pictures, tables.Masks);
    LoadPatterns(source.Ini, pictures, tables);
    tables.SkinData = LoadSkinData(source.Ini);
    if (tables.SkinData.Version > NewestSupportedVersion && source.OnMessage)
        source.OnMessage(UnsupportedVersionMessage);
    tables.GeneralData = LoadSections(source.Ini);
    ResolveSkinTables(tables);
    return loaded;
}

SkinTablesPtr LoadSkinPackage(std::span<const std::uint8_t> bytes, const SkinMessageHandler& onMessage) {
    TacSkinConvertor package;
    package.ReadPackage(bytes);
    const SkinIni ini(package.Options);
    PackagePictureSource pictures(package);
    return LoadSkinContent(SkinContentSource{ini, pictures, std::string(), onMessage});
}

SkinTablesPtr LoadSkinFolder(const std::string& skinPath, const SkinMessageHandler& onMessage) {
    const std::string optionsPath = skinPath + "Options.dat";
    if (!FileExists(optionsPath))
        throw Exception(FormatMessage("Skin folder %s has no Options.dat", {skinPath}));
    const std::vector<std::uint8_t> text = ReadWholeFile(optionsPath, MaxOptionsFileSize);
    const SkinIni ini(std::string(text.begin(), text.end()));
    FolderPictureSource pictures(skinPath);
    return LoadSkinContent(SkinContentSource{ini, pictures, skinPath, onMessage});
}
