#pragma once
// Keys and value formats of the window placement file.

#include <array>
#include <cstdint>
#include <string>

namespace PlacementKey {
inline const std::string FormVersion = "FormVersion";
inline const std::string Flags = "Flags";
inline const std::string ShowCmd = "ShowCmd";
inline const std::string PixelsPerInch = "PixelsPerInch";
inline const std::string MinMaxPos = "MinMaxPos";
inline const std::string NormPos = "NormPos";
inline const std::string Visible = "Visible";
inline const std::string ActiveControl = "ActiveControl";
} // namespace PlacementKey

using TFourNumbers = std::array<std::int32_t, 4>;

// "(%dx%d)" of the screen's width and height, appended to a position key without a blank.
std::string ResolutionSuffix(int screenWidth, int screenHeight);

// "%d,%d,%d,%d".
std::string FormatFourNumbers(const TFourNumbers& numbers);

// Words are separated by any run of commas and blanks; a missing word, or one that is not a
// strict integer, takes the default of its place.
TFourNumbers ParseFourNumbers(const std::string& text, const TFourNumbers& defaults);

// A value that begins and ends with the same quote gets one more pair of double quotes, so that
// reading it back (which strips one pair) returns it as written.
std::string QuoteForProfile(const std::string& value);

// The program folder's "kvFormPct.ini".
std::string PlacementFilePath();
