#include "SkinPictureSource.h"

#include "Exceptions.h"
#include "FileSystem.h"
#include "Format.h"
#include "SkinPictures.h"

#include <filesystem>
#include <fstream>

namespace {

constexpr std::uint64_t MaxPictureFileSize = 64u << 20;

// The existing file whose name matches `path`'s file name in any letter case; empty when none.
std::string FindIgnoringCase(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path wanted(path);
    const std::string wantedName = UpperCase(wanted.filename().string());
    const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
    std::error_code error;
    for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
        if (UpperCase(it->path().filename().string()) == wantedName && FileExists(it->path().string()))
            return it->path().string();
    return {};
}

// Fully transparent white would bleed into the edges of a glow when it is scaled and blended.
void ClearTransparentWhite(QImage& image) {
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if (row[x] == 0x00FFFFFFu)
                row[x] = 0;
    }
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::uint64_t limit) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file)
        throw Exception(FormatMessage("Cannot open file \"%s\"", {path}));
    const std::streamoff size = file.tellg();
    if (size < 0 || static_cast<std::uint64_t>(size) > limit)
        throw Exception(FormatMessage("File \"%s\" is too large", {path}));
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        throw EReadError("Stream read error");
    return bytes;
}

const std::vector<std::uint8_t>* PackagePictureSource::Find(const std::string& name) {
    const TacImageItem* item = Package.FindImage(name);
    return item != nullptr ? &item->Data : nullptr;
}

const std::vector<std::uint8_t>* FolderPictureSource::Find(const std::string& name) {
    if (const auto it = Files.find(name); it != Files.end())
        return &it->second;
    if (Missing.contains(name))
        return nullptr;
    std::string path = name.find(':') != std::string::npos ? name : SkinPath + name;
    if (!FileExists(path))
        path = FindIgnoringCase(path);
    if (path.empty()) {
        Missing[name] = true;
        return nullptr;
    }
    return &(Files[name] = ReadWholeFile(path, MaxPictureFileSize));
}

QImage DecodedPictures::Get(const std::string& name, PictureKind kind) {
    const auto key = std::make_pair(static_cast<int>(kind), name);
    if (const auto it = Decoded.find(key); it != Decoded.end())
        return it->second;
    QImage image;
    if (const std::vector<std::uint8_t>* bytes = Source.Find(name)) {
        switch (kind) {
        case PictureKind::Bitmap:
            image = DecodeBitmap(*bytes);
            break;
        case PictureKind::Png:
            image = DecodePng(*bytes);
            ClearTransparentWhite(image);
            break;
        case PictureKind::Jpeg:
            image = DecodeJpeg(*bytes);
            break;
        }
    }
    Decoded.emplace(key, image);
    return image;
}
