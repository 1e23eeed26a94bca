#include "Gradient.h"

#include "StrToInt.h"

#include <algorithm>
#include <array>

TsGradArray ParseGradient(std::string_view value) {
    // Read word by word: a long value never becomes a list of words in memory.
    TsGradArray steps;
    std::array<std::string, 5> group;
    std::size_t filled = 0;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find(';', start), value.size());
        if (end > start) {
            group[filled++].assign(value.substr(start, end - start));
            if (filled == group.size()) {
                steps.push_back(
                    TsGradPie{std::max(0, StrToIntDef(group[0], 0)), std::max(0, StrToIntDef(group[1], 0)),
                              std::clamp(StrToIntDef(group[2], 0), 0, 100), StrToIntDef(group[3], 0)});
                filled = 0;
            }
        }
        start = end + 1;
    }
    return steps;
}
