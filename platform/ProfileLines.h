#pragma once
// The line model of a private-profile INI text: how each line is classified and where a
// section or a key sits. Lines are kept as written so that a rewrite changes only the line
// it means to change.

#include <cstddef>
#include <optional>
#include <string>
#include <vector>

enum class TProfileLineKind { Blank, Comment, Section, Key, Other };

struct TProfileLine {
    TProfileLineKind Kind = TProfileLineKind::Other;
    std::string Name;  // section name, or key name as spelt in the file
    std::string Value; // key value, trimmed, quotes still on
};

// Lines [Header + 1, End) belong to the section whose header line is Header.
struct TProfileSection {
    std::size_t Header = 0;
    std::size_t End = 0;
};

std::string TrimProfileBlanks(const std::string& text);

// CR LF, lone CR and lone LF all end a line; a final line break starts no further line.
std::vector<std::string> SplitProfileLines(const std::string& text);

TProfileLine ParseProfileLine(const std::string& line);

// The first section of that name, compared without regard to ASCII case.
std::optional<TProfileSection> FindProfileSection(const std::vector<std::string>& lines,
                                                  const std::string& name);

// Index of the first line of the section that sets that key.
std::optional<std::size_t> FindProfileKey(const std::vector<std::string>& lines, TProfileSection section,
                                          const std::string& key);

// One pair of matching double or single quotes around a value of two characters or more.
std::string UnquoteProfileValue(const std::string& value);
