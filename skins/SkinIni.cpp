#include "SkinIni.h"

#include "SkinPackage.h"

std::string TrimText(const std::string& text) {
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
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos)
            end = text.size();
        AddLine(TrimText(text.substr(start, end - start)), current);
        // CR LF is one line end; a lone CR or LF is one too.
        start = end + 1;
        if (end + 1 < text.size() && text[end] == '\r' && text[end + 1] == '\n')
            ++start;
    }
}

void SkinIni::AddLine(const std::string& line, SkinIniSection*& current) {
    if (line.empty() || line[0] == ';')
        return;
    if (line.size() >= 2 && line.front() == '[' && line.back() == ']') {
        const std::string name = TrimText(line.substr(1, line.size() - 2));
        const auto [it, added] = SectionIndex.emplace(UpperCase(name), SectionList.size());
        if (added)
            SectionList.push_back(SkinIniSection{name, {}, {}});
        // A repeated header continues its first section, so lookups see one section per name.
        current = &SectionList[it->second];
        return;
    }
    const std::size_t equals = line.find('=');
    if (current == nullptr || equals == std::string::npos)
        return;
    SkinIniKey key{TrimText(line.substr(0, equals)), TrimText(line.substr(equals + 1))};
    if (key.Name.empty())
        return;
    if (current->KeyIndex.emplace(UpperCase(key.Name), current->Keys.size()).second)
        current->Keys.push_back(std::move(key));
}

const SkinIniSection* SkinIni::FindSection(const std::string& name) const {
    const auto it = SectionIndex.find(UpperCase(name));
    return it == SectionIndex.end() ? nullptr : &SectionList[it->second];
}

const std::string* SkinIni::Find(const std::string& section, const std::string& key) const {
    const SkinIniSection* found = FindSection(section);
    if (found == nullptr)
        return nullptr;
    const auto it = found->KeyIndex.find(UpperCase(key));
    return it == found->KeyIndex.end() ? nullptr : &found->Keys[it->second].Value;
}

std::string SkinIni::ReadString(const std::string& section, const std::string& key,
                                const std::string& defaultValue) const {
    const std::string* value = Find(section, key);
    return value != nullptr ? *value : defaultValue;
}
