#include "SkinResolve.h"

#include "SectionInheritance.h"

#include <algorithm>
#include <map>
#include <tuple>

namespace {

constexpr QRgb Magenta = 0xFFFF00FFu;

void BuildNameIndex(SkinTables& t) {
    t.Index = {};
    for (std::size_t i = 0; i < t.GeneralData.size(); ++i)
        t.Index.Sections.emplace(t.GeneralData[i].SectionName, static_cast<int>(i));
    for (std::size_t i = 0; i < t.Masks.size(); ++i) {
        const TsMaskData& mask = t.Masks[i];
        const std::string key = MaskKey(mask.SectionName, mask.PropertyName);
        t.Index.Masks.emplace(key, static_cast<int>(i));
        if (mask.ImgType == TacImgType::itisaTexture)
            t.Index.Textures.emplace(key, static_cast<int>(i));
    }
    for (std::size_t i = 0; i < t.Patterns.size(); ++i)
        t.Index.Patterns.emplace(MaskKey(t.Patterns[i].SectionName, t.Patterns[i].PropertyName),
                                 static_cast<int>(i));
}

// A parent chain that loops through several sections is cut where it comes back, so every walk
// along ParentIndex ends.
void ResolveParents(SkinTables& t) {
    for (TsGeneralData& section : t.GeneralData) {
        const std::string& parent = section.ParentClass;
        section.ParentIndex =
            parent.empty() || parent == "?" || parent == section.SectionName ? -1 : t.FindSection(parent);
    }
    enum : char { Unvisited, OnPath, Done };
    std::vector<char> state(t.GeneralData.size(), Unvisited);
    std::vector<int> path;
    for (std::size_t start = 0; start < t.GeneralData.size(); ++start) {
        path.clear();
        for (int i = static_cast<int>(start); i >= 0 && state[i] == Unvisited;) {
            state[i] = OnPath;
            path.push_back(i);
            const int parent = t.GeneralData[i].ParentIndex;
            if (parent >= 0 && state[parent] == OnPath)
                t.GeneralData[i].ParentIndex = -1;
            i = t.GeneralData[i].ParentIndex;
        }
        for (const int i : path)
            state[i] = Done;
    }
}

using NameMap = std::unordered_map<std::string, int>;

// Each section's index for one property: its own entry, else its parent's result, settled for
// all sections in one pass along the parent chains.
template <class Assign>
void ResolveProperty(SkinTables& t, const SectionInheritance& chains, const NameMap& index,
                     const char* property, Assign assign) {
    std::vector<int> own(t.GeneralData.size(), -1);
    for (std::size_t i = 0; i < own.size(); ++i)
        if (const auto it = index.find(MaskKey(t.GeneralData[i].SectionName, property)); it != index.end())
            own[i] = it->second;
    const std::vector<int> from = chains.Providers([&own](std::size_t i) { return own[i] >= 0; });
    for (std::size_t i = 0; i < own.size(); ++i)
        assign(t.GeneralData[i], from[i] < 0 ? -1 : own[static_cast<std::size_t>(from[i])]);
}

void ResolveSectionIndexes(SkinTables& t) {
    static const std::array<const char*, SectionMaskCount> properties = {
        "BORDERSMASK", "IMGTOPLEFT", "IMGTOPRIGHT", "IMGBTMLEFT", "IMGBTMRIGHT",
        "PATTERN",     "HOTPATTERN", "GLYPHMASK",   "LRGN"};
    std::vector<int> parents;
    parents.reserve(t.GeneralData.size());
    for (const TsGeneralData& section : t.GeneralData)
        parents.push_back(section.ParentIndex);
    const SectionInheritance chains(std::move(parents));
    for (std::size_t m = 0; m < properties.size(); ++m) {
        const auto which = static_cast<SectionMask>(m);
        const bool texture = which == SectionMask::Texture || which == SectionMask::HotTexture;
        ResolveProperty(t, chains, texture ? t.Index.Textures : t.Index.Masks, properties[m],
                        [m](TsGeneralData& section, int index) { section.MaskIndex[m] = index; });
    }
    for (std::size_t p = 0; p < 2; ++p)
        ResolveProperty(t, chains, t.Index.Patterns, p == 0 ? "PATTERN" : "HOTPATTERN",
                        [p](TsGeneralData& section, int index) { section.PatternIndex[p] = index; });
}

// Counts and rectangles that the painters can divide by and cut with, without a check.
void NormaliseMask(TsMaskData& mask, const QImage& source) {
    mask.ImageCount = std::max<std::int16_t>(mask.ImageCount, 1);
    mask.MaskType = std::max<std::int16_t>(mask.MaskType, 0);
    mask.Left = std::clamp(mask.Left, 0, source.width());
    mask.Right = std::clamp(mask.Right, mask.Left, source.width());
    mask.Top = std::clamp(mask.Top, 0, source.height());
    mask.Bottom = std::clamp(mask.Bottom, mask.Top, source.height());
    for (std::int16_t* width : {&mask.WL, &mask.WT, &mask.WR, &mask.WB})
        *width = std::max<std::int16_t>(*width, 0);
}

// Premultiplied, the form every mask picture is cut in. Bitmaps without an alpha channel use
// magenta for "no pixel"; pictures with alpha keep it.
QImage WithTransparency(const QImage& source) {
    if (source.hasAlphaChannel())
        return source.convertToFormat(QImage::Format_ARGB32_Premultiplied);
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    const int width = image.width();
    for (int y = 0; y < image.height(); ++y) {
        QRgb* row = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            if (row[x] == Magenta)
                row[x] = 0;
    }
    // Opaque pixels and transparent black are the same premultiplied.
    image.reinterpretAsFormat(QImage::Format_ARGB32_Premultiplied);
    return image;
}

// The grey of the mask layer, taken from its straight colour.
int LayerGrey(QRgb premultiplied) {
    const int alpha = qAlpha(premultiplied);
    return alpha == 255 || alpha == 0 ? qGray(premultiplied) : qGray(qUnpremultiply(premultiplied));
}

QImage CutPicture(const TsMaskData& mask, const QImage& source, PixelBudget& budget) {
    const int width = mask.Right - mask.Left;
    const int layerHeight = (mask.Bottom - mask.Top) / (mask.MaskType + 1);
    if (width <= 0 || layerHeight <= 0)
        return {};
    budget.Take(static_cast<std::int64_t>(width) * layerHeight);
    QImage picture = source.copy(mask.Left, mask.Top, width, layerHeight);
    if (mask.MaskType >= 1) {
        // The grey scales alpha; premultiplied, that scales every channel.
        for (int y = 0; y < layerHeight; ++y) {
            QRgb* row = reinterpret_cast<QRgb*>(picture.scanLine(y));
            const QRgb* alphaRow =
                reinterpret_cast<const QRgb*>(source.constScanLine(mask.Top + layerHeight + y)) + mask.Left;
            for (int x = 0; x < width; ++x) {
                const int grey = LayerGrey(alphaRow[x]);
                const QRgb p = row[x];
                row[x] = qRgba(qRed(p) * grey / 255, qGreen(p) * grey / 255, qBlue(p) * grey / 255,
                               qAlpha(p) * grey / 255);
            }
        }
    }
    return picture;
}

using CutKey = std::tuple<qint64, int, int, int, int, int>; // source, rectangle, mask type

void ResolvePictures(SkinTables& t, PixelBudget& budget) {
    std::map<qint64, QImage> prepared; // by the source picture's cache key
    std::map<CutKey, QImage> cuts;
    const auto preparedSource = [&prepared](const QImage& image) -> const QImage& {
        auto [it, added] = prepared.try_emplace(image.cacheKey());
        if (added)
            it->second = WithTransparency(image);
        return it->second;
    };
    for (TsMaskData& mask : t.Masks) {
        const QImage& raw = mask.Image.isNull() ? t.MasterBitmap : mask.Image;
        if (raw.isNull()) {
            // Nothing to cut from: the rectangle stays as written and draws nothing.
            mask.ImageCount = std::max<std::int16_t>(mask.ImageCount, 1);
            mask.MaskType = std::max<std::int16_t>(mask.MaskType, 0);
            continue;
        }
        const QImage& source = preparedSource(raw);
        NormaliseMask(mask, source);
        // Masks that cut the same rectangle of the same picture share one (a texture named by
        // several sections, say); the budget counts each picture once.
        const CutKey key{raw.cacheKey(), mask.Left, mask.Top, mask.Right, mask.Bottom, mask.MaskType};
        auto [it, added] = cuts.try_emplace(key);
        if (added)
            it->second = CutPicture(mask, source, budget);
        mask.Picture = it->second;
    }
}

} // namespace

std::string MaskKey(const std::string& sectionName, const std::string& propertyName) {
    std::string key;
    key.reserve(sectionName.size() + 1 + propertyName.size());
    key.append(sectionName).push_back('\0');
    key.append(propertyName);
    return key;
}

QRect TsMaskData::Column(int state) const {
    const int width = ColumnWidth();
    const int columns = std::max(1, static_cast<int>(ImageCount));
    // Focus without a column of its own looks normal: the last column of a four-column mask
    // is the disabled one.
    if (state == FocusedColumn && columns <= FocusedColumn)
        state = 0;
    const int column = std::clamp(state, 0, columns - 1);
    return QRect(column * width, 0, width, Picture.height());
}

void ResolveSkinTables(SkinTables& tables, PixelBudget& budget) {
    BuildNameIndex(tables);
    ResolveParents(tables);
    ResolveSectionIndexes(tables);
    ResolvePictures(tables, budget);
}
