#pragma once

#include <QLoggingCategory>

namespace tessel {

// "tessel.style": warnings by default; QT_LOGGING_RULES="tessel.style.debug=true" adds debug.
Q_DECLARE_LOGGING_CATEGORY(lcStyle)

} // namespace tessel
