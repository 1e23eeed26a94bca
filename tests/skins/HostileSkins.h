#pragma once
// Valid but hostile skin packages, small on disk, each built to make a careless loader take
// minutes or gigabytes. Shared by the hostile-skin test and the benchmark that times them.

#include <cstdint>
#include <string>
#include <vector>

// A "PARENTCLASS" chain of `sections` sections; only the last one holds values and masks.
std::vector<std::uint8_t> ParentChainSkin(int sections);
// One section with `keys` keys spelt only with "@" and "`" (which a hash that ignores bit 5
// cannot tell apart), 16 characters long while that is enough to keep them distinct.
std::vector<std::uint8_t> CollidingKeysSkin(int keys);
// A section with a gradient of about `bytes` bytes and `children` sections inheriting it.
std::vector<std::uint8_t> InheritedGradientSkin(int children, int bytes);
// `pictures` 4096 x 4096 progressive JPEG patterns; per colour component two DC scans and two
// scans for each of the first `coefficients` AC coefficients (40: 246 scans a picture).
std::vector<std::uint8_t> ProgressiveJpegSkin(int pictures, int coefficients);
// `count` 4096 x 4096 baseline JPEG patterns.
std::vector<std::uint8_t> LargeJpegSkin(int count);
// Eight entries of 64 MiB of zeros each.
std::vector<std::uint8_t> HugeEntriesSkin();
// A 1 x 1 PNG glow carrying `chunks` compressed text chunks of 7,000,000 bytes each (8.5 KB
// packed), before its image data.
std::vector<std::uint8_t> PngTextChunksSkin(int chunks);
// `entries` entries beside Options.dat, each with a three-byte name and an empty zlib stream:
// 19 bytes each.
std::vector<std::uint8_t> TinyEntriesSkin(int entries);
// A 2048 x 2048 master and `masks` masks that each cut nearly the whole of it, each a different
// rectangle.
std::vector<std::uint8_t> WholeMasterMasksSkin(int masks);

// The names of the sections of ParentChainSkin, first to last.
std::string ChainSectionName(int index);
