#include "app/StatusReport.h"

#include "app/PrintableText.h"
#include "core/ShadedWeight.h"
#include "core/Store.h"
#include "paper/Paper.h"

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

namespace {

// The popover keeps quiet about a Focus filter; a script asking for the status should not
// read "On" while the filter holds paper off or shows another paper.
QString headline(const Store& store) {
    if (const auto status = store.status()) {
        return *status;
    }
    const auto& filter = store.focusFilter();
    if (filter && !filter->on) {
        return QStringLiteral("Off by Focus filter");
    }
    if (filter && filter->paper) {
        return Paper::find(*filter->paper, store.settings().customPapers).name +
               QStringLiteral(" by Focus filter");
    }
    return QStringLiteral("On");
}

} // namespace

QString statusReport(Store& store, const LayerMap& layers) {
    QString report = printable(headline(store)) + u'\n';
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
