#include "SystemColors.h"

#include <array>

namespace {

constexpr std::int32_t Rgb(int r, int g, int b) {
    return r | g << 8 | b << 16;
}

// Windows' default colours, by system colour index (COLOR_SCROLLBAR = 0 .. COLOR_MENUBAR = 30).
constexpr std::array<std::int32_t, 31> DefaultSystemColors = {
    Rgb(200, 200, 200), // COLOR_SCROLLBAR
    Rgb(0, 0, 0),       // COLOR_BACKGROUND
    Rgb(153, 180, 209), // COLOR_ACTIVECAPTION
    Rgb(191, 205, 219), // COLOR_INACTIVECAPTION
    Rgb(240, 240, 240), // COLOR_MENU
    Rgb(255, 255, 255), // COLOR_WINDOW
    Rgb(100, 100, 100), // COLOR_WINDOWFRAME
    Rgb(0, 0, 0),       // COLOR_MENUTEXT
    Rgb(0, 0, 0),       // COLOR_WINDOWTEXT
    Rgb(0, 0, 0),       // COLOR_CAPTIONTEXT
    Rgb(180, 180, 180), // COLOR_ACTIVEBORDER
    Rgb(244, 247, 252), // COLOR_INACTIVEBORDER
    Rgb(171, 171, 171), // COLOR_APPWORKSPACE
    Rgb(0, 120, 215),   // COLOR_HIGHLIGHT
    Rgb(255, 255, 255), // COLOR_HIGHLIGHTTEXT
    Rgb(240, 240, 240), // COLOR_BTNFACE
    Rgb(160, 160, 160), // COLOR_BTNSHADOW
    Rgb(109, 109, 109), // COLOR_GRAYTEXT
    Rgb(0, 0, 0),       // COLOR_BTNTEXT
    Rgb(0, 0, 0),       // COLOR_INACTIVECAPTIONTEXT
    Rgb(255, 255, 255), // COLOR_BTNHIGHLIGHT
    Rgb(105, 105, 105), // COLOR_3DDKSHADOW
    Rgb(227, 227, 227), // COLOR_3DLIGHT
    Rgb(0, 0, 0),       // COLOR_INFOTEXT
    Rgb(255, 255, 225), // COLOR_INFOBK
    Rgb(0, 0, 0),       // index 25 is not used by Windows
    Rgb(0, 102, 204),   // COLOR_HOTLIGHT
    Rgb(185, 209, 234), // COLOR_GRADIENTACTIVECAPTION
    Rgb(215, 228, 242), // COLOR_GRADIENTINACTIVECAPTION
    Rgb(0, 120, 215),   // COLOR_MENUHILIGHT
    Rgb(240, 240, 240), // COLOR_MENUBAR
};

} // namespace

std::int32_t ColorToRGB(std::int32_t color) {
    if (color >= 0)
        return color;
    const std::size_t index = static_cast<std::uint32_t>(color) & 0xFF;
    return index < DefaultSystemColors.size() ? DefaultSystemColors[index] : 0;
}
