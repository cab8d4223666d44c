#include "platform/pipewire/CallWatcher.h"

#include "platform/PlatformLog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QSocketNotifier>

#include <algorithm>
#include <array>
#include <cerrno>
#include <map>
#include <pipewire/pipewire.h>
#include <string_view>

namespace tessel {

namespace {

// The daemon's socket appears a moment before it listens; a refused connection is tried again.
constexpr int retryIntervalMs = 200;
constexpr int retriesPerSocket = 25;

// Where the daemon listens, by PipeWire's own rule for the default remote.
QString daemonSocket() {
    const QString folder = qEnvironmentVariableIsSet("PIPEWIRE_RUNTIME_DIR")
                               ? qEnvironmentVariable("PIPEWIRE_RUNTIME_DIR")
                               : qEnvironmentVariable("XDG_RUNTIME_DIR");
    const QString name = qEnvironmentVariableIsSet("PIPEWIRE_REMOTE")
                             ? qEnvironmentVariable("PIPEWIRE_REMOTE")
                             : QStringLiteral("pipewire-0");
    return QDir(folder).filePath(name);
}

// Nodes that take sound or pictures in, or give a camera's or a screen's pictures out: a call,
// a recorder, a camera, a screen cast and whoever watches it.
constexpr std::array<std::string_view, 4> capturingClasses{
    "Stream/Input/Audio", "Stream/Input/Video", "Video/Source", "Stream/Output/Video"};

std::string_view lookup(const spa_dict* props, const char* key) {
    const char* value = props ? spa_dict_lookup(props, key) : nullptr;
    return value ? std::string_view(value) : std::string_view();
}

// A level meter watching a sink is no recording, and Tessel's own nodes are no call.
bool capturesForSomeoneElse(const spa_dict* props) {
    const std::string_view mediaClass = lookup(props, PW_KEY_MEDIA_CLASS);
    const QByteArray ownPid = QByteArray::number(QCoreApplication::applicationPid());
    return std::find(capturingClasses.begin(), capturingClasses.end(), mediaClass) !=
               capturingClasses.end() &&
           lookup(props, PW_KEY_STREAM_MONITOR) != "true" &&
           lookup(props, PW_KEY_APP_PROCESS_ID) != ownPid.toStdString();
}

} // namespace

struct CallWatcher::Graph {
    struct Node {
        Graph* graph = nullptr;
        pw_proxy* proxy = nullptr;
        spa_hook listener{};
        bool capturing = false;
        bool running = false;

        ~Node() {
            spa_hook_remove(&listener);
            pw_proxy_destroy(proxy);
        }
    };

    explicit Graph(CallWatcher& watcher);
    ~Graph() { disconnect(); }

    bool connected() const { return core != nullptr; }

    void disconnect();
    void addNode(uint32_t id);
    bool anyCapturing() const {
        return std::any_of(nodes.begin(), nodes.end(), [](const auto& entry) {
            return entry.second->capturing && entry.second->running;
        });
    }

    static const pw_core_events& coreEvents();
    static const pw_registry_events& registryEvents();
    static const pw_node_events& nodeEvents();

