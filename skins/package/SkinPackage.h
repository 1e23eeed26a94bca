#pragma once
// A skin package unpacked into memory: the INI text and the image entries, in package order.
//
// Layout (little-endian 32-bit integers): "KTzf", entry count, then per entry the name length,
// the name bytes, the unpacked size and one zlib stream. Compressed lengths are not stored.

#include "Exceptions.h"
#include "SkinText.h"

#include <cstdint>
#include <span>
#include <string>
#include <unordered_map>
#include <vector>

// The most bytes the entries of one skin (or the files of one skin folder) may unpack to: a
// hundred times the largest built-in skin, and far below what would strain the machine.
inline constexpr std::uint64_t MaxSkinUnpackedBytes = 32u << 20;

// A skin beyond one of the budgets of a load.
class ESkinTooLarge : public Exception {
public:
    using Exception::Exception;
    const char* ClassName() const noexcept override { return "ESkinTooLarge"; }
};

// The message for a skin whose entries or files unpack to more than MaxSkinUnpackedBytes.
std::string UnpackedBudgetMessage();

struct TacImageItem {
    std::string Name; // as stored in the package
    bool IsBitmap = false;
    std::vector<std::uint8_t> Data;
};

using TacImageItems = std::vector<TacImageItem>;

class TacSkinConvertor {
public:
    std::string Options; // bytes of Options.dat
    TacImageItems Images;

    // Reads a package file. Returns false, changing nothing, when the file does not exist; a
    // file that exists but cannot be read is a load error saying so.
    // With releaseSource the file's bytes are dropped after parsing; otherwise they stay in
    // OwnedSource.
    bool LoadPackageFile(const std::string& path, bool releaseSource = true);

    // Parses a package from its first byte. The bytes are only read, never kept, so a built-in
    // skin's stored data can be passed directly. On any error the object is left cleared.
    void ReadPackage(std::span<const std::uint8_t> source);

    // First image entry whose upper-cased name equals `name` exactly (so `name` must be written
    // in upper case to match); null when there is none. Entries are found through an index
    // made by ReadPackage, so a skin naming many pictures costs no scan per name.
    const TacImageItem* FindImage(const std::string& name) const;

    int ImageCount() const { return static_cast<int>(Images.size()); }
    void Clear();

    std::vector<std::uint8_t> OwnedSource;

private:
    void ReadEntries(class MemorySource& source);

    std::unordered_map<std::string, std::size_t, TextHash, TextEqual> ImageIndex; // first of each name
};
