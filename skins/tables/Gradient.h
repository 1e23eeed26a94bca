#pragma once
// Gradient values of skin sections: "c1;c2;percent;mode;unused" repeated, one group per step.

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

struct TsGradPie {
    std::int32_t Color1 = 0; // 00BBGGRR, never negative
    std::int32_t Color2 = 0;
    std::int32_t Percent = 0; // share of the area, 0..100
    std::int32_t Mode = 0;    // passed to the painter as written
};

using TsGradArray = std::vector<TsGradPie>;

// A gradient value as written and its parsed steps. Sections that inherit the same value share
// one of these, so a long gradient is held and parsed once however many sections use it.
struct TsGradient {
    std::string Data;
    TsGradArray Steps;
};
using TsGradientPtr = std::shared_ptr<const TsGradient>;

// A trailing incomplete group is ignored; a word that is not an integer counts as 0.
TsGradArray ParseGradient(std::string_view value);
