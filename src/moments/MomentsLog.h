#pragma once

#include <QLoggingCategory>

namespace tessel {

// "tessel.moments": warnings by default; QT_LOGGING_RULES="tessel.moments.debug=true" adds debug.
Q_DECLARE_LOGGING_CATEGORY(lcMoments)

} // namespace tessel
