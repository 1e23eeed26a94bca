#pragma once
// Where the X server has a window, asked of the server itself rather than taken from what the
// toolkit last heard. A toolkit keeps the place of each window from the server's notices, and a
// window manager that frames windows can leave it a stale one.

#include <cstdint>
#include <optional>

struct TDisplayPoint {
    int X = 0;
    int Y = 0;
};

// The top-left corner of the window's client area in root-window pixels. Empty without a
// connection, for window 0, or when the server does not answer (the window is gone). The
// connection is an xcb_connection_t, passed untyped so that callers need no X headers; on a
// build without X it is always empty.
std::optional<TDisplayPoint> WindowPlaceOnDisplay(void* xcbConnection, std::uint32_t window);
