#pragma once

#include <QByteArray>
#include <QHash>
#include <QObject>

#include <cstdlib>
#include <functional>
#include <memory>
#include <vector>
#include <xcb/xcb.h>

class QSocketNotifier;

namespace tessel {

struct FreeDeleter {
    void operator()(void* p) const { std::free(p); }
};

// An xcb reply, freed with free() as xcb wants.
template <typename T> using XReply = std::unique_ptr<T, FreeDeleter>;

// Tessel's own connection to the X server, apart from Qt's, so that watchers can select
// events on the root and on other clients' windows without touching Qt's event handling.
class XConnection final : public QObject {
    Q_OBJECT

public:
    using Handler = std::function<void(const xcb_generic_event_t&)>;

    // Connects to $DISPLAY; isValid() is false when no server answers.
    XConnection();
    ~XConnection() override;

    XConnection(const XConnection&) = delete;
    XConnection& operator=(const XConnection&) = delete;

    bool isValid() const { return m_connection != nullptr; }
    xcb_connection_t* get() const { return m_connection; }
    const xcb_screen_t* screen() const { return m_screen; }
    xcb_window_t root() const { return m_screen ? m_screen->root : xcb_window_t{XCB_WINDOW_NONE}; }
    int screenNumber() const { return m_screenNumber; }

    // Interned once, then served from a cache; XCB_ATOM_NONE when the server fails.
    xcb_atom_t atom(const QByteArray& name);

    // Adds the root's property changes, messages sent to it, and the mapping, moving and
    // restacking of its children, to the events that reach the handlers.
    void watchRootProperties();

    // Every event on this connection reaches the handler while context lives.
    void addHandler(const QObject* context, Handler handler);

    void flush() const;

private:
    void dispatchQueued();
    void dispatchPending();
    void dispatch(const xcb_generic_event_t& event);

    xcb_connection_t* m_connection = nullptr;
    const xcb_screen_t* m_screen = nullptr;
    int m_screenNumber = 0;
    QHash<QByteArray, xcb_atom_t> m_atoms;
    std::unique_ptr<QSocketNotifier> m_notifier;
    std::vector<std::pair<const QObject*, Handler>> m_handlers;
};

// Whether an X server answers at $DISPLAY; asks with a connection of its own, closed at once.
bool xDisplayAnswers();

} // namespace tessel
