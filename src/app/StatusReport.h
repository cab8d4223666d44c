#pragma once

#include "core/Overlay.h"

#include <QString>

namespace tessel {

class Store;

// What `tessel status` prints: the popover's status line ("On" while paper shows as chosen,
// or what a Focus filter does), then one tab-separated line per screen with its identifier,
// name and layer or "no paper", and last "Platform: " with the platform's backend.
// Each field is printable, so a name can split neither its line nor its fields.
QString statusReport(Store& store, const LayerMap& layers);

QString describeLayer(const Layer& layer);

} // namespace tessel
