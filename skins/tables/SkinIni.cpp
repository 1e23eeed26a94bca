#include "SkinIni.h"

#include <cstring>

std::string_view TrimText(std::string_view text) {
    std::size_t first = 0;
    std::size_t last = text.size();
    while (first < last && static_cast<unsigned char>(text[first]) <= ' ')
        ++first;
    while (last > first && static_cast<unsigned char>(text[last - 1]) <= ' ')
        --last;
    return text.substr(first, last - first);
}

SkinIni::SkinIni(const std::string& text) {
    SkinIniSection* current = nullptr;
    const std::string_view all(text);
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = start;
        while (end < all.size() && all[end] != '\r' && all[end] != '\n')
            ++end;
        AddLine(TrimText(all.substr(start, end - start)), current);
        // CR LF is one line end; a lone CR or LF is one too.
        start = end + 1;
        if (end + 1 < all.size() && all[end] == '\r' && all[end + 1] == '\n')
            ++start;
    }
}

void SkinIni::AddLine(std::string_view line, SkinIniSection*& current) {
    if (line.empty() || line[0] == ';')
        return;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        const std::string name(TrimText(line.substr(1, line.size() - 2)));
        const auto [it, added] = SectionIndex.emplace(name, SectionList.size());
        if (added)
            SectionList.push_back(SkinIniSection{name, {}, {}});
        // A repeated header continues its first section, so lookups see one section per name.
        current = &SectionList[it->second];
        return;
    }
    const std::size_t equals = line.find('=');
    if (current == nullptr || equals == std::string_view::npos)
        return;
    const std::string_view name = TrimText(line.substr(0, equals));
    if (name.empty() || current->KeyIndex.find(name) != current->KeyIndex.end())
        return;
    current->KeyIndex.emplace(std::string(name), current->Keys.size());
    current->Keys.push_back(SkinIniKey{std::string(name), std::string(TrimText(line.substr(equals + 1)))});
}

const std::string* SkinIniSection::Find(std::string_view key) const {
    const auto it = KeyIndex.find(key);
    return it == KeyIndex.end() ? nullptr : &Keys[it->second].Value;
}

const SkinIniSection* SkinIni::FindSection(std::string_view name) const {
    const auto it = SectionIndex.find(name);
    return it == SectionIndex.end() ? nullptr : &SectionList[it->second];
}

const std::string* SkinIni::Find(std::string_view section, std::string_view key) const {
    const SkinIniSection* found = FindSection(section);
    return found == nullptr ? nullptr : found->Find(key);
}

std::string SkinIni::ReadString(std::string_view section, std::string_view key,
                                const std::string& defaultValue) const {
    const std::string* value = Find(section, key);
    return value != nullptr ? *value : defaultValue;
}
