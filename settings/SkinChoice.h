#pragma once
// The skin choice file: the index of the skin picked in the window's skin list, kept in
// section "SkinNumber", key "Number".

#include <cstdint>
#include <string>

class TIniFile;

// The program folder's "kvSkinNumber.ini".
std::string SkinChoiceFilePath();

// The start-up reading: writes the default 4 when no file exists yet, then returns the stored
// number. Raises Exception "Unable to write to %s" when the default cannot be written, and
// EConvertError "'%s' is not a valid integer value" when the stored text (empty for a missing
// key) is not an integer.
std::int32_t ReadSkinNumberForStart(TIniFile& skinIni);

// The close-time writing of the list's item index, -1 for no selection. Raises Exception
// "Unable to write to %s" when the file cannot be written.
void WriteSkinNumber(TIniFile& skinIni, std::int32_t itemIndex);
