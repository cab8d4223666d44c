#pragma once

#include <QLoggingCategory>

namespace tessel {

// "tessel.overlay": warnings by default; QT_LOGGING_RULES="tessel.overlay.debug=true" adds debug.
Q_DECLARE_LOGGING_CATEGORY(lcOverlay)

} // namespace tessel
