#include "Atlas.h"

#include "Exceptions.h"

#include <QPainter>
#include <algorithm>
#include <cmath>

QRect AtlasSlot::Rect() const {
    return QRect(At, QSize(Cell.Size.width() * Cell.Columns, Cell.Size.height() * (Cell.MaskType + 1)));
}

QRect AtlasSlot::Column(int column) const {
    return QRect(At + QPoint(column * Cell.Size.width(), 0), Cell.Size);
}

Atlas::Atlas(QSize size, int alphaLevels) : Canvas(size, QImage::Format_ARGB32_Premultiplied) {
    Canvas.fill(Qt::transparent);
    for (int i = 0; i < alphaLevels; ++i)
        Levels.push_back(static_cast<int>(std::lround(i * 255.0 / (alphaLevels - 1))));
}

const AtlasSlot& Atlas::Place(const std::string& name, QPoint at, const AtlasCell& cell, QImage backdrop) {
    if (!backdrop.isNull() && backdrop.size() != cell.Size)
        throw Exception("Backdrop of atlas element " + name + " is not one cell");
    AtlasSlot slot{name, at, cell, backdrop};
    const QRect rect = slot.Rect();
    if (!QRect(QPoint(), Canvas.size()).contains(rect))
        throw Exception("Atlas element " + name + " leaves the picture");
    for (const AtlasSlot& other : Slots) {
        if (other.Name == name)
            throw Exception("Atlas element " + name + " is placed twice");
        if (other.Rect().intersects(rect))
            throw Exception("Atlas element " + name + " overlaps " + other.Name);
    }
    Slots.push_back(slot);
    return Slots.back();
}

const AtlasSlot& Atlas::Slot(const std::string& name) const {
    for (const AtlasSlot& slot : Slots)
        if (slot.Name == name)
            return slot;
    throw Exception("Atlas has no element " + name);
}

void Atlas::Paint(const std::string& name, const ColumnPainter& paint) {
    const AtlasSlot& slot = Slot(name);
    QPainter canvas(&Canvas);
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    for (int column = 0; column < slot.Cell.Columns; ++column) {
        QImage cell(slot.Cell.Size, QImage::Format_ARGB32_Premultiplied);
        cell.fill(Qt::transparent);
        {
            QPainter painter(&cell);
            painter.setRenderHint(QPainter::Antialiasing);
            paint(painter, cell.rect(), column);
        }
        canvas.drawImage(slot.Column(column).topLeft(), cell);
    }
}

void Atlas::Put(const std::string& name, const QImage& picture) {
    const AtlasSlot& slot = Slot(name);
    const QRect layer(slot.At, QSize(slot.Cell.Size.width() * slot.Cell.Columns, slot.Cell.Size.height()));
    if (picture.size() != layer.size())
        throw Exception("Picture for atlas element " + name + " has the wrong size");
    QPainter canvas(&Canvas);
    canvas.setCompositionMode(QPainter::CompositionMode_Source);
    canvas.drawImage(layer.topLeft(), picture.convertToFormat(QImage::Format_ARGB32_Premultiplied));
}

int Atlas::QuantiseAlpha(int alpha) const {
    const auto nearest = std::min_element(Levels.begin(), Levels.end(), [alpha](int a, int b) {
        return std::abs(a - alpha) < std::abs(b - alpha);
    });
    return *nearest;
}

namespace {

// A colour may be anything but magenta, which only ever means "no pixel".
QRgb NotMagenta(QRgb color) {
    return (color | 0xFF000000u) == Magenta ? qRgb(254, 0, 255) : (color | 0xFF000000u);
}

QRgb OverBackdrop(QRgb premultiplied, QRgb backdrop) {
    const int a = qAlpha(premultiplied);
    const auto channel = [a](int top, int under) {
        return std::clamp(top + (under * (255 - a) + 127) / 255, 0, 255);
    };
    return qRgb(channel(qRed(premultiplied), qRed(backdrop)),
                channel(qGreen(premultiplied), qGreen(backdrop)),
                channel(qBlue(premultiplied), qBlue(backdrop)));
}

} // namespace

void Atlas::ComposeSlot(const AtlasSlot& slot, QImage& out) const {
    const int width = slot.Cell.Size.width() * slot.Cell.Columns;
    const int height = slot.Cell.Size.height();
    for (int y = 0; y < height; ++y) {
        const auto* in = reinterpret_cast<const QRgb*>(Canvas.constScanLine(slot.At.y() + y)) + slot.At.x();
        auto* picture = reinterpret_cast<QRgb*>(out.scanLine(slot.At.y() + y)) + slot.At.x();
        auto* mask = slot.Cell.MaskType >= 1
                         ? reinterpret_cast<QRgb*>(out.scanLine(slot.At.y() + height + y)) + slot.At.x()
                         : nullptr;
        for (int x = 0; x < width; ++x) {
            const int alpha = qAlpha(in[x]);
            if (mask != nullptr) {
                const int level = QuantiseAlpha(alpha);
                picture[x] = level == 0 ? Magenta : NotMagenta(qUnpremultiply(in[x]));
                mask[x] = qRgb(level, level, level);
            } else if (alpha == 255) {
                picture[x] = NotMagenta(in[x]);
            } else if (alpha < 8) {
                picture[x] = Magenta;
            } else if (!slot.Backdrop.isNull()) {
                const QRgb under = slot.Backdrop.pixel(x % slot.Cell.Size.width(), y);
                picture[x] = NotMagenta(OverBackdrop(in[x], under));
            } else {
                throw Exception("Atlas element " + slot.Name +
                                " has soft edges but neither mask layer nor backdrop");
            }
        }
    }
}

QImage Atlas::Compose() const {
    QImage out(Canvas.size(), QImage::Format_RGB32);
    out.fill(Magenta);
    for (const AtlasSlot& slot : Slots)
        ComposeSlot(slot, out);
    return out;
}
