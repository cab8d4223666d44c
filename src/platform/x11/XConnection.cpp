#include "platform/x11/XConnection.h"

#include "platform/PlatformLog.h"

#include <QAbstractEventDispatcher>
#include <QCoreApplication>
#include <QSocketNotifier>

#include <algorithm>
#include <utility>

namespace tessel {

namespace {

// Each part that watches X opens its own connection, and they all fail alike; once is enough.
void warnUnconnected(const QString& why) {
    static bool warned = false;
    if (!std::exchange(warned, true)) {
        qCWarning(lcPlatform, "%s: windows, idle time and global shortcuts go unseen",
                  qUtf8Printable(why));
    }
}

} // namespace

XConnection::XConnection() {
    const QString display = qEnvironmentVariable("DISPLAY");
    if (display.isEmpty()) {
        warnUnconnected(QStringLiteral("DISPLAY is not set"));
        return;
    }
    xcb_connection_t* connection = xcb_connect(nullptr, &m_screenNumber);
    if (xcb_connection_has_error(connection)) {
        warnUnconnected(QStringLiteral("cannot connect to X display %1").arg(display));
        xcb_disconnect(connection);
        return;
    }
    xcb_screen_iterator_t it = xcb_setup_roots_iterator(xcb_get_setup(connection));
    for (int i = 0; i < m_screenNumber && it.rem > 0; ++i) {
        xcb_screen_next(&it);
    }
    if (it.rem == 0) {
        warnUnconnected(
            QStringLiteral("X display %1 has no screen %2").arg(display).arg(m_screenNumber));
        xcb_disconnect(connection);
        return;
    }
    m_connection = connection;
    m_screen = it.data;

    m_notifier = std::make_unique<QSocketNotifier>(xcb_get_file_descriptor(m_connection),
                                                   QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &XConnection::dispatchPending);
    // Replies read for our own requests can pull events into xcb's queue without the socket
    // becoming readable again, so drain the queue whenever the event loop is about to sleep.
    if (auto* dispatcher = QAbstractEventDispatcher::instance()) {
        connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, this,
                &XConnection::dispatchQueued);
    }
}

XConnection::~XConnection() {
    m_notifier.reset();
    if (m_connection) {
        xcb_disconnect(m_connection);
    }
}

xcb_atom_t XConnection::atom(const QByteArray& name) {
    if (!m_connection) {
        return XCB_ATOM_NONE;
    }
    if (const auto it = m_atoms.constFind(name); it != m_atoms.constEnd()) {
        return *it;
    }
    const auto cookie = xcb_intern_atom(m_connection, 0, name.size(), name.constData());
    XReply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(m_connection, cookie, nullptr));
    const xcb_atom_t result = reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
    if (result != XCB_ATOM_NONE) {
        m_atoms.insert(name, result);
    }
    return result;
}

void XConnection::watchRootProperties() {
    if (!m_connection) {
        return;
    }
    // Top-level windows mapping, moving and restacking come along: the window list relies on it.
    // So do the MANAGER messages a new selection owner sends the root (XSETTINGS).
    const uint32_t mask = XCB_EVENT_MASK_PROPERTY_CHANGE | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY |
                          XCB_EVENT_MASK_STRUCTURE_NOTIFY;
    xcb_change_window_attributes(m_connection, root(), XCB_CW_EVENT_MASK, &mask);
    flush();
}

void XConnection::addHandler(const QObject* context, Handler handler) {
    m_handlers.emplace_back(context, std::move(handler));
    connect(context, &QObject::destroyed, this, [this, context] {
        std::erase_if(m_handlers, [context](const auto& entry) { return entry.first == context; });
    });
}

void XConnection::flush() const {
    if (m_connection) {
        xcb_flush(m_connection);
    }
}

void XConnection::dispatchQueued() {
    if (!m_connection) {
        return;
    }
    while (XReply<xcb_generic_event_t> event{xcb_poll_for_queued_event(m_connection)}) {
        dispatch(*event);
    }
}

void XConnection::dispatchPending() {
    while (XReply<xcb_generic_event_t> event{xcb_poll_for_event(m_connection)}) {
        dispatch(*event);
    }
    if (xcb_connection_has_error(m_connection)) {
        // The server went away; a dead socket would otherwise wake us forever.
        qCWarning(lcPlatform, "lost the connection to the X display");
        m_notifier->setEnabled(false);
    }
}

void XConnection::dispatch(const xcb_generic_event_t& event) {
    // A handler may add handlers, so walk a copy.
    const auto handlers = m_handlers;
    for (const auto& [context, handler] : handlers) {
        handler(event);
    }
}

bool xDisplayAnswers() {
    xcb_connection_t* connection = xcb_connect(nullptr, nullptr);
    const bool answers = xcb_connection_has_error(connection) == 0;
    xcb_disconnect(connection);
    return answers;
}

} // namespace tessel
