#pragma once

#include "platform/x11/XConnection.h"

namespace tessel {

// Desktop switches (_NET_CURRENT_DESKTOP) and the end of the screen saver.
class WorkspaceWatcher final : public QObject {
    Q_OBJECT

public:
    explicit WorkspaceWatcher(XConnection& x);

Q_SIGNALS:
    void desktopChanged();
    void screensWoke();

private:
    void watchDesktop();
    void watchScreenSaver();

    XConnection& m_x;
};

} // namespace tessel
