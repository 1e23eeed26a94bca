#include "IniFile.h"

#include "Exceptions.h"
#include "Format.h"
#include "PrivateProfile.h"
#include "StrToInt.h"

std::string TIniFile::ReadString(const std::string& section, const std::string& ident,
                                 const std::string& defaultValue) const {
    return GetPrivateProfileString(section, ident, defaultValue, fileName_);
}

std::int32_t TIniFile::ReadInteger(const std::string& section, const std::string& ident,
                                   std::int32_t defaultValue) const {
    return StrToIntDef(ReadString(section, ident, ""), defaultValue);
}

bool TIniFile::ReadBool(const std::string& section, const std::string& ident, bool defaultValue) const {
    return ReadInteger(section, ident, defaultValue ? 1 : 0) != 0;
}

void TIniFile::WriteString(const std::string& section, const std::string& ident, const std::string& value) {
    if (!WritePrivateProfileString(section, ident, value, fileName_))
        throw Exception(FormatMessage("Unable to write to %s", {fileName_}));
}

void TIniFile::WriteInteger(const std::string& section, const std::string& ident, std::int32_t value) {
    WriteString(section, ident, std::to_string(value));
}

void TIniFile::WriteBool(const std::string& section, const std::string& ident, bool value) {
    WriteString(section, ident, value ? "1" : "0");
}
