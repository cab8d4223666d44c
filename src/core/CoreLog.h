#pragma once

#include <QLoggingCategory>

namespace tessel {

// "tessel.core": warnings by default; QT_LOGGING_RULES="tessel.core.debug=true" adds debug.
Q_DECLARE_LOGGING_CATEGORY(lcCore)

} // namespace tessel
