#pragma once
// Letter-case rules of skins: names and keys compare in ASCII upper case, as the skin files
// were written for an 8-bit Windows code page whose upper-casing only touches a..z.

#include <cstddef>
#include <string>
#include <string_view>

inline char UpperChar(char c) {
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

std::string UpperCase(std::string text);

bool SameText(std::string_view a, std::string_view b);

// Whether `text` contains `upperNeedle` (written in upper case) in any letter case.
bool ContainsText(std::string_view text, std::string_view upperNeedle);

// Hashing and equality for maps keyed by names in any letter case; both accept string views,
// so lookups need no temporary strings.
struct TextHash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const;
};

struct TextEqual {
    using is_transparent = void;
    bool operator()(std::string_view a, std::string_view b) const { return SameText(a, b); }
};
