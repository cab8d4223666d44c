#pragma once

#include "platform/x11/XConnection.h"

namespace tessel {

// Whether a compositing manager runs: the owner of _NET_WM_CM_S<screen>, followed through
// XFixes selection events as managers come and go.
class CompositorWatcher final : public QObject {
    Q_OBJECT

public:
    explicit CompositorWatcher(XConnection& x);

    bool isRunning() const { return m_running; }

Q_SIGNALS:
    void changed();

private:
    bool queryOwner() const;

    XConnection& m_x;
    xcb_atom_t m_selection = XCB_ATOM_NONE;
    bool m_running = false;
};

} // namespace tessel
