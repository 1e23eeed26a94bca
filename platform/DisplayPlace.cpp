#include "DisplayPlace.h"

#if defined(MORVANE_HAVE_XCB)
#include <cstdlib>
#include <xcb/xcb.h>
#endif

std::optional<TDisplayPoint> WindowPlaceOnDisplay(void* xcbConnection, std::uint32_t window) {
#if defined(MORVANE_HAVE_XCB)
    auto* connection = static_cast<xcb_connection_t*>(xcbConnection);
    if (connection == nullptr || window == 0 || xcb_connection_has_error(connection))
        return std::nullopt;
    // The root of the window's own screen, then the window's corner in its coordinates. Errors
    // are taken here, so they never reach the toolkit's queue as someone else's.
    xcb_generic_error_t* error = nullptr;
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), &error);
    std::free(error);
    if (geometry == nullptr)
        return std::nullopt;
    const xcb_window_t root = geometry->root;
    std::free(geometry);
    error = nullptr;
    xcb_translate_coordinates_reply_t* reply = xcb_translate_coordinates_reply(
        connection, xcb_translate_coordinates(connection, window, root, 0, 0), &error);
    std::free(error);
    if (reply == nullptr)
        return std::nullopt;
    const TDisplayPoint place{reply->dst_x, reply->dst_y};
    std::free(reply);
    return place;
#else
    (void)xcbConnection;
    (void)window;
    return std::nullopt;
#endif
}
