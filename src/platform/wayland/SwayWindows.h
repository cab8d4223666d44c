#pragma once

#include <QJsonObject>
#include <QList>
#include <QObject>
#include <QRect>

#include <memory>
#include <optional>

namespace tessel {

class SwayIpc;

// A window in sway's layout: its process, its frame in layout pixels (y down), and whether
// it has the focus.
struct SwayWindow {
    qint32 pid = 0;
    QRect rect;
    bool focused = false;

    friend bool operator==(const SwayWindow&, const SwayWindow&) = default;
};

// The visible windows in a get_tree reply, in tree order.
QList<SwayWindow> swayWindows(const QJsonObject& tree);

// The window frames sway knows, read again whenever a window or workspace changes: a
// subscription on one connection, get_tree on another, so that neither ever waits.
class SwayWindows final : public QObject {
    Q_OBJECT

public:
    // Where sway's IPC can be reached (SWAYSOCK set), else null.
    static std::unique_ptr<SwayWindows> connectToSway();

    explicit SwayWindows(const QString& socketPath);
    ~SwayWindows() override;

    // The process's focused window, else its first visible one; without a process or any
    // window of it, the focused window.
    std::optional<QRect> frontWindow(std::optional<qint32> pid) const;

private:
    void readTree(uint32_t type, const QByteArray& payload);

    SwayIpc* m_events;
    SwayIpc* m_queries;
    QList<SwayWindow> m_windows;
};

} // namespace tessel
