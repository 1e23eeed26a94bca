#pragma once
// Negative colour values name system colours (the low byte is the system colour index, as in
// COLOR_BTNFACE = 15). There is no Windows here to ask, so the colours are a fixed table of
// Windows' default scheme; an index outside the table gives black, as the Windows call does.

#include <cstdint>

std::int32_t ColorToRGB(std::int32_t color);
