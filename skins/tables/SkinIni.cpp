#include "SkinIni.h"

#include "Exceptions.h"
#include "Format.h"

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
    const std::string_view all(text);
    std::size_t start = 0;
    while (start < all.size()) {
        std::size_t end = start;
        while (end < all.size() && all[end] != '\r' && all[end] != '\n')
            ++end;
        AddLine(TrimText(all.substr(start, end - start)));
        // CR LF is one line end; a lone CR or LF is one too.
        start = end + 1;
        if (end + 1 < all.size() && all[end] == '\r' && all[end + 1] == '\n')
            ++start;
    }
    Current = nullptr;
}

void SkinIni::CountEntry() {
    if (++Entries > MaxIniEntries)
        throw Exception(FormatMessage("Skin INI is too large: it holds more than %d sections and keys",
                                      {std::int64_t(MaxIniEntries)}));
}

SkinIniSection& SkinIni::AddSection(std::string name) {
    CountEntry();
    SectionIndex.emplace(name, SectionList.size()); // only the first of a name is indexed
    SectionList.push_back(SkinIniSection{std::move(name), {}, {}});
    return SectionList.back();
}

void SkinIni::SetKey(SkinIniSection& section, std::string_view name, std::string_view value, bool replace) {
    if (const auto it = section.KeyIndex.find(name); it != section.KeyIndex.end()) {
        if (replace)
            section.Keys[it->second].Value = value;
        return;
    }
    CountEntry();
    section.KeyIndex.emplace(std::string(name), section.Keys.size());
    section.Keys.push_back(SkinIniKey{std::string(name), std::string(value)});
}

void SkinIni::AddLine(std::string_view line) {
    if (line.empty() || line[0] == ';')
        return;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        Current = &AddSection(std::string(TrimText(line.substr(1, line.size() - 2))));
        return;
    }
    const std::size_t equals = line.find('=');
    if (Current == nullptr || equals == std::string_view::npos)
        return;
    SetKey(*Current, TrimText(line.substr(0, equals)), TrimText(line.substr(equals + 1)), false);
}

void SkinIni::MergeOver(const SkinIni& extra) {
    for (const SkinIniSection& section : extra.Sections()) {
        const int found = SectionIndexOf(section.Name);
        SkinIniSection& target =
            found >= 0 ? SectionList[static_cast<std::size_t>(found)] : AddSection(section.Name);
        for (const SkinIniKey& key : section.Keys)
            SetKey(target, key.Name, key.Value, true);
    }
}

const std::string* SkinIniSection::Find(std::string_view key) const {
    const auto it = KeyIndex.find(key);
    return it == KeyIndex.end() ? nullptr : &Keys[it->second].Value;
}

int SkinIni::SectionIndexOf(std::string_view name) const {
    const auto it = SectionIndex.find(name);
    return it == SectionIndex.end() ? -1 : static_cast<int>(it->second);
}

const SkinIniSection* SkinIni::FindSection(std::string_view name) const {
    const int index = SectionIndexOf(name);
    return index < 0 ? nullptr : &SectionList[static_cast<std::size_t>(index)];
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
