#include "platform/wayland/WaylandOutputs.h"

#include "platform/GlobalFrames.h"
#include "platform/desktop/ScreenIdentity.h"
#include "platform/wayland/WaylandConnection.h"

#include <algorithm>
#include <wayland-client.h>
#include <xdg-output-unstable-v1-client.h>

namespace tessel {

struct WaylandOutputs::Output {
    WaylandOutputs* owner = nullptr;
    wl_output* output = nullptr;
    zxdg_output_v1* description = nullptr;
    QString name;
    QString make;
    QString model;
    QPoint position;
    QSize modeSize;
    std::optional<QRect> logical;
    int scale = 1;
    bool done = false;

    ~Output() {
        if (description) {
            zxdg_output_v1_destroy(description);
        }
        if (wl_output_get_version(output) >= WL_OUTPUT_RELEASE_SINCE_VERSION) {
            wl_output_release(output);
        } else {
            wl_output_destroy(output);
        }
    }

    QRect layout() const {
        if (logical) {
            return *logical;
        }
        return {position, modeSize / std::max(scale, 1)};
    }

    // Wayland tells no serial number; twins are told apart by their connectors.
    MonitorIdentity identity() const { return {make, model, QString(), name}; }
};

namespace {

using Output = WaylandOutputs::Output;

Output& outputOf(void* data) {
    return *static_cast<Output*>(data);
}

void onGeometry(void* data, wl_output*, int32_t x, int32_t y, int32_t, int32_t, int32_t,
                const char* make, const char* model, int32_t) {
    Output& output = outputOf(data);
    output.position = QPoint(x, y);
    output.make = QString::fromUtf8(make);
    output.model = QString::fromUtf8(model);
}

void onMode(void* data, wl_output*, uint32_t flags, int32_t width, int32_t height, int32_t) {
    if (flags & WL_OUTPUT_MODE_CURRENT) {
        outputOf(data).modeSize = QSize(width, height);
    }
}

void onScale(void* data, wl_output*, int32_t factor) {
    outputOf(data).scale = factor;
}

void onName(void* data, wl_output*, const char* name) {
    outputOf(data).name = QString::fromUtf8(name);
}

void onDescription(void*, wl_output*, const char*) {}

void onLogicalPosition(void* data, zxdg_output_v1*, int32_t x, int32_t y) {
    Output& output = outputOf(data);
    output.logical = QRect(QPoint(x, y), output.logical.value_or(QRect()).size());
}

void onLogicalSize(void* data, zxdg_output_v1*, int32_t width, int32_t height) {
    Output& output = outputOf(data);
    output.logical = QRect(output.logical.value_or(QRect()).topLeft(), QSize(width, height));
}

void onDescriptionDone(void*, zxdg_output_v1*) {}

void onDescriptionName(void* data, zxdg_output_v1*, const char* name) {
    Output& output = outputOf(data);
    if (output.name.isEmpty()) {
        output.name = QString::fromUtf8(name);
    }
}

void onDescriptionDescription(void*, zxdg_output_v1*, const char*) {}

// Every change to an output ends with wl_output.done, xdg-output's included from version 3.
void onDone(void* data, wl_output*) {
    Output& output = outputOf(data);
    output.done = true;
    Q_EMIT output.owner->changed();
}

const wl_output_listener outputListener = {
    .geometry = onGeometry,
    .mode = onMode,
    .done = onDone,
    .scale = onScale,
    .name = onName,
    .description = onDescription,
};

const zxdg_output_v1_listener descriptionListener = {
    .logical_position = onLogicalPosition,
    .logical_size = onLogicalSize,
    .done = onDescriptionDone,
    .name = onDescriptionName,
    .description = onDescriptionDescription,
};

} // namespace

WaylandOutputs::WaylandOutputs(WaylandConnection& connection)
    : m_connection(connection) {
    for (const uint32_t name : connection.outputNames()) {
        add(name);
    }
    connect(&connection, &WaylandConnection::outputAdded, this, &WaylandOutputs::add);
    connect(&connection, &WaylandConnection::outputRemoved, this, [this](uint32_t name) {
        if (m_outputs.erase(name) > 0) {
            Q_EMIT changed();
        }
    });
}

WaylandOutputs::~WaylandOutputs() = default;

void WaylandOutputs::add(uint32_t name) {
    wl_output* proxy = m_connection.bindOutput(name);
    if (!proxy) {
        return;
    }
    auto output = std::make_unique<Output>();
    output->owner = this;
    output->output = proxy;
    wl_output_add_listener(proxy, &outputListener, output.get());
    describe(*output);
    m_outputs[name] = std::move(output);
}

void WaylandOutputs::describe(Output& output) {
    if (zxdg_output_manager_v1* manager = m_connection.globals().outputManager) {
        output.description = zxdg_output_manager_v1_get_xdg_output(manager, output.output);
        zxdg_output_v1_add_listener(output.description, &descriptionListener, &output);
    }
}

QList<const WaylandOutputs::Output*> WaylandOutputs::described() const {
    QList<const Output*> described;
    for (const auto& [name, output] : m_outputs) {
        if (output->done && !output->layout().isEmpty()) {
            described.append(output.get());
        }
    }
    std::stable_partition(described.begin(), described.end(), [](const Output* output) {
        return output->layout().topLeft() == QPoint(0, 0);
    });
    return described;
}

QStringList WaylandOutputs::identifiers(const QList<const Output*>& outputs) {
    QList<MonitorIdentity> monitors;
    for (const Output* output : outputs) {
        monitors.append(output->identity());
    }
    return screenIdentifiers(monitors);
}

QList<ScreenInfo> WaylandOutputs::screens() const {
    const QList<const Output*> outputs = described();
    QList<ScreenInfo> screens;
    if (outputs.isEmpty()) {
        return screens;
    }
    const QStringList ids = identifiers(outputs);
    const qreal bottomEdge = this->bottomEdge();
    for (qsizetype i = 0; i < outputs.size(); ++i) {
        const Output* output = outputs[i];
        screens.append({ids[i], output->name, toYUpRect(QRectF(output->layout()), bottomEdge),
                        static_cast<qreal>(output->scale)});
    }
    return screens;
}

qreal WaylandOutputs::bottomEdge() const {
    const QList<const Output*> outputs = described();
    return outputs.isEmpty() ? 0 : outputs.front()->layout().bottom() + 1;
}

wl_output* WaylandOutputs::output(const QString& screenId) const {
    const QList<const Output*> outputs = described();
    const qsizetype index = identifiers(outputs).indexOf(screenId);
    return index < 0 ? nullptr : outputs[index]->output;
}

} // namespace tessel
