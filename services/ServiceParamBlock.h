#pragma once
// The service parameter block sent with an attach request, built from name=value lines.

#include <string>
#include <vector>

// Raises client error 88 for a known but refused name, 89 for an unknown one, and
// CLIENT_ERROR_VALUE_TOO_LONG for a value over 255 bytes or a block over 32,767 bytes.
std::string BuildServiceParamBlock(const std::vector<std::string>& lines);
