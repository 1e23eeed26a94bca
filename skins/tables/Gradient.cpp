#include "Gradient.h"

#include "StrToInt.h"

#include <algorithm>

namespace {

std::vector<std::string> SplitWords(const std::string& value, char separator) {
    std::vector<std::string> words;
    std::size_t start = 0;
    while (start <= value.size()) {
        const std::size_t end = std::min(value.find(separator, start), value.size());
        if (end > start)
            words.push_back(value.substr(start, end - start));
        start = end + 1;
    }
    return words;
}

} // namespace

TsGradArray ParseGradient(const std::string& value) {
    const std::vector<std::string> words = SplitWords(value, ';');
    TsGradArray steps(words.size() / 5);
    for (std::size_t i = 0; i < steps.size(); ++i) {
        const std::string* step = &words[i * 5];
        steps[i].Color1 = std::max(0, StrToIntDef(step[0], 0));
        steps[i].Color2 = std::max(0, StrToIntDef(step[1], 0));
        steps[i].Percent = std::clamp(StrToIntDef(step[2], 0), 0, 100);
        steps[i].Mode = StrToIntDef(step[3], 0);
    }
    return steps;
}
