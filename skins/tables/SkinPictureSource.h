#pragma once
// Where a skin's pictures come from: the image entries of an unpacked package, or loose files
// in a skin folder. DecodedPictures decodes each picture once per load; QImage shares the
// pixels between the masks that name the same picture.

#include "SkinBudget.h"
#include "SkinPackage.h"

#include <QImage>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

class SkinPictureSource {
public:
    virtual ~SkinPictureSource() = default;
    // Bytes of the named picture; null when there is none. `name` is used as the caller wrote
    // it (the reference rules decide whether it was upper-cased).
    virtual const std::vector<std::uint8_t>* Find(const std::string& name) = 0;
};

class PackagePictureSource : public SkinPictureSource {
public:
    explicit PackagePictureSource(const TacSkinConvertor& package) : Package(package) {}
    const std::vector<std::uint8_t>* Find(const std::string& name) override;

private:
    const TacSkinConvertor& Package;
};

// Files are found as skin path + name. A name that is a path (with a separator, a drive, or
// "." or "..") is no file of the folder and counts as missing.
// Names in skins are upper case while files on a case-sensitive file system may not be, so
// when the exact file is missing a file of the same name in another letter case is used.
// The bytes of every file read count against the skin's unpacked budget, starting from
// `alreadyRead` (the bytes of Options.dat).
class FolderPictureSource : public SkinPictureSource {
public:
    FolderPictureSource(std::string skinPath, std::uint64_t alreadyRead)
        : SkinPath(std::move(skinPath)), BytesRead(alreadyRead) {}
    const std::vector<std::uint8_t>* Find(const std::string& name) override;

private:
    std::string FindIgnoringCase(const std::string& name);

    std::string SkinPath;
    std::uint64_t BytesRead;
    std::map<std::string, std::vector<std::uint8_t>> Files; // by name as asked
    std::map<std::string, bool> Missing;
    // Upper-cased file name -> path in the skin folder, listed once when first needed.
    bool listed_ = false;
    std::map<std::string, std::string> listing_;
};

// Bitmap keeps a bitmap's own alpha (textures draw with it); OpaqueBitmap is the same picture
// as the 24-bit bitmap every other use takes. Png: decoded with every fully transparent white
// pixel ($00FFFFFF) set to 0.
enum class PictureKind { Bitmap, OpaqueBitmap, Png, Jpeg };

class DecodedPictures {
public:
    DecodedPictures(SkinPictureSource& source, PixelBudget& budget) : Source(source), Budget(budget) {}
    // Null image when the picture does not exist or is empty; EInvalidGraphic when it is damaged,
    // ESkinTooLarge when it does not fit in the budget.
    QImage Get(const std::string& name, PictureKind kind);

private:
    SkinPictureSource& Source;
    PixelBudget& Budget;
    std::map<std::pair<int, std::string>, QImage> Decoded;
};

// Reads a whole file of at most `limit` bytes; an Exception when it cannot be read, and
// ESkinTooLarge when it is larger, with `tooLarge` as its message (by default one naming the file).
std::vector<std::uint8_t> ReadWholeFile(const std::string& path, std::uint64_t limit,
                                        const std::string& tooLarge = {});
