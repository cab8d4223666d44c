#include "platform/wayland/SwayWindows.h"

#include "platform/wayland/SwayIpc.h"

#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>

namespace tessel {

namespace {

constexpr char socketVariable[] = "SWAYSOCK";

QRect rectOf(const QJsonObject& node) {
    const QJsonObject rect = node.value(u"rect").toObject();
    return {rect.value(u"x").toInt(), rect.value(u"y").toInt(), rect.value(u"width").toInt(),
            rect.value(u"height").toInt()};
}

void collect(const QJsonObject& node, QList<SwayWindow>& windows) {
    // Views carry a process; containers and workspaces do not.
    if (node.contains(u"pid") && node.value(u"visible").toBool()) {
        windows.append({node.value(u"pid").toInt(), rectOf(node), node.value(u"focused").toBool()});
    }
    for (const char* children : {"nodes", "floating_nodes"}) {
        for (const QJsonValue child : node.value(QLatin1String(children)).toArray()) {
            collect(child.toObject(), windows);
        }
    }
}

} // namespace

QList<SwayWindow> swayWindows(const QJsonObject& tree) {
    QList<SwayWindow> windows;
    collect(tree, windows);
    return windows;
}

std::unique_ptr<SwayWindows> SwayWindows::connectToSway() {
    const QString socket = qEnvironmentVariable(socketVariable);
    return socket.isEmpty() ? nullptr : std::make_unique<SwayWindows>(socket);
}

SwayWindows::SwayWindows(const QString& socketPath)
    : m_events(new SwayIpc(socketPath, this))
    , m_queries(new SwayIpc(socketPath, this)) {
    connect(m_events, &SwayIpc::received, this, [this](uint32_t type) {
        if (type & SwayIpc::eventBit) {
            m_queries->send(SwayIpc::getTree);
        }
    });
    connect(m_queries, &SwayIpc::received, this, &SwayWindows::readTree);
    m_events->send(SwayIpc::subscribe, R"(["window", "workspace"])");
    m_queries->send(SwayIpc::getTree);
}

SwayWindows::~SwayWindows() = default;

void SwayWindows::readTree(uint32_t type, const QByteArray& payload) {
    if (type == SwayIpc::getTree) {
        m_windows = swayWindows(QJsonDocument::fromJson(payload).object());
    }
}

std::optional<QRect> SwayWindows::frontWindow(std::optional<qint32> pid) const {
    const auto focused = [](const SwayWindow& w) { return w.focused; };
    QList<SwayWindow> candidates;
    if (pid) {
        std::copy_if(m_windows.cbegin(), m_windows.cend(), std::back_inserter(candidates),
                     [&pid](const SwayWindow& w) { return w.pid == *pid; });
    }
    if (candidates.isEmpty()) {
        const auto it = std::find_if(m_windows.cbegin(), m_windows.cend(), focused);
        return it == m_windows.cend() ? std::nullopt : std::optional(it->rect);
    }
    const auto it = std::find_if(candidates.cbegin(), candidates.cend(), focused);
    return (it == candidates.cend() ? candidates.front() : *it).rect;
}

} // namespace tessel
