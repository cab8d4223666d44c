#pragma once

#include <QLoggingCategory>

namespace tessel {

// "tessel.platform": warnings by default; QT_LOGGING_RULES="tessel.platform.debug=true" adds debug.
Q_DECLARE_LOGGING_CATEGORY(lcPlatform)

} // namespace tessel
