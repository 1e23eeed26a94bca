#include "SkinText.h"

std::string UpperCase(std::string text) {
    for (char& c : text)
        c = UpperChar(c);
    return text;
}

bool SameText(std::string_view a, std::string_view b) {
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i)
        if (UpperChar(a[i]) != UpperChar(b[i]))
            return false;
    return true;
}

bool ContainsText(std::string_view text, std::string_view upperNeedle) {
    if (upperNeedle.size() > text.size())
        return false;
    for (std::size_t start = 0; start + upperNeedle.size() <= text.size(); ++start) {
        std::size_t i = 0;
        while (i < upperNeedle.size() && UpperChar(text[start + i]) == upperNeedle[i])
            ++i;
        if (i == upperNeedle.size())
            return true;
    }
    return false;
}

std::size_t TextHash::operator()(std::string_view text) const {
    // FNV-1a over the upper-cased bytes: every byte counts in full, so names that differ in
    // anything but the letter case of a..z hash apart.
    std::size_t hash = 14695981039346656037ull;
    for (char c : text)
        hash = (hash ^ static_cast<unsigned char>(UpperChar(c))) * 1099511628211ull;
    return hash;
}
