#include "SkinPictureSource.h"

#include "AtomicFile.h"
#include "Exceptions.h"
#include "FileSystem.h"
#include "Format.h"
#include "SkinPictures.h"

#include <cerrno>

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
    // The file is looked at once it is open: a path checked first and opened afterwards could
    // have become a FIFO in between, whose open would wait for a writer for ever.
    std::vector<std::uint8_t> bytes;
    if (ReadRegularFile(path, limit, bytes) == TFileRead::Read)
        return bytes;
    if (errno == EFBIG)
        throw ESkinTooLarge(tooLarge.empty() ? FormatMessage("File \"%s\" is too large", {path}) : tooLarge);
    throw Exception(FormatMessage("Cannot open file \"%s\"", {path}));
}

std::string FolderPictureSource::FindIgnoringCase(const std::string& name) {
    // The skin folder is listed once, and only so far: a folder of more files is no skin's.
    constexpr std::size_t MostFiles = 65536;
    if (!listed_) {
        listed_ = true;
        std::vector<std::string> names;
        if (ListFolder(SkinPath.empty() ? "." : SkinPath, MostFiles, names))
            for (const std::string& file : names)
                listing_.emplace(UpperCase(file), SkinPath + file);
    }
    const auto found = listing_.find(UpperCase(name));
    return found == listing_.end() || !FileExists(found->second) ? std::string() : found->second;
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
    // A picture of a skin folder is a file in that folder: a name that is a path (a separator,
    // a parent folder, a drive) would have the skin read whatever the user may read.
    const bool plainName =
        !name.empty() && name != "." && name != ".." && name.find_first_of("/\\:") == std::string::npos;
    std::string path;
    if (plainName)
        path = FileExists(SkinPath + name) ? SkinPath + name : FindIgnoringCase(name);
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
