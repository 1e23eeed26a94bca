#pragma once
// Gradient values of skin sections: "c1;c2;percent;mode;unused" repeated, one group per step.

#include <cstdint>
#include <string>
#include <vector>

struct TsGradPie {
    std::int32_t Color1 = 0; // 00BBGGRR, never negative
    std::int32_t Color2 = 0;
    std::int32_t Percent = 0; // share of the area, 0..100
    std::int32_t Mode = 0;    // passed to the painter as written
};

using TsGradArray = std::vector<TsGradPie>;

// A trailing incomplete group is ignored; a word that is not an integer counts as 0.
TsGradArray ParseGradient(const std::string& value);
