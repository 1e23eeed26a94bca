#include "DarkGlassGrain.h"

#include <array>
#include <cmath>
#include <cstdint>

namespace {

constexpr int Size = 256;

// A fixed generator, so the grain is the same on every run and every machine.
class Random {
public:
    explicit Random(std::uint32_t seed) : State(seed) {}
    // Uniform in [0, 1).
    double Next() {
        State ^= State << 13;
        State ^= State >> 17;
        State ^= State << 5;
        return (State & 0xFFFFFF) / double(0x1000000);
    }

private:
    std::uint32_t State;
};

// Value noise on a `cells` x `cells` lattice that wraps at the picture's edge, so it tiles.
std::array<double, Size * Size> SmoothNoise(int cells, std::uint32_t seed) {
    Random random(seed);
    std::vector<double> lattice(cells * cells);
    for (double& v : lattice)
        v = random.Next() * 2 - 1;
    std::array<double, Size * Size> out{};
    const double step = double(Size) / cells;
    for (int y = 0; y < Size; ++y)
        for (int x = 0; x < Size; ++x) {
            const double fx = x / step, fy = y / step;
            const int x0 = int(fx) % cells, y0 = int(fy) % cells;
            const int x1 = (x0 + 1) % cells, y1 = (y0 + 1) % cells;
            const auto smooth = [](double t) {
                return t * t * (3 - 2 * t);
            };
            const double tx = smooth(fx - std::floor(fx)), ty = smooth(fy - std::floor(fy));
            const double top = lattice[y0 * cells + x0] * (1 - tx) + lattice[y0 * cells + x1] * tx;
            const double bottom = lattice[y1 * cells + x0] * (1 - tx) + lattice[y1 * cells + x1] * tx;
            out[y * Size + x] = top * (1 - ty) + bottom * ty;
        }
    return out;
}

} // namespace

QImage DarkGlassGrain() {
    const auto coarse = SmoothNoise(8, 0x5EED1u);
    const auto medium = SmoothNoise(32, 0x5EED2u);
    Random fine(0x5EED3u);
    QImage grain(Size, Size, QImage::Format_Grayscale8);
    for (int y = 0; y < Size; ++y) {
        uchar* row = grain.scanLine(y);
        for (int x = 0; x < Size; ++x) {
            const double v =
                61 + coarse[y * Size + x] * 3.0 + medium[y * Size + x] * 2.5 + (fine.Next() - 0.5) * 11;
            row[x] = static_cast<uchar>(std::clamp(static_cast<int>(std::lround(v)), 0, 255));
        }
    }
    return grain;
}
