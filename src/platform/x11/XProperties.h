#pragma once

#include "platform/x11/XConnection.h"

#include <QByteArray>
#include <QRect>

#include <optional>
#include <vector>

namespace tessel {

// Reading the window properties of other clients. A missing property, a wrong type or a
// vanished window all read as empty.
namespace xprop {

// 32-bit items (CARDINAL, WINDOW, ATOM lists) of a property of the given type.
std::vector<uint32_t> values(XConnection& x, xcb_window_t window, const QByteArray& property,
                             xcb_atom_t type);
std::optional<uint32_t> value(XConnection& x, xcb_window_t window, const QByteArray& property,
                              xcb_atom_t type);

// The raw bytes of a text property of any type.
std::optional<QByteArray> text(XConnection& x, xcb_window_t window, const QByteArray& property);

// _NET_WM_PID of each window, asked of the server in one round trip; 0 where absent.
std::vector<uint32_t> pids(XConnection& x, const std::vector<xcb_window_t>& windows);

// The window's rectangle in root coordinates, without any decoration.
std::optional<QRect> rootGeometry(XConnection& x, xcb_window_t window);

// The ancestor of a window that is a direct child of the root.
xcb_window_t topLevelOf(XConnection& x, xcb_window_t window);

} // namespace xprop

} // namespace tessel
