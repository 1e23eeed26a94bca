#include "Format.h"

#include <vector>

namespace {

std::string ArgText(const FormatArg& arg) {
    if (const auto* text = std::get_if<std::string>(&arg))
        return *text;
    return std::to_string(std::get<std::int64_t>(arg));
}

} // namespace

std::string FormatMessage(const std::string& pattern, std::initializer_list<FormatArg> args) {
    const std::vector<FormatArg> list(args);
    std::string out;
    out.reserve(pattern.size() + 32);
    std::size_t next = 0;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        if (c == '%' && i + 1 < pattern.size()) {
            const char kind = pattern[i + 1];
            if (kind == '%') {
                out += '%';
                ++i;
                continue;
            }
            if ((kind == 's' || kind == 'd') && next < list.size()) {
                out += ArgText(list[next++]);
                ++i;
                continue;
            }
        }
        out += c;
    }
    return out;
}
