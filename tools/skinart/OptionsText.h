#pragma once
// The skin's INI text (Options.dat): sections in order, keys in order, CR LF line ends.

#include <string>
#include <utility>
#include <vector>

struct OptionsSection {
    std::string Name;
    struct Line {
        std::string Key;
        std::string Value;
        bool Split = false; // key on one line, "=value" on the next
    };
    std::vector<Line> Lines;

    // Sets a key: replaces its value where it already is, else appends it.
    OptionsSection& Set(const std::string& key, const std::string& value);
    OptionsSection& Set(const std::string& key, int value) { return Set(key, std::to_string(value)); }
    // Appends a second, broken copy of a key (the first occurrence stays the one that counts).
    OptionsSection& AppendSplit(const std::string& key, const std::string& value);
    const std::string* Find(const std::string& key) const;
};

class OptionsText {
public:
    // The section of that name, appended when new.
    OptionsSection& Section(const std::string& name);
    const OptionsSection* Find(const std::string& name) const;
    const std::vector<OptionsSection>& Sections() const { return List; }
    std::string Text() const;

private:
    std::vector<OptionsSection> List;
};
