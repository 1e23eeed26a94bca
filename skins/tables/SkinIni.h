#pragma once
// The skin INI text (Options.dat). Lines are trimmed; ";" starts a comment line; "[NAME]" starts
// a section; "key=value" lines are keys. Section and key lookups ignore letter case and the
// first occurrence of a key wins. Sections keep their file order.

#include "SkinText.h"

#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

struct SkinIniKey {
    std::string Name;
    std::string Value;
};

struct SkinIniSection {
    std::string Name; // as written
    // Distinct keys in file order, each with its first value. Lines without "=" and lines with
    // an empty key name are not keys.
    std::vector<SkinIniKey> Keys;
    std::unordered_map<std::string, std::size_t, TextHash, TextEqual> KeyIndex; // name -> Keys index

    // Null when the key does not exist.
    const std::string* Find(std::string_view key) const;
};

class SkinIni {
public:
    SkinIni() = default;
    explicit SkinIni(const std::string& text);

    const std::vector<SkinIniSection>& Sections() const { return SectionList; }
    // Null when the section does not exist.
    const SkinIniSection* FindSection(std::string_view name) const;
    // Null when the section or the key does not exist.
    const std::string* Find(std::string_view section, std::string_view key) const;
    std::string ReadString(std::string_view section, std::string_view key,
                           const std::string& defaultValue) const;

private:
    void AddLine(std::string_view line, SkinIniSection*& current);

    std::vector<SkinIniSection> SectionList;
    std::unordered_map<std::string, std::size_t, TextHash, TextEqual> SectionIndex;
};

// Blanks and control characters removed from both ends.
std::string_view TrimText(std::string_view text);
