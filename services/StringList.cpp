#include "StringList.h"

#include <stdexcept>

template <typename Change> void TStringList::Modify(Change change) {
    if (OnChanging)
        OnChanging();
    change();
    if (OnChange)
        OnChange();
}

void TStringList::Add(const std::string& line) {
    Modify([&] { lines.push_back(line); });
}

void TStringList::Insert(std::size_t index, const std::string& line) {
    if (index > lines.size())
        throw std::out_of_range("TStringList::Insert: index out of bounds");
    Modify([&] { lines.insert(lines.begin() + static_cast<std::ptrdiff_t>(index), line); });
}

void TStringList::Delete(std::size_t index) {
    if (index >= lines.size())
        throw std::out_of_range("TStringList::Delete: index out of bounds");
    Modify([&] { lines.erase(lines.begin() + static_cast<std::ptrdiff_t>(index)); });
}

void TStringList::Put(std::size_t index, const std::string& line) {
    if (index >= lines.size())
        throw std::out_of_range("TStringList::Put: index out of bounds");
    Modify([&] { lines[index] = line; });
}

void TStringList::Clear() {
    if (lines.empty())
        return;
    Modify([&] { lines.clear(); });
}

void TStringList::Assign(const std::vector<std::string>& newLines) {
    Modify([&] { lines = newLines; });
}

bool IsBlankText(const std::string& text) {
    for (char c : text)
        if (static_cast<unsigned char>(c) > ' ')
            return false;
    return true;
}
