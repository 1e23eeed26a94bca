#pragma once
// Fills "%s" and "%d" placeholders of a fixed message, in order. Surplus arguments are
// ignored; a placeholder without an argument stays as written. "%%" gives "%".
// Unlike printf, a wrong argument type can never read out of bounds.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <variant>

using FormatArg = std::variant<std::string, std::int64_t>;

std::string FormatMessage(const std::string& pattern, std::initializer_list<FormatArg> args);
