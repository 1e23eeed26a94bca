#pragma once
// The input of the skin-load fuzzer, shared by the libFuzzer harness and the corpus replay test.
//
// First byte 'P': the rest is a package file, loaded as it is (exercises the package reader).
// First byte 'E': the rest is Options.dat and pictures, separated by FuzzEntrySeparator, packed
// into a valid package before loading, so that mutations reach the INI, the image references
// and the picture decoders instead of dying in zlib. The pictures get the names of
// FuzzEntryNames in order.
// Anything else is ignored. An input whose last byte is odd is loaded with a hue and saturation
// change.

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

inline constexpr const char* FuzzEntrySeparator = "\n=====\n";
inline const std::vector<std::string> FuzzEntryNames = {"MASTER.BMP", "BUTTONHUGE.BMP", "GLOW.PNG",
                                                        "BKGND.JPG", "SMALL.JPG"};

// Loads the skin the input describes. Returns true when it loaded, false when it was rejected
// with an Exception; any other outcome (a crash, another exception type) is a finding.
bool RunSkinFuzzInput(const std::uint8_t* data, std::size_t size);
