#pragma once
// Where package files and skin folders are looked for. Both rules accept "\" and "/" as
// separators and build paths with the platform's separator; relative folders are taken beside
// the program, so "Skin" is the folder Skin next to the executable wherever it was started from.

#include <string>

struct SkinDirectoryRules {
    char Separator = '/';      // '\\' on Windows
    std::string ProgramFolder; // ends in a separator
};

// The folder for package files, ending in a separator; empty stays empty. On Windows a single
// character is a drive letter and gets ":\".
std::string NormalisedSkinDirectory(const std::string& directory, const SkinDirectoryRules& rules);

// The folder for skin folders and the skin path, without a trailing separator: ".." climbs one
// folder up from the program's, "." starts at it, a relative name is taken beside it, an absolute
// path stays as it is.
std::string FullSkinDirectory(const std::string& directory, const SkinDirectoryRules& rules);

// The rules of the running program.
SkinDirectoryRules PlatformSkinDirectoryRules();

// What an empty SkinDirectory becomes once the manager is loaded.
std::string DefaultSkinDirectory();
