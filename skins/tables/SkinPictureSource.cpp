#include "SkinPictureSource.h"

#include "Exceptions.h"
#include "FileSystem.h"
#include "Format.h"
#include "SkinPictures.h"

#include <filesystem>
#include <fstream>

namespace {

// Fully transparent white would bleed into the edges of a glow when it is scaled and blended.
void ClearTransparentWhite(QImage& image) {
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            if (row[x] == 0x00FFFFFFu)
                row[x] = 0;
    }
}

} // namespace

std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::uint64_t limit,
                                        const std::string& tooLarge) {
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    const std::streamoff size = file ? static_cast<std::streamoff>(file.tellg()) : -1;
    if (size < 0)
        throw Exception(FormatMessage("Cannot open file \"%s\"", {path}));
    if (static_cast<std::uint64_t>(size) > limit)
        throw ESkinTooLarge(tooLarge.empty() ? FormatMessage("File \"%s\" is too large", {path}) : tooLarge);
    std::vector<std::uint8_t> bytes(static_cast<std::size_t>(size));
    file.seekg(0);
    if (!file.read(reinterpret_cast<char*>(bytes.data()), size))
        throw EReadError("Stream read error");
    return bytes;
}

std::string FolderPictureSource::FindIgnoringCase(const std::string& path) {
    namespace fs = std::filesystem;
    const fs::path wanted(path);
    const fs::path folder = wanted.has_parent_path() ? wanted.parent_path() : fs::path(".");
    const auto [listing, added] = Listings.try_emplace(folder.string());
    if (added) {
        std::error_code error;
        for (fs::directory_iterator it(folder, error), end; !error && it != end; it.increment(error))
            if (FileExists(it->path().string()))
                listing->second.emplace(UpperCase(it->path().filename().string()), it->path().string());
    }
    const auto found = listing->second.find(UpperCase(wanted.filename().string()));
    return found == listing->second.end() ? std::string() : found->second;
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
    std::vector<std::uint8_t> bytes =
        ReadWholeFile(path, MaxSkinUnpackedBytes - BytesRead, UnpackedBudgetMessage());
    BytesRead += bytes.size();
    return &(Files[name] = std::move(bytes));
}

QImage DecodedPictures::Get(const std::string& name, PictureKind kind) {
    const auto key = std::make_pair(static_cast<int>(kind), name);
    if (const auto it = Decoded.find(key); it != Decoded.end())
        return it->second;
    QImage image;
    if (kind == PictureKind::OpaqueBitmap) {
        image = Get(name, PictureKind::Bitmap);
        if (image.hasAlphaChannel()) {
            Budget.Take(static_cast<std::int64_t>(image.width()) * image.height());
            image = image.convertToFormat(QImage::Format_RGB32);
        }
    } else if (const std::vector<std::uint8_t>* bytes = Source.Find(name)) {
        switch (kind) {
        case PictureKind::OpaqueBitmap:
        case PictureKind::Bitmap:
            image = DecodeBitmap(*bytes, Budget.Left());
            break;
        case PictureKind::Png:
            image = DecodePng(*bytes, Budget.Left());
            ClearTransparentWhite(image);
            break;
        case PictureKind::Jpeg:
            image = DecodeJpeg(*bytes, Budget.Left());
            break;
        }
        Budget.Take(static_cast<std::int64_t>(image.width()) * image.height());
    }
    Decoded.emplace(key, image);
    return image;
}
