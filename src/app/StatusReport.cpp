#include "app/StatusReport.h"

#include "app/PrintableText.h"
#include "core/ShadedWeight.h"
#include "core/Store.h"

namespace tessel {

QString describeLayer(const Layer& layer) {
    QString text = QStringLiteral("%1 %2 gsm %3")
                       .arg(layer.paper)
                       .arg(static_cast<int>(shadedGsm(layer.gsm)))
                       .arg(layer.night ? QStringLiteral("night") : QStringLiteral("day"));
    if (layer.lamp) {
        text += QStringLiteral(", lamp %1 at %2").arg(*layer.lamp).arg(layer.lampStrength);
    }
    return text;
}

QString statusReport(Store& store, const LayerMap& layers) {
    QString report = printable(store.status().value_or(QStringLiteral("On"))) + u'\n';
    const ScreenMap screens = store.screensByID();
    for (const ScreenInfo& screen : store.platform().screens()) {
        if (!screens.contains(screen.id)) {
            continue;
        }
        const auto layer = layers.constFind(screen.id);
        report += QStringLiteral("%1\t%2\t%3\n")
                      .arg(printable(screen.id), printable(screen.name),
                           layer == layers.cend() ? QStringLiteral("no paper")
                                                  : printable(describeLayer(*layer)));
    }
    return report + QStringLiteral("Platform: %1\n").arg(store.platform().backendName());
}

} // namespace tessel
