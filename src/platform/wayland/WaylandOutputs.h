#pragma once

#include "platform/Platform.h"

#include <QObject>
#include <QRect>

#include <cstdint>
#include <map>
#include <memory>

struct wl_output;

namespace tessel {

class WaylandConnection;

// The compositor's outputs as screens: names from wl_output, the layout from xdg-output
// where offered (else the mode divided by the scale), the integer scale as pixel ratio.
class WaylandOutputs final : public QObject {
    Q_OBJECT

public:
    explicit WaylandOutputs(WaylandConnection& connection);
    ~WaylandOutputs() override;

    // Outputs described in full, the one at the origin first (Wayland has no primary).
    QList<ScreenInfo> screens() const;
    // Where the y-up origin lies in the compositor's layout: the first screen's bottom edge.
    qreal bottomEdge() const;
    // The output behind a screen, or null once it is gone.
    wl_output* output(const QString& screenId) const;

    struct Output;

Q_SIGNALS:
    // An output came, went, or changed its layout or scale.
    void changed();

private:
    void add(uint32_t name);
    void describe(Output& output);
    // Outputs described in full, the one at the origin first.
    QList<const Output*> described() const;
    static QStringList identifiers(const QList<const Output*>& outputs);

    WaylandConnection& m_connection;
    std::map<uint32_t, std::unique_ptr<Output>> m_outputs;
};

} // namespace tessel
