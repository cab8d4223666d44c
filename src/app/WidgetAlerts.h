#pragma once

#include "app/Alerts.h"

namespace tessel {

// Alerts as message boxes, brought to the front over whatever the user is doing.
class WidgetAlerts final : public Alerts {
public:
    void inform(const QString& message, const QString& text) override;
    bool offerDownload(const QString& message, const QString& text) override;
};

} // namespace tessel
