#pragma once
// The skin INI text (Options.dat). Lines are trimmed; ";" starts a comment line; "[NAME]" starts
// a section; a line with "=" is a key and its value, even when the key name is empty. Every
// header starts a section of its own, in file order, even when its name repeats; lookups by
// name ignore letter case and find the first section of that name, and within a section the
// first occurrence of a key wins.

#include "SkinText.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

// Far above any real skin (the built-in ones have about 1,000 sections and keys together),
// and low enough that the tables built from them stay within tens of megabytes.
inline constexpr std::size_t MaxIniEntries = 262144;

struct SkinIniKey {
    std::string Name;
    std::string Value;
};

struct SkinIniSection {
    std::string Name; // as written
    // Distinct keys in file order, each with its first value. Lines without "=" are not keys.
    std::vector<SkinIniKey> Keys;
    std::unordered_map<std::string, std::size_t, TextHash, TextEqual> KeyIndex; // name -> Keys index

    // Null when the key does not exist.
    const std::string* Find(std::string_view key) const;
};

class SkinIni {
public:
    SkinIni() = default;
    // Raises an Exception when the text holds more than MaxIniEntries sections and keys.
    explicit SkinIni(const std::string& text);

    const std::vector<SkinIniSection>& Sections() const { return SectionList; }
    // The first section of that name; null when there is none.
    const SkinIniSection* FindSection(std::string_view name) const;
    // Index in Sections() of the first section of that name; -1 when there is none.
    int SectionIndexOf(std::string_view name) const;
    // Null when the section or the key does not exist.
    const std::string* Find(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& defaultValue) const;

    // Lays `extra` over this INI: its keys replace the values of the same keys in the first
    // section of the same name or are added to it; its sections that are not here are added
    // at the end.
    void MergeOver(const SkinIni& extra);

private:
    void AddLine(std::string_view line);
    SkinIniSection& AddSection(std::string name);
    void SetKey(SkinIniSection& section, std::string_view name, std::string_view value, bool replace);
    void CountEntry();

    std::vector<SkinIniSection> SectionList;
    std::unordered_map<std::string, std::size_t, TextHash, TextEqual> SectionIndex; // first of each name
    SkinIniSection* Current = nullptr;
    std::size_t Entries = 0;
};

// Blanks and control characters removed from both ends.
std::string_view TrimText(std::string_view text);
