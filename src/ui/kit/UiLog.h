#pragma once

#include <QLoggingCategory>

namespace tessel {

// "tessel.ui": warnings by default; QT_LOGGING_RULES="tessel.ui.debug=true" adds debug.
Q_DECLARE_LOGGING_CATEGORY(lcUi)

} // namespace tessel
