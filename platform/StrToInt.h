#pragma once
// Strict integer conversion: the whole text must be one integer. Leading blanks, an optional
// sign, then decimal digits or hexadecimal digits after "$", "x", "X", "0x" or "0X".
// Decimal values must fit a signed 32-bit integer; hexadecimal values may use all 32 bits
// (so "$FFFFFFFF" is -1). Anything else - trailing characters included - is not an integer.

#include <cstdint>
#include <optional>
#include <string>

std::optional<std::int32_t> TryStrToInt(const std::string& text);

// Raises EConvertError "'%s' is not a valid integer value" for a text that is not an integer.
std::int32_t StrToInt(const std::string& text);

std::int32_t StrToIntDef(const std::string& text, std::int32_t defaultValue);
