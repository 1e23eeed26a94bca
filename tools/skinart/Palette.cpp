#include "Palette.h"

#include "Atlas.h"

#include <algorithm>
#include <array>
#include <map>
#include <set>

namespace {

struct Entry {
    std::array<int, 3> Rgb;
    long Count;
};

std::array<int, 3> Channels(QRgb color) {
    return {qRed(color), qGreen(color), qBlue(color)};
}

// Weighted squared distance; the eye is most sensitive to green, least to blue.
long Distance(const std::array<int, 3>& a, const std::array<int, 3>& b) {
    const long r = a[0] - b[0], g = a[1] - b[1], bl = a[2] - b[2];
    return 3 * r * r + 4 * g * g + 2 * bl * bl;
}

struct Box {
    std::vector<Entry> Entries;
    long Population() const {
        long sum = 0;
        for (const Entry& e : Entries)
            sum += e.Count;
        return sum;
    }
    // Widest channel and its range.
    std::pair<int, int> Widest() const {
        int best = 0, range = -1;
        for (int c = 0; c < 3; ++c) {
            const auto [lo, hi] =
                std::minmax_element(Entries.begin(), Entries.end(),
                                    [c](const Entry& a, const Entry& b) { return a.Rgb[c] < b.Rgb[c]; });
            if (hi->Rgb[c] - lo->Rgb[c] > range) {
                range = hi->Rgb[c] - lo->Rgb[c];
                best = c;
            }
        }
        return {best, range};
    }
    std::array<int, 3> Mean() const {
        std::array<double, 3> sum{};
        long count = 0;
        for (const Entry& e : Entries) {
            for (int c = 0; c < 3; ++c)
                sum[c] += static_cast<double>(e.Rgb[c]) * e.Count;
            count += e.Count;
        }
        std::array<int, 3> mean{};
        for (int c = 0; c < 3; ++c)
            mean[c] = static_cast<int>(sum[c] / count + 0.5);
        return mean;
    }
};

// Splits at the weighted median of the widest channel; ties are broken by the colour itself so
// the result never depends on anything but the picture.
std::pair<Box, Box> Split(Box box) {
    const int channel = box.Widest().first;
    std::sort(box.Entries.begin(), box.Entries.end(), [channel](const Entry& a, const Entry& b) {
        return a.Rgb[channel] != b.Rgb[channel] ? a.Rgb[channel] < b.Rgb[channel] : a.Rgb < b.Rgb;
    });
    const long half = box.Population() / 2;
    long running = 0;
    std::size_t cut = 1;
    for (std::size_t i = 0; i + 1 < box.Entries.size(); ++i) {
        running += box.Entries[i].Count;
        cut = i + 1;
        if (running >= half)
            break;
    }
    Box first{{box.Entries.begin(), box.Entries.begin() + static_cast<long>(cut)}};
    Box second{{box.Entries.begin() + static_cast<long>(cut), box.Entries.end()}};
    return {first, second};
}

std::vector<std::array<int, 3>> MedianCut(const std::vector<Entry>& colours, int wanted) {
    std::vector<Box> boxes{Box{colours}};
    while (static_cast<int>(boxes.size()) < wanted) {
        // The box whose colours spread most, weighted by how many pixels it holds.
        auto worst = boxes.end();
        double worstScore = 0;
        for (auto it = boxes.begin(); it != boxes.end(); ++it) {
            if (it->Entries.size() < 2)
                continue;
            const int range = it->Widest().second;
            const double score = static_cast<double>(range) * range * static_cast<double>(it->Population());
            if (score > worstScore) {
                worstScore = score;
                worst = it;
            }
        }
        if (worst == boxes.end())
            break;
        auto [a, b] = Split(std::move(*worst));
        *worst = std::move(a);
        boxes.push_back(std::move(b));
    }
    std::vector<std::array<int, 3>> means;
    for (const Box& box : boxes)
        means.push_back(box.Mean());
    return means;
}

std::size_t Nearest(const std::vector<std::array<int, 3>>& palette, const std::array<int, 3>& colour) {
    std::size_t best = 0;
    long bestDistance = -1;
    for (std::size_t i = 0; i < palette.size(); ++i) {
        const long d = Distance(palette[i], colour);
        if (bestDistance < 0 || d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}

// Lloyd rounds: each free entry moves to the mean of the colours nearest to it; the reserved
// entries (the first `fixed`) stay.
void Refine(std::vector<std::array<int, 3>>& palette, std::size_t fixed, const std::vector<Entry>& colours) {
    for (int round = 0; round < 6; ++round) {
        std::vector<std::array<double, 4>> sums(palette.size(), {0, 0, 0, 0});
        for (const Entry& e : colours) {
            auto& s = sums[Nearest(palette, e.Rgb)];
            for (int c = 0; c < 3; ++c)
                s[c] += static_cast<double>(e.Rgb[c]) * e.Count;
            s[3] += static_cast<double>(e.Count);
        }
        for (std::size_t i = fixed; i < palette.size(); ++i)
            if (sums[i][3] > 0)
                for (int c = 0; c < 3; ++c)
                    palette[i][c] = static_cast<int>(sums[i][c] / sums[i][3] + 0.5);
    }
}

} // namespace

QImage ReduceColours(const QImage& source, const std::vector<QRgb>& reserved, int entries) {
    const QImage picture = source.convertToFormat(QImage::Format_RGB32);
    const std::set<QRgb> reservedSet(reserved.begin(), reserved.end());
    std::map<QRgb, long> histogram;
    for (int y = 0; y < picture.height(); ++y) {
        const auto* row = reinterpret_cast<const QRgb*>(picture.constScanLine(y));
        for (int x = 0; x < picture.width(); ++x)
            if (!reservedSet.count(row[x] | 0xFF000000u))
                ++histogram[row[x] | 0xFF000000u];
    }
    std::vector<Entry> colours;
    for (const auto& [color, count] : histogram)
        colours.push_back({Channels(color), count});

    // Magenta is kept out of the search: a pixel is magenta only when it was.
    std::vector<std::array<int, 3>> palette;
    for (const QRgb color : reservedSet)
        if (color != Magenta)
            palette.push_back(Channels(color));
    const std::size_t fixed = palette.size();
    const int free = entries - static_cast<int>(reservedSet.size());
    std::map<QRgb, QRgb> mapping;
    if (static_cast<int>(colours.size()) <= free) {
        for (const auto& [color, count] : histogram)
            mapping[color] = color;
    } else {
        for (const auto& mean : MedianCut(colours, free))
            palette.push_back(mean);
        Refine(palette, fixed, colours);
        for (const Entry& e : colours) {
            const auto& p = palette[Nearest(palette, e.Rgb)];
            mapping[qRgb(e.Rgb[0], e.Rgb[1], e.Rgb[2])] = qRgb(p[0], p[1], p[2]);
        }
    }
    QImage out = picture;
    for (int y = 0; y < out.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb color = row[x] | 0xFF000000u;
            row[x] = reservedSet.count(color) ? color : mapping.at(color);
        }
    }
    return out;
}
