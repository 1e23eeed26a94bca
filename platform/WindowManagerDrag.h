#pragma once
// Ending a move or resize the window manager was asked to carry out for a window, before the
// manager has taken the pointer. A press and release quick enough to fall between the request
// and the manager's grab leaves the manager waiting for a release that has already come: the
// window would follow the pointer, with no button held, until the next click.

#include <cstdint>

// Asks the window manager to cancel its move or resize of the window (the EWMH request for it).
// The connection is an xcb_connection_t, passed untyped so that callers need no X headers.
// Returns false without a connection, for window 0, or on a build without X.
bool CancelWindowManagerDrag(void* xcbConnection, std::uint32_t window);
