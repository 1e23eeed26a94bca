#pragma once
// Small pictures and packages that the skin tests build for themselves.

#include "PackageWriter.h"

#include <QImage>
#include <cstdint>
#include <string>
#include <vector>

// A picture of 8 x 8 blocks in 128 colours (so it fits an 8-bit palette), with magenta in its
// top-left pixel.
QImage TestImage(int width, int height);
std::vector<std::uint8_t> TestBitmap(int width, int height, int bitsPerPixel);
// RGBA PNG whose first row is fully transparent white ($00FFFFFF) and whose other pixels are
// opaque or half transparent.
std::vector<std::uint8_t> TestPng(int width, int height);
std::vector<std::uint8_t> TestJpeg(int width, int height, bool greyScale = false);

std::vector<std::uint8_t> Bytes(const std::string& text);

// A package of Options.dat plus the given pictures, Options.dat first.
std::vector<std::uint8_t> TestPackage(const std::string& options,
                                      const std::vector<PackageEntry>& pictures = {});
