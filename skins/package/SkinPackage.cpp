#include "SkinPackage.h"

#include "AtomicFile.h"
#include "Exceptions.h"
#include "FileSystem.h"
#include "Format.h"
#include "MemorySource.h"
#include "ZlibInflater.h"

#include <algorithm>
#include <cerrno>
#include <cstring>

namespace {

constexpr char Magic[4] = {'K', 'T', 'z', 'f'};
// The smallest entry: name length, unpacked size and an empty zlib stream (2 + 2 + 4 bytes).
constexpr std::size_t SmallestEntry = 4 + 4 + 8;
// Deflate cannot expand its input more than about 1032 times; a larger claim is a lie.
constexpr std::uint64_t MaxDeflateRatio = 1032;
// Package files are read whole. Entries hold at most the skin's budget, and deflate's stored
// blocks add a few bytes per 64 KB, so a larger file cannot be a skin within the budget.
constexpr std::uint64_t MaxPackageFileSize = 2 * MaxSkinUnpackedBytes;
// What an entry costs beyond its name and data (its item, its index node, its inflater), counted
// against the unpacked budget so that a package of millions of empty entries is refused.
constexpr std::uint64_t EntryCost = 256;

bool IsOptionsName(const std::string& name) {
    return UpperCase(name) == "OPTIONS.DAT";
}

bool HasBitmapExtension(const std::string& name) {
    const std::string upper = UpperCase(name);
    return upper.size() >= 4 && upper.compare(upper.size() - 4, 4, ".BMP") == 0;
}

std::size_t CheckedCount(std::int32_t count, const MemorySource& source) {
    if (count < 1 || static_cast<std::uint64_t>(count) > source.Remaining() / SmallestEntry)
        throw Exception(
            FormatMessage("Skin package is damaged: it cannot hold %d entries", {std::int64_t(count)}));
    return static_cast<std::size_t>(count);
}

std::string ReadName(MemorySource& source) {
    const std::int32_t length = source.ReadInt32();
    if (length < 0 || static_cast<std::uint64_t>(length) > source.Remaining())
        throw EReadError(FormatMessage("Skin package is cut short: an entry name of %d bytes does not fit",
                                       {std::int64_t(length)}));
    std::string name(static_cast<std::size_t>(length), '\0');
    source.ReadExact(name.data(), name.size());
    return name;
}

// The entry's unpacked size, checked against what its stream can yield and against what is
// left of the skin's budget (`unpacked` so far) before anything is inflated.
std::size_t ReadUnpackedSize(MemorySource& source, const std::string& name, std::uint64_t unpacked) {
    const std::int32_t size = source.ReadInt32();
    if (size < 0 || static_cast<std::uint64_t>(size) > source.Remaining() * MaxDeflateRatio)
        throw Exception(FormatMessage("Skin package is damaged: entry \"%s\" claims %d unpacked bytes",
                                      {name, std::int64_t(size)}));
    if (unpacked + static_cast<std::uint64_t>(size) > MaxSkinUnpackedBytes)
        throw ESkinTooLarge(UnpackedBudgetMessage());
    return static_cast<std::size_t>(size);
}

[[noreturn]] void CannotRead(const std::string& path) {
    throw Exception(FormatMessage("Skin package %s cannot be read", {path}));
}

} // namespace

std::string UnpackedBudgetMessage() {
    return FormatMessage("Skin is too large: its entries unpack to more than %d bytes",
                         {std::int64_t(MaxSkinUnpackedBytes)});
}

void TacSkinConvertor::Clear() {
    Options.clear();
    Images.clear();
    ImageIndex.clear();
    OwnedSource.clear();
}

bool TacSkinConvertor::LoadPackageFile(const std::string& path, bool releaseSource) {
    if (!FileExists(path))
        return false;
    Clear();
    // Looked at once open, so a file swapped for a FIFO after the check cannot hold the read.
    std::vector<std::uint8_t> bytes;
    if (ReadRegularFile(path, MaxPackageFileSize, bytes) != TFileRead::Read) {
        if (errno == EFBIG)
            throw ESkinTooLarge(FormatMessage("Skin package %s is too large", {path}));
        CannotRead(path);
    }
    ReadPackage(bytes);
    if (!releaseSource)
        OwnedSource = std::move(bytes);
    return true;
}

void TacSkinConvertor::ReadPackage(std::span<const std::uint8_t> bytes) {
    Clear();
    MemorySource source(bytes);
    char magic[4];
    if (source.Remaining() < sizeof magic)
        throw Exception("Loaded data is not a packed Kestrane file");
    source.ReadExact(magic, sizeof magic);
    if (std::memcmp(magic, Magic, sizeof magic) != 0)
        throw Exception("Loaded data is not a packed Kestrane file");
    try {
        ReadEntries(source);
    } catch (...) {
        Clear();
        throw;
    }
}

void TacSkinConvertor::ReadEntries(MemorySource& source) {
    const std::size_t count = CheckedCount(source.ReadInt32(), source);
    bool haveOptions = false;
    std::uint64_t unpacked = 0;
    for (std::size_t i = 0; i < count; ++i) {
        std::string name = ReadName(source);
        unpacked += name.size() + EntryCost; // names and the entry itself are held too
        const std::size_t size = ReadUnpackedSize(source, name, unpacked);
        unpacked += size;
        std::vector<std::uint8_t> data = ZlibInflater(source).ReadExactly(size);
        if (IsOptionsName(name)) {
            // Image lookups trust that exactly one entry is the INI; a second one would leave
            // the image count and the images out of step.
            if (haveOptions)
                throw Exception("Skin package is damaged: it holds more than one Options.dat");
            haveOptions = true;
            Options.assign(data.begin(), data.end());
        } else {
            const bool isBitmap = HasBitmapExtension(name);
            ImageIndex.emplace(name, Images.size());
            Images.push_back(TacImageItem{std::move(name), isBitmap, std::move(data)});
        }
    }
    if (!haveOptions)
        throw Exception("Skin package has no Options.dat");
}

const TacImageItem* TacSkinConvertor::FindImage(const std::string& name) const {
    // Equal in any letter case and `name` has no lower-case letter: the upper-cased name matches.
    if (name.find_first_of("abcdefghijklmnopqrstuvwxyz") != std::string::npos)
        return nullptr;
    const auto it = ImageIndex.find(name);
    return it == ImageIndex.end() ? nullptr : &Images[it->second];
}
