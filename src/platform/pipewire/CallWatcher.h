#pragma once

#include <QObject>

#include <memory>

namespace tessel {

// Whether a call or a recording is going on, as PipeWire's graph shows it: another application
// capturing sound or video, a camera running, or a screen being cast. Follows the registry's
// node events on Qt's event loop, so it costs nothing while nothing changes. Without a PipeWire
// daemon (or once it goes away) nothing is going on.
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

    void recount();

    std::unique_ptr<Graph> m_graph;
    bool m_inCall = false;
};

} // namespace tessel
