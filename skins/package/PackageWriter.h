#pragma once
// Writes skin packages: each entry is one zlib stream with the default header (0x78 0x9C), with
// nothing between it and the next entry, as the package reader requires.

#include <cstdint>
#include <string>
#include <vector>

struct PackageEntry {
    std::string Name;
    std::vector<std::uint8_t> Data;
};

std::vector<std::uint8_t> WritePackage(const std::vector<PackageEntry>& entries);

// Raises an Exception when the file cannot be written.
void WritePackageFile(const std::string& path, const std::vector<PackageEntry>& entries);

// One zlib stream of `data` at the default level.
std::vector<std::uint8_t> CompressZlib(const std::vector<std::uint8_t>& data);
