#pragma once
// Private-profile INI files in the manner of the Windows calls of the same name: names match
// without regard to case, the first section and the first key of a name win, lines end in
// CR LF, lone CR or lone LF, and every write rewrites the whole file at once.
// Text is passed through as the bytes it is (UTF-8 on Linux).

#include <string>

// The value of key in section, with one pair of matching quotes removed; the default (less
// its trailing spaces) when the file, the section or the key is missing or a name is empty.
std::string GetPrivateProfileString(const std::string& section, const std::string& key,
                                    const std::string& defaultValue, const std::string& fileName);

// Sets key in section to value (leading blanks dropped), creating the key, the section or the
// file as needed. The new file is written beside the old one and renamed over it, so a crash
// or a full disk leaves the old file whole. False when the file cannot be read or replaced, or
// a name is empty; errno then tells why.
bool WritePrivateProfileString(const std::string& section, const std::string& key, const std::string& value,
                               const std::string& fileName);
