#include "SkinDirectory.h"

#include "FileSystem.h"

#include <algorithm>

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

std::string WithSeparator(std::string text, char separator) {
    std::replace_if(text.begin(), text.end(), IsSeparator, separator);
    return text;
}

bool IsAbsolute(const std::string& directory, const SkinDirectoryRules& rules) {
    if (rules.Separator == '\\')
        return directory.find(':') != std::string::npos || directory.find("\\\\") != std::string::npos;
    return !directory.empty() && IsSeparator(directory.front());
}

// The program's folder without its last folder name, keeping the separator before it.
std::string ParentOfProgramFolder(const std::string& programFolder) {
    std::string folder = programFolder;
    while (!folder.empty() && IsSeparator(folder.back()))
        folder.pop_back();
    const std::size_t cut = folder.find_last_of("\\/");
    return cut == std::string::npos ? std::string() : folder.substr(0, cut + 1);
}

} // namespace

std::string NormalisedSkinDirectory(const std::string& directory, const SkinDirectoryRules& rules) {
    if (directory.empty())
        return {};
    std::string full = FullSkinDirectory(directory, rules);
    if (IsSeparator(full.back()))
        return WithSeparator(full, rules.Separator);
    if (rules.Separator == '\\' && full.size() == 1)
        return full + ":\\";
    return WithSeparator(full, rules.Separator) + rules.Separator;
}

std::string FullSkinDirectory(const std::string& directory, const SkinDirectoryRules& rules) {
    const std::string& home = rules.ProgramFolder;
    std::string full;
    if (directory.rfind("..", 0) == 0)
        full = ParentOfProgramFolder(home) + directory.substr(std::min<std::size_t>(3, directory.size()));
    else if (directory.size() >= 2 && directory[0] == '.' && IsSeparator(directory[1]))
        full = home + directory.substr(2);
    else if (rules.Separator == '\\' && directory.size() == 1)
        full = directory; // a drive letter
    else if (!IsAbsolute(directory, rules))
        full = home + directory;
    else
        full = directory;
    return WithSeparator(full, rules.Separator);
}

SkinDirectoryRules PlatformSkinDirectoryRules() {
#ifdef _WIN32
    return SkinDirectoryRules{'\\', ProgramFolder()};
#else
    return SkinDirectoryRules{'/', ProgramFolder()};
#endif
}

std::string DefaultSkinDirectory() {
#ifdef _WIN32
    return "c:\\Skins";
#else
    return "Skins";
#endif
}
