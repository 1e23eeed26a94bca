#include "DatabasePaths.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

// Length of the UTF-8 sequence starting at `at`, or 1 when it is not a valid one.
std::size_t SequenceLength(const std::string& text, std::size_t at) {
    const auto byte = [&](std::size_t i) {
        return static_cast<unsigned char>(text[i]);
    };
    const unsigned char lead = byte(at);
    const std::size_t length = lead < 0x80                    ? 1
                               : lead >= 0xC2 && lead <= 0xDF ? 2
                               : lead >= 0xE0 && lead <= 0xEF ? 3
                               : lead >= 0xF0 && lead <= 0xF4 ? 4
                                                              : 0;
    if (length <= 1 || at + length > text.size())
        return 1;
    for (std::size_t i = 1; i < length; ++i)
        if ((byte(at + i) & 0xC0) != 0x80)
            return 1;
    // Overlong forms, surrogates and values past U+10FFFF are not valid sequences either.
    const unsigned char second = byte(at + 1);
    if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second > 0x9F) ||
        (lead == 0xF0 && second < 0x90) || (lead == 0xF4 && second > 0x8F))
        return 1;
    return length;
}

// Byte offsets where each character of the text starts.
std::vector<std::size_t> CharacterStarts(const std::string& text) {
    std::vector<std::size_t> starts;
    for (std::size_t at = 0; at < text.size(); at += SequenceLength(text, at))
        starts.push_back(at);
    return starts;
}

std::string FileName(const std::string& path) {
    const auto slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

} // namespace

std::string BackupPathFor(const std::string& databasePath) {
    const std::vector<std::size_t> starts = CharacterStarts(databasePath);
    const std::size_t keep = starts.size() > 3 ? starts[starts.size() - 3] : 0;
    return databasePath.substr(0, keep) + "BAK";
}

bool IsOwnBackupName(const std::string& databasePath) {
    if (databasePath.size() < 3)
        return false;
    const std::string tail = databasePath.substr(databasePath.size() - 3);
    return std::equal(tail.begin(), tail.end(), "BAK",
                      [](char a, char b) { return std::toupper(static_cast<unsigned char>(a)) == b; });
}

bool IsNameTooShortForBackup(const std::string& databasePath) {
    return CharacterStarts(FileName(databasePath)).size() <= 3;
}
