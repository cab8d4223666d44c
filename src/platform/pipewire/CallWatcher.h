#pragma once

#include <QFileSystemWatcher>
#include <QObject>
#include <QTimer>

#include <memory>

namespace tessel {

// Whether a call or a recording is going on, as PipeWire's graph shows it: another application
// capturing sound or video, a camera running, or a screen being cast. Follows the registry's
// node events on Qt's event loop, so it costs nothing while nothing changes. Without a PipeWire
// daemon nothing is going on; when one starts (or restarts) later, it is followed from then on.
class CallWatcher final : public QObject {
    Q_OBJECT

public:
    explicit CallWatcher(QObject* parent = nullptr);
    ~CallWatcher() override;

    bool inCall() const { return m_inCall; }

Q_SIGNALS:
    void inCallChanged(bool inCall);

private:
    struct Graph;

    void connectToDaemon();
    void daemonLost(const Graph* graph);
    void recount();

    std::unique_ptr<Graph> m_graph;
    QFileSystemWatcher m_runtimeFolder;
    QTimer m_retry;
    int m_retriesLeft = 0;
    bool m_inCall = false;
};

} // namespace tessel
