#include "SectionInheritance.h"

#include <algorithm>

std::vector<int> ValueParents(const SkinIni& ini) {
    const std::vector<SkinIniSection>& sections = ini.Sections();
    std::vector<int> parents(sections.size(), -1);
    for (std::size_t i = 0; i < sections.size(); ++i) {
        const std::string* parent = sections[i].Find("PARENTCLASS");
        if (parent != nullptr && !parent->empty() && *parent != "?" && !SameText(*parent, sections[i].Name))
            parents[i] = ini.SectionIndexOf(*parent);
    }
    return parents;
}

SectionInheritance::SectionInheritance(std::vector<int> parents) : Parent(std::move(parents)) {
    enum : char { Unvisited, OnPath, Done };
    std::vector<char> state(Parent.size(), Unvisited);
    std::vector<int> path;
    Order.reserve(Parent.size());
    for (std::size_t start = 0; start < Parent.size(); ++start) {
        path.clear();
        int i = static_cast<int>(start);
        for (; i >= 0 && state[i] == Unvisited; i = Parent[i]) {
            state[i] = OnPath;
            path.push_back(i);
        }
        std::size_t treeEnd = path.size();
        if (i >= 0 && state[i] == OnPath) { // the walk came back into itself: a loop
            treeEnd = static_cast<std::size_t>(std::find(path.begin(), path.end(), i) - path.begin());
            Loops.emplace_back(path.begin() + static_cast<std::ptrdiff_t>(treeEnd), path.end());
        }
        // The path runs from child to parent; settle parents first.
        for (std::size_t k = treeEnd; k-- > 0;)
            Order.push_back(path[k]);
        for (const int p : path)
            state[p] = Done;
    }
}

std::vector<int> SectionInheritance::Settle(const std::vector<char>& has) const {
    std::vector<int> provider(Parent.size(), -1);
    for (const std::vector<int>& loop : Loops) {
        // Going round twice backwards leaves each section the first provider at or after it.
        int next = -1;
        for (std::size_t k = 2 * loop.size(); k-- > 0;) {
            const int i = loop[k % loop.size()];
            if (has[i])
                next = i;
            provider[i] = next;
        }
    }
    for (const int i : Order)
        provider[i] = has[i] ? i : Parent[i] >= 0 ? provider[Parent[i]] : -1;
    return provider;
}
