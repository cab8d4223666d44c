#pragma once

#include <QLoggingCategory>

namespace tessel {

// "tessel.art": warnings by default; QT_LOGGING_RULES="tessel.art.debug=true" adds debug.
Q_DECLARE_LOGGING_CATEGORY(lcArt)

} // namespace tessel
