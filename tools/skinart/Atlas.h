#pragma once
// A picture that holds many small skin elements, each in a rectangle of its own: state columns
// side by side and, for mask type 1, the mask layer below the picture. Elements are drawn
// anti-aliased on a transparent canvas; composing turns the canvas into the bitmap the loader
// expects: the alpha goes into the mask layer (white opaque), magenta stands only where nothing
// is, so no edge ever blends into magenta.

#include <QColor>
#include <QImage>
#include <QRect>
#include <functional>
#include <string>
#include <vector>

class QPainter;

struct AtlasCell {
    int Columns = 1;
    int MaskType = 1; // 0: the picture alone; 1: the picture over its mask layer
    QSize Size;       // one column of one layer
};

struct AtlasSlot {
    std::string Name;
    QPoint At;
    AtlasCell Cell;
    // Mask type 0 has no alpha: soft edges are blended with what the element will sit on, a
    // picture of one cell (the same for every column). Without one, every pixel must be fully
    // opaque or fully transparent.
    QImage Backdrop;

    QRect Rect() const;             // every column and layer
    QRect Column(int column) const; // the picture layer of one column
};

class Atlas {
public:
    // `alphaLevels` grey levels in mask layers (an 8-bit picture cannot spare all 256).
    Atlas(QSize size, int alphaLevels);

    // Reserves a rectangle; raises an Exception when it leaves the picture or overlaps another.
    const AtlasSlot& Place(const std::string& name, QPoint at, const AtlasCell& cell, QImage backdrop = {});
    const AtlasSlot& Slot(const std::string& name) const;

    using ColumnPainter = std::function<void(QPainter& painter, const QRect& cell, int column)>;
    // Draws every column of the slot, each on a transparent canvas of one cell.
    void Paint(const std::string& name, const ColumnPainter& paint);
    // Copies a finished picture (one layer, all columns) into the slot.
    void Put(const std::string& name, const QImage& picture);

    // The bitmap: RGB32, magenta where nothing is.
    QImage Compose() const;
    QSize Size() const { return Canvas.size(); }

    // The grey levels mask layers use, black to white.
    const std::vector<int>& AlphaLevels() const { return Levels; }

private:
    void ComposeSlot(const AtlasSlot& slot, QImage& out) const;
    int QuantiseAlpha(int alpha) const;

    QImage Canvas; // premultiplied ARGB, one layer per slot
    std::vector<AtlasSlot> Slots;
    std::vector<int> Levels;
};

inline constexpr QRgb Magenta = 0xFFFF00FFu;
