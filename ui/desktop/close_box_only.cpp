#include "ui/desktop/close_box_only.h"

#include <QGuiApplication>
#include <QWidget>

#include <xcb/xcb.h>

#include <array>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <optional>
#include <vector>

namespace close_box_only {

bool windowManagerIgnoresButtonHints(QByteArrayView windowManagerName) {
  // Matched whole: a manager's name is fixed, and a wider match would retype
  // windows under managers that follow the hints and treat toolbars
  // differently (no title bar, no focus on click).
  static constexpr std::array kIgnoring = {QByteArrayView("Openbox")};
  for (QByteArrayView name : kIgnoring)
    if (windowManagerName == name) return true;
  return false;
}

namespace {

struct FreeDeleter {
  void operator()(void *p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, FreeDeleter>;

class X11Window {
public:
  X11Window(xcb_connection_t *connection, xcb_window_t window)
      : m_connection(connection), m_window(window) {}

  xcb_atom_t atom(const char *name) const {
    Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
        m_connection,
        xcb_intern_atom(m_connection, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
    return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
  }

  // The property's 32-bit items (atoms, windows, cards); empty if unset or
  // of another type.
  std::vector<uint32_t> items(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const {
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, property, type, 0, 64), nullptr));
    if (!reply || reply->type != type || reply->format != 32) return {};
    const auto *first = static_cast<const uint32_t *>(xcb_get_property_value(reply.get()));
    return {first, first + xcb_get_property_value_length(reply.get()) / 4};
  }

  QByteArray text(xcb_window_t window, xcb_atom_t property, xcb_atom_t type) const {
    Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
        m_connection, xcb_get_property(m_connection, 0, window, property, type, 0, 256), nullptr));
    if (!reply || reply->type != type || reply->format != 8) return {};
    return QByteArray(static_cast<const char *>(xcb_get_property_value(reply.get())),
                      xcb_get_property_value_length(reply.get()));
  }

  void setItems(xcb_atom_t property, xcb_atom_t type, const std::vector<uint32_t> &values) const {
    xcb_change_property(m_connection, XCB_PROP_MODE_REPLACE, m_window, property, type, 32,
                        static_cast<uint32_t>(values.size()), values.data());
  }

  xcb_window_t root() const {
    Reply<xcb_query_tree_reply_t> reply(
        xcb_query_tree_reply(m_connection, xcb_query_tree(m_connection, m_window), nullptr));
    return reply ? reply->root : xcb_window_t{XCB_WINDOW_NONE};
  }

  // The running EWMH manager's name, from the check window it keeps; empty
  // when none runs or a manager that died left a stale check behind.
  QByteArray windowManagerName() const {
    const xcb_atom_t check = atom("_NET_SUPPORTING_WM_CHECK");
    const std::vector<uint32_t> fromRoot = items(root(), check, XCB_ATOM_WINDOW);
    if (fromRoot.size() != 1) return {};
    const std::vector<uint32_t> fromItself = items(fromRoot[0], check, XCB_ATOM_WINDOW);
    if (fromItself != fromRoot) return {};
    return text(fromRoot[0], atom("_NET_WM_NAME"), atom("UTF8_STRING"));
  }

  xcb_window_t id() const { return m_window; }

private:
  xcb_connection_t *m_connection;
  xcb_window_t m_window;
};

// WM_HINTS' flag for the window_group field (ICCCM 4.1.2.4).
constexpr uint32_t kWindowGroupHint = 1u << 6;

void leaveWindowGroup(const X11Window &window) {
  std::vector<uint32_t> hints = window.items(window.id(), XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS);
  if (hints.empty() || !(hints[0] & kWindowGroupHint)) return;
  hints[0] &= ~kWindowGroupHint;
  window.setItems(XCB_ATOM_WM_HINTS, XCB_ATOM_WM_HINTS, hints);
}

// The toolbar type goes first: the manager takes the first type it knows,
// and keeps what Qt set as the choice of any manager that knows no toolbar.
void typeAsToolbar(const X11Window &window) {
  const xcb_atom_t typeProperty = window.atom("_NET_WM_WINDOW_TYPE");
  const xcb_atom_t toolbar = window.atom("_NET_WM_WINDOW_TYPE_TOOLBAR");
  std::vector<uint32_t> types = window.items(window.id(), typeProperty, XCB_ATOM_ATOM);
  if (!types.empty() && types.front() == toolbar) return;
  std::erase(types, toolbar);
  types.insert(types.begin(), toolbar);
  window.setItems(typeProperty, XCB_ATOM_ATOM, types);
}

}  // namespace

void applyBeforeMap(QWidget *widget, Group group) {
  auto *x11 = qGuiApp ? qGuiApp->nativeInterface<QNativeInterface::QX11Application>() : nullptr;
  if (!x11 || !x11->connection() || !widget->internalWinId()) return;
  const X11Window window(x11->connection(), static_cast<xcb_window_t>(widget->internalWinId()));
  if (!windowManagerIgnoresButtonHints(window.windowManagerName())) return;
  typeAsToolbar(window);
  if (group == Group::Leave) leaveWindowGroup(window);
}

}  // namespace close_box_only
