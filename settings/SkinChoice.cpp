#include "SkinChoice.h"

#include "FileSystem.h"
#include "IniFile.h"
#include "StrToInt.h"

namespace {

const std::string Section = "SkinNumber";
const std::string Key = "Number";
const std::string DefaultSkinNumber = "4";

} // namespace

std::string SkinChoiceFilePath() {
    return ProgramFolder() + "kvSkinNumber.ini";
}

std::int32_t ReadSkinNumberForStart(TIniFile& skinIni) {
    if (!FileExists(skinIni.FileName()))
        skinIni.WriteString(Section, Key, DefaultSkinNumber);
    return StrToInt(skinIni.ReadString(Section, Key, ""));
}

void WriteSkinNumber(TIniFile& skinIni, std::int32_t itemIndex) {
    skinIni.WriteString(Section, Key, std::to_string(itemIndex));
}
