#pragma once
// A list of text lines that tells its owner before and after every change. The owner may refuse
// a change by raising from the before-notification; the list is then left as it was.

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

class TStringList {
public:
    TStringList() = default;
    // Copies carry the lines only; notifications belong to the list's owner.
    TStringList(const TStringList& other) : lines(other.lines) {}
    // Assigning replaces the lines, with notifications, like Assign.
    TStringList& operator=(const TStringList& other) {
        if (this != &other)
            Assign(other.lines);
        return *this;
    }

    std::function<void()> OnChanging; // before a change; may raise to refuse it
    std::function<void()> OnChange;   // after a change

    std::size_t Count() const { return lines.size(); }
    bool Empty() const { return lines.empty(); }
    const std::string& operator[](std::size_t index) const { return lines.at(index); }
    const std::vector<std::string>& Lines() const { return lines; }
    auto begin() const { return lines.begin(); }
    auto end() const { return lines.end(); }

    void Add(const std::string& line);
    void Insert(std::size_t index, const std::string& line);
    void Delete(std::size_t index);
    void Put(std::size_t index, const std::string& line);
    // Clearing an empty list is no change and notifies nobody.
    void Clear();
    // Replaces every line with a copy of the given lines.
    void Assign(const std::vector<std::string>& newLines);

private:
    template <typename Change> void Modify(Change change);

    std::vector<std::string> lines;
};

// True when the text holds nothing but blanks and control characters, as a trim would remove.
bool IsBlankText(const std::string& text);
