#include "OptionsText.h"

OptionsSection& OptionsSection::Set(const std::string& key, const std::string& value) {
    for (Line& line : Lines)
        if (line.Key == key && !line.Split) {
            line.Value = value;
            return *this;
        }
    Lines.push_back({key, value, false});
    return *this;
}

OptionsSection& OptionsSection::AppendSplit(const std::string& key, const std::string& value) {
    Lines.push_back({key, value, true});
    return *this;
}

const std::string* OptionsSection::Find(const std::string& key) const {
    for (const Line& line : Lines)
        if (line.Key == key && !line.Split)
            return &line.Value;
    return nullptr;
}

OptionsSection& OptionsText::Section(const std::string& name) {
    for (OptionsSection& section : List)
        if (section.Name == name)
            return section;
    List.push_back(OptionsSection{name, {}});
    return List.back();
}

const OptionsSection* OptionsText::Find(const std::string& name) const {
    for (const OptionsSection& section : List)
        if (section.Name == name)
            return &section;
    return nullptr;
}

std::string OptionsText::Text() const {
    std::string text;
    for (const OptionsSection& section : List) {
        text += "[" + section.Name + "]\r\n";
        for (const OptionsSection::Line& line : section.Lines)
            text +=
                line.Split ? line.Key + "\r\n=" + line.Value + "\r\n" : line.Key + "=" + line.Value + "\r\n";
        text += "\r\n";
    }
    return text;
}