    CallWatcher& owner;
    pw_loop* loop = nullptr;
    pw_context* context = nullptr;
    pw_core* core = nullptr;
    pw_registry* registry = nullptr;
    spa_hook coreListener{};
    spa_hook registryListener{};
    std::map<uint32_t, std::unique_ptr<Node>> nodes;
    std::unique_ptr<QSocketNotifier> notifier;
};

CallWatcher::Graph::Graph(CallWatcher& watcher)
    : owner(watcher) {
    pw_init(nullptr, nullptr);
    loop = pw_loop_new(nullptr);
    context = loop ? pw_context_new(loop, nullptr, 0) : nullptr;
    core = context ? pw_context_connect(context, nullptr, 0) : nullptr;
    if (!core) {
        return;
    }
    pw_core_add_listener(core, &coreListener, &coreEvents(), this);
    registry = pw_core_get_registry(core, PW_VERSION_REGISTRY, 0);
    pw_registry_add_listener(registry, &registryListener, &registryEvents(), this);
    // PipeWire's loop runs inside Qt's: its fd turns readable whenever it has work.
    notifier = std::make_unique<QSocketNotifier>(pw_loop_get_fd(loop), QSocketNotifier::Read);
    QObject::connect(notifier.get(), &QSocketNotifier::activated, &owner, [this] {
        pw_loop_enter(loop);
        pw_loop_iterate(loop, 0);
        pw_loop_leave(loop);
    });
}

void CallWatcher::Graph::disconnect() {
    notifier.reset();
    nodes.clear();
    if (registry) {
        spa_hook_remove(&registryListener);
        pw_proxy_destroy(reinterpret_cast<pw_proxy*>(registry));
        registry = nullptr;
    }
    if (core) {
        spa_hook_remove(&coreListener);
        pw_core_disconnect(core);
        core = nullptr;
    }
    if (context) {
        pw_context_destroy(context);
        context = nullptr;
    }
    if (loop) {
        pw_loop_destroy(loop);
        loop = nullptr;
    }
}

void CallWatcher::Graph::addNode(uint32_t id) {
    auto* proxy = static_cast<pw_proxy*>(
        pw_registry_bind(registry, id, PW_TYPE_INTERFACE_Node, PW_VERSION_NODE, 0));
    if (!proxy) {
        return;
    }
    auto node = std::make_unique<Node>();
    node->graph = this;
    node->proxy = proxy;
    pw_proxy_add_object_listener(proxy, &node->listener, &nodeEvents(), node.get());
    nodes[id] = std::move(node);
}

const pw_core_events& CallWatcher::Graph::coreEvents() {
    static const pw_core_events events = [] {
        pw_core_events e{};
        e.version = PW_VERSION_CORE_EVENTS;
        e.error = [](void* data, uint32_t id, int, int res, const char*) {
            auto* graph = static_cast<Graph*>(data);
            if (id != PW_ID_CORE || res != -EPIPE) {
                return;
            }
            // The daemon went away; the connection is torn down once its event has returned.
            CallWatcher& owner = graph->owner;
            QMetaObject::invokeMethod(
                &owner, [&owner, graph] { owner.daemonLost(graph); }, Qt::QueuedConnection);
        };
        return e;
    }();
    return events;
}

const pw_registry_events& CallWatcher::Graph::registryEvents() {
    static const pw_registry_events events = [] {
        pw_registry_events e{};
        e.version = PW_VERSION_REGISTRY_EVENTS;
        e.global = [](void* data, uint32_t id, uint32_t, const char* type, uint32_t,
                      const spa_dict*) {
            if (std::string_view(type) == PW_TYPE_INTERFACE_Node) {
                static_cast<Graph*>(data)->addNode(id);
            }
        };
        e.global_remove = [](void* data, uint32_t id) {
            auto* graph = static_cast<Graph*>(data);
            if (graph->nodes.erase(id) > 0) {
                graph->owner.recount();
            }
        };
        return e;
    }();
    return events;
}

const pw_node_events& CallWatcher::Graph::nodeEvents() {
    static const pw_node_events events = [] {
        pw_node_events e{};
        e.version = PW_VERSION_NODE_EVENTS;
        e.info = [](void* data, const pw_node_info* info) {
            auto* node = static_cast<Node*>(data);
            if (info->change_mask & PW_NODE_CHANGE_MASK_PROPS) {
                node->capturing = capturesForSomeoneElse(info->props);
            }
            if (info->change_mask & PW_NODE_CHANGE_MASK_STATE) {
                node->running = info->state == PW_NODE_STATE_RUNNING;
            }
            node->graph->owner.recount();
        };
        return e;
    }();
    return events;
}

CallWatcher::CallWatcher(QObject* parent)
    : QObject(parent) {
    m_retry.setSingleShot(true);
    m_retry.setInterval(retryIntervalMs);
    connect(&m_retry, &QTimer::timeout, this, &CallWatcher::connectToDaemon);
    // A daemon that starts later makes its socket here; watching costs nothing meanwhile.
    const QString folder = QFileInfo(daemonSocket()).path();
    if (QFileInfo(folder).isDir()) {
        m_runtimeFolder.addPath(folder);
    }
    connect(&m_runtimeFolder, &QFileSystemWatcher::directoryChanged, this, [this] {
        if (!m_graph && !m_retry.isActive()) {
            m_retriesLeft = retriesPerSocket;
            connectToDaemon();
        }
    });
    m_retriesLeft = retriesPerSocket;
    connectToDaemon();
    if (!m_graph) {
        qCInfo(lcPlatform, "no PipeWire daemon yet: calls and screen casts cannot be seen");
    }
}

CallWatcher::~CallWatcher() = default;

void CallWatcher::connectToDaemon() {
    if (m_graph || !QFileInfo::exists(daemonSocket())) {
        return;
    }
    m_graph = std::make_unique<Graph>(*this);
    if (!m_graph->connected()) {
        m_graph.reset();
        if (m_retriesLeft-- > 0) {
            m_retry.start();
        }
    }
}

void CallWatcher::daemonLost(const Graph* graph) {
    if (m_graph.get() != graph) {
        return;
    }
    m_graph.reset();
    recount();
    m_retriesLeft = retriesPerSocket;
    connectToDaemon();
}

void CallWatcher::recount() {
    const bool inCall = m_graph && m_graph->anyCapturing();
    if (inCall != m_inCall) {
        m_inCall = inCall;
        Q_EMIT inCallChanged(inCall);
    }
}

} // namespace tessel
