#include "WindowManagerDrag.h"

#ifdef MORVANE_HAVE_XCB
#include <xcb/xcb.h>

#include <cstdlib>
#include <cstring>

namespace {

constexpr std::uint32_t MoveResizeCancel = 11; // _NET_WM_MOVERESIZE_CANCEL
constexpr std::uint32_t FromApplication = 1;   // the source indication of a normal program

} // namespace

bool CancelWindowManagerDrag(void* xcbConnection, std::uint32_t window) {
    auto* connection = static_cast<xcb_connection_t*>(xcbConnection);
    if (connection == nullptr || window == 0 || xcb_connection_has_error(connection))
        return false;
    const char name[] = "_NET_WM_MOVERESIZE";
    xcb_intern_atom_reply_t* atom =
        xcb_intern_atom_reply(connection, xcb_intern_atom(connection, 0, sizeof name - 1, name), nullptr);
    xcb_get_geometry_reply_t* geometry =
        xcb_get_geometry_reply(connection, xcb_get_geometry(connection, window), nullptr);
    const bool asked = atom != nullptr && geometry != nullptr;
    if (asked) {
        xcb_client_message_event_t message;
        std::memset(&message, 0, sizeof message);
        message.response_type = XCB_CLIENT_MESSAGE;
        message.format = 32;
        message.window = window;
        message.type = atom->atom;
        message.data.data32[2] = MoveResizeCancel;
        message.data.data32[3] = 1; // the first button
        message.data.data32[4] = FromApplication;
        xcb_send_event(connection, 0, geometry->root,
                       XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                       reinterpret_cast<const char*>(&message));
        xcb_flush(connection);
    }
    std::free(atom);
    std::free(geometry);
    return asked;
}

#else

bool CancelWindowManagerDrag(void*, std::uint32_t) {
    return false;
}

#endif
