#pragma once
// The glow that runs along a gauge's filled bar: its timing rules and its picture.

#include <QImage>
#include <optional>

// Where the glow is and how far through its cycle. A cycle lasts 2,222 ms (102 ticks of 22 ms):
// the glow starts 300 pixels before the bar, crosses it in steps of at least 15 pixels, and
// rests for what is left of the cycle.
struct GaugeGlowState {
    int Position = 9999; // pixel offset of the glow's starting end along the bar
    int Counter = 2223;  // milliseconds into the cycle; above 2222 a new cycle starts at once
};

inline constexpr int GlowTickMilliseconds = 22;
inline constexpr int GlowLength = 300;

// The step of a bar `length` pixels long: length x 44 / 2222 rounded, at least 15.
int GlowStep(int length);

// One tick: the position to draw the glow at now, or nothing while it rests; the position then
// advances by one step. (Whether the gauge is visible and has progress is the caller's check.)
std::optional<int> GlowTick(GaugeGlowState& state, int length);

// The glow picture, 300 pixels long and `thickness` pixels thick, made from the soft highlight
// built into the program; premultiplied ARGB, horizontal.
QImage GlowPicture(int thickness);
