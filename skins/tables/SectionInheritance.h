#pragma once
// Settles inherited values for every section at once, in time linear in the number of sections.
//
// Each section has at most one parent, so the sections form trees whose roots end a chain or
// lie on a loop. A value is settled for loop sections first (each one reads the loop from
// itself round, as a walk that stops at the first section seen twice would) and then for the
// other sections, parents before children, each taking its own value or its parent's result.

#include "SkinIni.h"

#include <cstddef>
#include <vector>

// The parent of each section for inherited values: the first section named by its
// "PARENTCLASS" in any letter case; -1 when there is none, it is "?" or empty, or the section
// names itself.
std::vector<int> ValueParents(const SkinIni& ini);

class SectionInheritance {
public:
    // parents[i] is the parent of section i, or -1.
    explicit SectionInheritance(std::vector<int> parents);

    // For every section, the first section along its chain for which present(section index)
    // holds; -1 when there is none. present is asked once per section.
    template <class Present> std::vector<int> Providers(Present present) const {
        std::vector<char> has(Parent.size());
        for (std::size_t i = 0; i < has.size(); ++i)
            has[i] = present(i) ? 1 : 0;
        return Settle(has);
    }

private:
    std::vector<int> Settle(const std::vector<char>& has) const;

    std::vector<int> Parent;
    std::vector<std::vector<int>> Loops; // each loop in chain order
    std::vector<int> Order;              // the other sections, each after its parent
};
