#include "PackageWriter.h"

#include "Exceptions.h"
#include "Format.h"

#include <fstream>
#include <zlib.h>

namespace {

void AppendInt32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8)
        out.push_back(static_cast<std::uint8_t>(value >> shift));
}

} // namespace

std::vector<std::uint8_t> CompressZlib(const std::vector<std::uint8_t>& data) {
    uLongf size = compressBound(static_cast<uLong>(data.size()));
    std::vector<std::uint8_t> out(size);
    const int rc =
        compress2(out.data(), &size, data.data(), static_cast<uLong>(data.size()), Z_DEFAULT_COMPRESSION);
    if (rc != Z_OK)
        throw Exception(zError(rc));
    out.resize(size);
    return out;
}

std::vector<std::uint8_t> WritePackage(const std::vector<PackageEntry>& entries) {
    std::vector<std::uint8_t> out{'K', 'T', 'z', 'f'};
    AppendInt32(out, static_cast<std::uint32_t>(entries.size()));
    for (const PackageEntry& entry : entries) {
        AppendInt32(out, static_cast<std::uint32_t>(entry.Name.size()));
        out.insert(out.end(), entry.Name.begin(), entry.Name.end());
        AppendInt32(out, static_cast<std::uint32_t>(entry.Data.size()));
        const std::vector<std::uint8_t> packed = CompressZlib(entry.Data);
        out.insert(out.end(), packed.begin(), packed.end());
    }
    return out;
}

void WritePackageFile(const std::string& path, const std::vector<PackageEntry>& entries) {
    const std::vector<std::uint8_t> bytes = WritePackage(entries);
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    if (!file.flush())
        throw Exception(FormatMessage("Unable to write to %s", {path}));
}
