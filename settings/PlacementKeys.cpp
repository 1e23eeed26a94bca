#include "PlacementKeys.h"

#include "FileSystem.h"
#include "Format.h"
#include "StrToInt.h"

#include <vector>

namespace {

bool IsSeparator(char c) {
    return c == ',' || c == ' ';
}

std::vector<std::string> SplitWords(const std::string& text) {
    std::vector<std::string> words;
    std::size_t i = 0;
    while (i < text.size()) {
        while (i < text.size() && IsSeparator(text[i]))
            ++i;
        const std::size_t begin = i;
        while (i < text.size() && !IsSeparator(text[i]))
            ++i;
        if (i > begin)
            words.push_back(text.substr(begin, i - begin));
    }
    return words;
}

} // namespace

std::string ResolutionSuffix(int screenWidth, int screenHeight) {
    return FormatMessage("(%dx%d)", {FormatArg(screenWidth), FormatArg(screenHeight)});
}

std::string FormatFourNumbers(const TFourNumbers& numbers) {
    return FormatMessage("%d,%d,%d,%d", {FormatArg(numbers[0]), FormatArg(numbers[1]), FormatArg(numbers[2]),
                                         FormatArg(numbers[3])});
}

TFourNumbers ParseFourNumbers(const std::string& text, const TFourNumbers& defaults) {
    const std::vector<std::string> words = SplitWords(text);
    TFourNumbers numbers = defaults;
    for (std::size_t i = 0; i < numbers.size() && i < words.size(); ++i)
        numbers[i] = StrToIntDef(words[i], defaults[i]);
    return numbers;
}

std::string QuoteForProfile(const std::string& value) {
    const bool quoted =
        value.size() >= 2 && (value.front() == '"' || value.front() == '\'') && value.back() == value.front();
    return quoted ? "\"" + value + "\"" : value;
}

std::string PlacementFilePath() {
    return ProgramFolder() + "kvFormPct.ini";
}
