#include "ProfileLines.h"

#include <algorithm>

namespace {

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

std::string TrimRight(const std::string& text) {
    std::size_t end = text.size();
    while (end > 0 && IsBlank(text[end - 1]))
        --end;
    return text.substr(0, end);
}

char AsciiLower(char c) {
    return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameName(const std::string& a, const std::string& b) {
    return a.size() == b.size() && std::equal(a.begin(), a.end(), b.begin(),
                                              [](char x, char y) { return AsciiLower(x) == AsciiLower(y); });
}

} // namespace

std::string TrimProfileBlanks(const std::string& text) {
    std::size_t begin = 0;
    while (begin < text.size() && IsBlank(text[begin]))
        ++begin;
    return TrimRight(text.substr(begin));
}

std::vector<std::string> SplitProfileLines(const std::string& text) {
    std::vector<std::string> lines;
    std::string current;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c != '\r' && c != '\n') {
            current += c;
            continue;
        }
        if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n')
            ++i;
        lines.push_back(std::move(current));
        current.clear();
    }
    if (!current.empty())
        lines.push_back(std::move(current));
    return lines;
}

TProfileLine ParseProfileLine(const std::string& line) {
    const std::string text = TrimProfileBlanks(line);
    if (text.empty())
        return {TProfileLineKind::Blank, {}, {}};
    if (text.front() == ';')
        return {TProfileLineKind::Comment, {}, {}};
    const auto closing = text.rfind(']');
    if (text.front() == '[' && closing != std::string::npos)
        return {TProfileLineKind::Section, TrimProfileBlanks(text.substr(1, closing - 1)), {}};
    const auto equals = text.find('=');
    if (equals == std::string::npos)
        return {TProfileLineKind::Other, {}, {}};
    return {TProfileLineKind::Key, TrimRight(text.substr(0, equals)),
            TrimProfileBlanks(text.substr(equals + 1))};
}

std::optional<TProfileSection> FindProfileSection(const std::vector<std::string>& lines,
                                                  const std::string& name) {
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TProfileLine header = ParseProfileLine(lines[i]);
        if (header.Kind != TProfileLineKind::Section || !SameName(header.Name, name))
            continue;
        std::size_t end = i + 1;
        while (end < lines.size() && ParseProfileLine(lines[end]).Kind != TProfileLineKind::Section)
            ++end;
        return TProfileSection{i, end};
    }
    return std::nullopt;
}

std::optional<std::size_t> FindProfileKey(const std::vector<std::string>& lines, TProfileSection section,
                                          const std::string& key) {
    for (std::size_t i = section.Header + 1; i < section.End; ++i) {
        const TProfileLine line = ParseProfileLine(lines[i]);
        if (line.Kind == TProfileLineKind::Key && SameName(line.Name, key))
            return i;
    }
    return std::nullopt;
}

std::string UnquoteProfileValue(const std::string& value) {
    if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front())
        return value.substr(1, value.size() - 2);
    return value;
}
